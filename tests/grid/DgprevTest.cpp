#include "grid/Dgprev.h"
#include "framework/Bitmap.h"
#include "grid/Datagrid.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/GeometryPrinter.h"
#include "tests/support/PdfPages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A form holding a grid of rows 122 high (23 a page) and a preview dialog bound to it, as the
// results window holds them.
struct PreviewWindow : TForm {
    PreviewWindow() : TForm(nullptr) {
        PrintTwoColumnsOnA4(*Grid);
        Grid->PrintSettings->UseFixedHeight = true;
        Grid->PrintSettings->FixedHeight = 100;
        SetRows(50);
        Dialog->SetGrid(Grid);
        EndLayout();
    }
    void SetRows(int rows) {
        Grid->SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            Grid->SetCells(0, r, "R" + std::to_string(r));
    }
    TDataGrid* Grid = new TDataGrid(this);
    TGridPreviewDialog* Dialog = new TGridPreviewDialog(this);
};

struct Preview : testing::Test {
    // Runs the dialog; the user's actions happen in act, on the window shown.
    bool Run(const std::function<void(TGridPreviewForm&)>& act) {
        Responder().ModalActions.push_back([act](TForm& form) { act(static_cast<TGridPreviewForm&>(form)); });
        return window.Dialog->Execute();
    }
    static void Paint(TGridPreviewForm& form) { form.PreviewPaintBox->Repaint(); }
    static std::string Buttons(const TGridPreviewForm& form) {
        return std::string(form.Previous->GetEnabled() ? "<" : ".") + (form.Next->GetEnabled() ? ">" : ".");
    }

    PreviewWindow window;
};

} // namespace

TEST_F(Preview, StepsThroughThePrintedPages) {
    std::vector<std::string> seen;
    const bool result = Run([&](TGridPreviewForm& form) {
        seen.push_back(Buttons(form));
        Paint(form);
        seen.push_back(Buttons(form) + std::to_string(window.Grid->FromPage));
        for (int i = 0; i < 3; ++i) {
            form.Next->Click();
            Paint(form);
            seen.push_back(Buttons(form) + std::to_string(window.Grid->FromPage));
        }
        form.Previous->Click();
        form.Previous->Click();
        form.Previous->Click();
        Paint(form);
        seen.push_back(Buttons(form) + std::to_string(window.Grid->FromPage));
        form.Button4->Click();
    });
    EXPECT_FALSE(result);
    // Three pages: Previous starts disabled, and Next stops at the last page.
    EXPECT_EQ(seen, (std::vector<std::string>{".>", ".>1", "<>2", "<.3", "<.3", ".>1"}));
}

TEST_F(Preview, APageOutsideTheCountMovesToOneThatIsThere) {
    window.SetRows(10);
    Run([&](TGridPreviewForm& form) {
        Paint(form);
        EXPECT_EQ(Buttons(form), "..");
        window.Grid->SetPreviewPage(5);
        Paint(form);
        EXPECT_EQ(window.Grid->FromPage, 1);
        window.Grid->SetPreviewPage(-1);
        Paint(form);
        EXPECT_EQ(window.Grid->FromPage, 1);
    });
}

TEST_F(Preview, PrintingKeepsThePageShown) {
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("preview.pdf").toStdString();
    Responder().AnswerFile(file);
    Run([&](TGridPreviewForm& form) {
        Paint(form);
        form.Next->Click();
        Paint(form);
        form.Button3->Click();
        EXPECT_EQ(window.Grid->FromPage, 2);
        Paint(form);
        EXPECT_EQ(window.Grid->FromPage, 2);
        EXPECT_EQ(Buttons(form), "<>");
    });
    EXPECT_EQ(PdfPageCount(QString::fromStdString(file.str())), 3);
}

// The preview lays the pages out on the printer's sheet, whatever the size of its box: it shows
// as many pages as the print has.
TEST_F(Preview, EveryBoxCountsThePagesOfThePrint) {
    struct Case {
        TPrinterOrientation orientation;
        int width, height;
    };
    const Case cases[] = {{poPortrait, 200, 150},  {poPortrait, 350, 300},  {poPortrait, 1200, 1700},
                          {poLandscape, 200, 150}, {poLandscape, 900, 400}, {poLandscape, 1700, 1200}};
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.orientation) + " " + std::to_string(c.width) + "x" +
                     std::to_string(c.height));
        window.Grid->PrintSettings->Orientation = c.orientation;
        const QString file = dir.filePath("count.pdf");
        Responder().AnswerFile(AnsiString(file.toStdString()));
        window.Grid->Print();
        TBitmap box;
        box.SetSize(c.width, c.height);
        window.Grid->SetPreviewPage(1);
        window.Grid->PrintPreview(box.Canvas, Rect(0, 0, c.width, c.height));
        EXPECT_EQ(window.Grid->GetPrintPageCount(), PdfPageCount(file));
    }
}

TEST_F(Preview, TheSheetLiesOnAGreyGround) {
    Run([&](TGridPreviewForm& form) {
        form.SetBounds(0, 0, 500, 400);
        form.FormResize(&form);
        Paint(form);
        const QImage& box = static_cast<QImage&>(*form.PreviewPaintBox->Canvas->Device());
        ASSERT_FALSE(box.isNull());
        // A4 is narrower than the box: grey at the sides, white paper in the middle.
        EXPECT_EQ(box.pixel(1, box.height() / 2) & 0xFFFFFF, 0x808080u);
        EXPECT_EQ(box.pixel(box.width() / 2, box.height() - 3) & 0xFFFFFF, 0xFFFFFFu);
    });
}

TEST_F(Preview, TheWindowKeepsItsSizeAndNeverGetsTooSmall) {
    TGridPreviewDialog& dialog = *window.Dialog;
    dialog.SetPreviewWidth(200);
    dialog.SetPreviewHeight(50);
    EXPECT_EQ(Point(dialog.GetPreviewWidth(), dialog.GetPreviewHeight()), Point(350, 100));
    dialog.SetPreviewWidth(420);
    dialog.PreviewLeft = 30;
    dialog.PreviewTop = 40;
    Run([&](TGridPreviewForm& form) {
        EXPECT_EQ(form.BoundsRect(), Rect(30, 40, 450, 140));
        EXPECT_EQ(form.Position, poDesigned);
        EXPECT_EQ(Point(form.Constraints.MinWidth, form.Constraints.MinHeight), Point(350, 100));
        // The user drags it larger and elsewhere.
        form.SetBounds(60, 70, 640, 480);
    });
    EXPECT_EQ(
        Rect(dialog.PreviewLeft, dialog.PreviewTop, dialog.GetPreviewWidth(), dialog.GetPreviewHeight()),
        Rect(60, 70, 640, 480));
    dialog.PreviewCenter = true;
    Run([&](TGridPreviewForm& form) {
        EXPECT_EQ(form.Position, poScreenCenter);
        EXPECT_EQ(form.Width(), 640);
    });
}

TEST_F(Preview, TheRoomBelowTheButtonsGoesToThePageArea) {
    Run([&](TGridPreviewForm& form) {
        form.SetBounds(0, 0, 500, 441);
        form.FormResize(&form);
        // 90 % of 500 and of the 400 below the 41 of the buttons, centred.
        EXPECT_EQ(form.Panel2->BoundsRect(), Rect(25, 61, 475, 421));
    });
}

TEST_F(Preview, FastPreviewUsesTheCountItHas) {
    window.Dialog->PreviewFast = true;
    Run([&](TGridPreviewForm& form) {
        Paint(form);
        EXPECT_TRUE(window.Grid->FastPreview);
        // No count was made yet: nothing to step to.
        EXPECT_EQ(Buttons(form), "..");
    });
}

TEST_F(Preview, WithoutAGridThereIsNothingToShow) {
    delete window.Grid;
    EXPECT_EQ(window.Dialog->GetGrid(), nullptr);
    EXPECT_EQ(ErrorText([&] { window.Dialog->Execute(); }), "The dialog does not have a grid component.");
    EXPECT_TRUE(Responder().ModalActions.empty());
}
