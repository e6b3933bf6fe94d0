#include "grid/DgprevSettings.h"
#include "framework/Clipboard.h"
#include "framework/FileBytes.h"
#include "grid/Datagrid.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/PrintSettingsText.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/LocaleSeparators.h"
#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A grid and its print settings dialog, as the results window holds them.
struct SettingsWindow : TForm {
    SettingsWindow() : TForm(nullptr) {
        Grid->SetColCount(3);
        Grid->SetRowCount(4);
        UseDejaVu(*Grid->PrintSettings);
        Dialog->SetGrid(Grid);
        EndLayout();
    }
    TDataGrid* Grid = new TDataGrid(this);
    TDataGridPrintSettingsDialog* Dialog = new TDataGridPrintSettingsDialog(this);
};

struct PrintSettingsWindow : testing::Test {
    PrintSettingsWindow() {
        UseA4PdfPrinter();
        Responder().Clear();
    }
    // Runs the dialog with the user's actions; the window's result is OK or Cancel.
    bool Run(const std::function<void(TDataGridPrintSettingsForm&)>& act, int result = mrOk) {
        Responder().ModalActions.push_back([act, result](TForm& form) {
            auto& window = static_cast<TDataGridPrintSettingsForm&>(form);
            // Showing the window writes the controls into the settings.
            window.UpdatePreviewer();
            act(window);
            form.SetModalResult(result);
        });
        return window.Dialog->Execute();
    }
    TPrintSettings& Settings() { return *window.Grid->PrintSettings; }

    LocaleSeparators separators{'.', ','};
    SettingsWindow window;
};

} // namespace

TEST_F(PrintSettingsWindow, LengthsInMillimetresOrInches) {
    Run([&](TDataGridPrintSettingsForm& form) {
        form.TopMarginSpinEdit->SetFloatValue(12.5);
        EXPECT_EQ(Settings().HeaderSize, 125);
        form.dimr2->SetChecked(true);
        // 125 / 254 inch, two decimals.
        EXPECT_EQ(form.TopMarginSpinEdit->GetWindowText(), "0.49");
        EXPECT_EQ(form.dim[0]->GetCaption(), "inch");
        EXPECT_EQ(form.dim[6]->GetCaption(), "inch");
        // Untouched, the shown 0.49 inch keeps the stored 125.
        form.BorderComboBox->SetItemIndex(1);
        form.BorderComboBoxChange(form.BorderComboBox);
        EXPECT_EQ(Settings().HeaderSize, 125);
        form.LeftMarginSpinEdit->SetFloatValue(1);
        EXPECT_EQ(Settings().LeftSize, 254);
        form.dimr1->SetChecked(true);
        EXPECT_EQ(form.LeftMarginSpinEdit->GetWindowText(), "25.40");
    });
    EXPECT_EQ(Settings().HeaderSize, 125);
    EXPECT_EQ(Settings().LeftSize, 254);
}

// Mended: a margin pasted as "2,5" stood in the box as pasted and read as the least margin, 0.
TEST_F(PrintSettingsWindow, AMarginPastedWithACommaIsTakenAsTyped) {
    Run([&](TDataGridPrintSettingsForm& form) {
        form.TopMarginSpinEdit->SetFloatValue(12.5);
        form.TopMarginSpinEdit->SelectAll();
        Clipboard().SetAsText("2,5");
        form.TopMarginSpinEdit->PasteFromClipboard();
        EXPECT_EQ(form.TopMarginSpinEdit->GetWindowText(), "2.5");
        EXPECT_EQ(Settings().HeaderSize, 25);
    });
    // 2.5 mm in tenths.
    EXPECT_EQ(Settings().HeaderSize, 25);
}

// Mended: "1-2" typed over the margin stood in the box and read as the least margin, 0.
TEST_F(PrintSettingsWindow, AMarginTypedWithASignInsideKeepsItsFigures) {
    Run([&](TDataGridPrintSettingsForm& form) {
        form.TopMarginSpinEdit->SetFloatValue(12.5);
        form.TopMarginSpinEdit->SelectAll();
        bool passOn = true;
        for (const char key : std::string("1-2"))
            form.TopMarginSpinEdit->ViewKeyDown(0, {}, 0, key, passOn);
        EXPECT_EQ(form.TopMarginSpinEdit->GetWindowText(), "12");
    });
    // 12 mm in tenths.
    EXPECT_EQ(Settings().HeaderSize, 120);
}

// Mended: a top margin of 12.5 mm left holding "-", "+" or "-." was read as the least margin, 0,
// which OK kept without a word, and Enter in a length pressed OK instead of moving on. The margin
// stays, the length keeps the focus and says why once for each try to leave it, OK waits, and a
// number typed then leaves as any other. An empty length changes no setting, nor does a change
// elsewhere write it as the least.
TEST_F(PrintSettingsWindow, AMarginThatIsNoNumberYetIsHeldNotReadAsTheLeast) {
    using Form = TDataGridPrintSettingsForm;
    const struct {
        const char* label;
        std::function<void(Form&)> leave;
        bool closes;
    } ways[] = {
        {"Tab", [](Form& form) { QTest::keyClick(form.TopMarginSpinEdit->View(), Qt::Key_Tab); }, false},
        {"Enter",
         [](Form& form) {
             QTest::keyClick(form.TopMarginSpinEdit->View(), Qt::Key_Return);
             // The Tab it posts.
             QApplication::processEvents();
         },
         false},
        {"a click on the left margin",
         [](Form& form) { QTest::mouseClick(form.LeftMarginSpinEdit->View(), Qt::LeftButton); }, false},
        {"OK", [](Form& form) { QTest::mouseClick(form.OKButton->View(), Qt::LeftButton); }, true},
    };
    const struct {
        const char* typed;
        bool held;
    } texts[] = {{"-", true}, {"+", true}, {"-.", true}, {"", false}};
    for (const auto& way : ways)
        for (const auto& text : texts) {
            SCOPED_TRACE(std::string(way.label) + " over '" + text.typed + "'");
            Settings().HeaderSize = 125;
            const std::vector<std::string> why{"'" + std::string(text.typed) +
                                               "' is not a valid floating point value"};
            const bool accepted = Run([&](Form& form) {
                // Shown once for all the rows.
                if (!form.View()->isVisible()) {
                    form.Show();
                    form.View()->activateWindow();
                    ASSERT_TRUE(QTest::qWaitForWindowActive(form.View()));
                }
                form.PageControl->SetActivePage(form.MarginsTabSheet);
                TTypedSpinEdit& top = *form.TopMarginSpinEdit;
                top.SetFocus();
                QApplication::processEvents();
                top.SelectAll();
                QTest::keyClick(top.View(), Qt::Key_Backspace);
                QTest::keyClicks(top.View(), text.typed);
                for (const int attempt : {1, 2}) {
                    SCOPED_TRACE(attempt);
                    Responder().Asked.clear();
                    way.leave(form);
                    QApplication::processEvents();
                    EXPECT_EQ(Responder().AskedTexts(), text.held ? why : std::vector<std::string>{});
                    EXPECT_EQ(top.GetWindowText(), text.typed);
                    EXPECT_EQ(top.Focused(), text.held);
                    EXPECT_EQ(form.GetModalResult(), way.closes && !text.held ? mrOk : mrNone);
                    EXPECT_EQ(Settings().HeaderSize, 125);
                    if (!text.held)
                        break;
                }
                if (text.held) {
                    top.SelectAll();
                    QTest::keyClicks(top.View(), "7.5");
                    Responder().Asked.clear();
                    way.leave(form);
                    QApplication::processEvents();
                    EXPECT_TRUE(Responder().AskedTexts().empty());
                    EXPECT_FALSE(top.Focused());
                    EXPECT_EQ(form.GetModalResult(), way.closes ? mrOk : mrNone);
                } else {
                    form.BorderComboBox->SetItemIndex(1);
                    form.BorderComboBoxChange(form.BorderComboBox);
                    EXPECT_EQ(Settings().HeaderSize, 125);
                }
            });
            EXPECT_TRUE(accepted);
            // 7.5 mm in tenths, or the 12.5 mm kept.
            EXPECT_EQ(Settings().HeaderSize, text.held ? 75 : 125);
        }
}

TEST_F(PrintSettingsWindow, OpenedAndClosedWithOkChangesNothing) {
    TPrintSettings& s = Settings();
    ChangeEverySetting(s);
    window.Dialog->SetPrintDimensions(pdinch);
    const std::string before = Snapshot(s);
    EXPECT_TRUE(Run([](TDataGridPrintSettingsForm&) {}));
    EXPECT_EQ(Snapshot(s), before);
}

TEST_F(PrintSettingsWindow, CancelPutsTheSettingsBack) {
    Settings().Borders = pbSingle;
    Settings().TitleLines.Add("Riverside");
    Settings().Title = ppTopLeft;
    const std::string before = Snapshot(Settings());
    const bool accepted = Run(
        [&](TDataGridPrintSettingsForm& form) {
            form.BorderComboBox->SetItemIndex(4);
            form.BorderComboBoxChange(form.BorderComboBox);
            form.TitleMemo->Lines.SetText("Another title");
            EXPECT_EQ(Settings().Borders, pbHorizontal);
            EXPECT_EQ(Settings().TitleLines[0], "Another title");
        },
        mrCancel);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(Snapshot(Settings()), before);
}

TEST_F(PrintSettingsWindow, PositionsEnableWhatTheyUse) {
    Run([&](TDataGridPrintSettingsForm& form) {
        form.PagesPositionComboBox->SetItemIndex(6);
        form.PagesPositionComboBoxChange(form.PagesPositionComboBox);
        EXPECT_TRUE(form.PagesPrefixEdit->GetEnabled());
        EXPECT_EQ(Settings().PageNr, ppBottomCenter);
        form.PagesPositionComboBox->SetItemIndex(0);
        form.PagesPositionComboBoxChange(form.PagesPositionComboBox);
        for (TEdit* edit : {form.PagesPrefixEdit, form.PagesSeparatorEdit, form.PagesSuffixEdit})
            EXPECT_FALSE(edit->GetEnabled());
        EXPECT_FALSE(form.DateFormatEdit->GetEnabled());
        EXPECT_FALSE(form.TitleMemo->GetEnabled());
        EXPECT_FALSE(form.BorderStyleComboBox->GetEnabled());
    });
}

TEST_F(PrintSettingsWindow, AnOldTitleTextMovesIntoTheTitleLines) {
    Settings().TitleText = "Riverside";
    Run([&](TDataGridPrintSettingsForm& form) {
        EXPECT_EQ(form.TitleMemo->Lines.Count(), 1);
        EXPECT_EQ(form.TitleMemo->Lines[0], "Riverside");
    });
    EXPECT_EQ(Settings().TitleText, "");
    EXPECT_EQ(Settings().TitleLines[0], "Riverside");
}

TEST_F(PrintSettingsWindow, AChosenFontAppliesAtOnce) {
    TFont chosen;
    chosen.Name = "DejaVu Serif";
    chosen.Size = 12;
    Responder().FontAnswers.push_back(chosen);
    Responder().FontAnswers.push_back(std::nullopt);
    Run([&](TDataGridPrintSettingsForm& form) {
        form.HeaderFontButton->Click();
        EXPECT_EQ(Settings().HeaderFont.Name, "DejaVu Serif");
        form.TableFontButton->Click();
        EXPECT_EQ(Settings().Font.Name, "DejaVu Sans");
    });
    ASSERT_EQ(Responder().FontsAsked.size(), 2u);
    EXPECT_EQ(Responder().FontsAsked[0].Name, "DejaVu Sans");
    EXPECT_EQ(Settings().HeaderFont.Size, 12);
}

TEST_F(PrintSettingsWindow, OptionsHidePagesWithoutAnEnabledGroup) {
    TDataGridPrintSettingsForm& form = *window.Dialog->Form;
    window.Dialog->SetOptions(AllPrintSettingsOptions & ~psSaveSettings);
    EXPECT_FALSE(form.TabSheet1->GetTabVisible());
    EXPECT_TRUE(form.MarginsTabSheet->GetTabVisible());
    window.Dialog->SetOptions(0);
    for (TTabSheet* page : {form.HeadersTabSheet, form.MarginsTabSheet, form.TabSheet1})
        EXPECT_FALSE(page->GetTabVisible());
    EXPECT_TRUE(form.GeneralTabSheet->GetTabVisible());
    for (TGroupBox* box : {form.BordersGroupBox, form.GeneralGroupBox, form.FontGroupBox})
        EXPECT_FALSE(box->GetEnabled());
    EXPECT_FALSE(form.BorderComboBox->GetEnabled());
    window.Dialog->SetOptions(psMargins);
    EXPECT_TRUE(form.MarginsTabSheet->GetTabVisible());
    EXPECT_FALSE(form.HeadersTabSheet->GetTabVisible());
}

TEST_F(PrintSettingsWindow, WithoutThePreviewTheWindowNarrows) {
    TDataGridPrintSettingsForm& form = *window.Dialog->Form;
    // The pages 364 wide and the miniature 250.
    EXPECT_EQ(form.ClientWidth(), 614);
    window.Dialog->SetPrintPreview(false);
    EXPECT_FALSE(form.PreviewPanel->GetVisible());
    EXPECT_EQ(form.ClientWidth(), 364);
    // OK left of the middle, Cancel right of it: 182 - 75 - 8 and 182 + 8.
    EXPECT_EQ(form.OKButton->Left(), 99);
    EXPECT_EQ(form.CancelButton->Left(), 190);
}

TEST_F(PrintSettingsWindow, TheMiniatureLeavesFastPreviewAsItWas) {
    window.Grid->FastPreview = false;
    Run([&](TDataGridPrintSettingsForm& form) {
        form.PreviewPaintBox->Repaint();
        EXPECT_TRUE(window.Grid->FastPreview);
    });
    EXPECT_FALSE(window.Grid->FastPreview);
}

TEST_F(PrintSettingsWindow, SettingsSavedAndLoadedThroughAnIniFile) {
    QTemporaryDir dir;
    // A folder with a dot in its name: the file name alone decides whether ".ini" is added.
    ASSERT_TRUE(QDir(dir.path()).mkdir("layouts.v2"));
    const AnsiString named = dir.filePath("layouts.v2/results").toStdString();
    Settings().Borders = pbAround;
    Settings().TitleLines.Add("Riverside");
    Responder().AnswerFile(named);
    Responder().AnswerFile(named);
    Run([&](TDataGridPrintSettingsForm& form) {
        form.SaveSettings->Click();
        form.BorderComboBox->SetItemIndex(0);
        form.BorderComboBoxChange(form.BorderComboBox);
        EXPECT_EQ(Settings().Borders, pbNoborder);
        form.LoadSettings->Click();
        EXPECT_EQ(form.BorderComboBox->GetItemIndex(), int(pbAround));
    });
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString((named + ".ini").str())));
    EXPECT_EQ(Settings().Borders, pbAround);
    EXPECT_EQ(Settings().TitleLines[0], "Riverside");
    ASSERT_EQ(Responder().FilesAsked.size(), 2u);
    EXPECT_EQ(Responder().FilesAsked[0].Filter, "INI files (*.ini)|*.ini|All files (*.*)|*.*");

    // With "All files" chosen the name stands as given.
    window.Dialog->Form->SaveDialog1->FilterIndex = 2;
    Responder().AnswerFile(named);
    Run([&](TDataGridPrintSettingsForm& form) { form.SaveSettings->Click(); });
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(named.str())));
}

TEST_F(PrintSettingsWindow, WithoutAGridThereIsNothingToEdit) {
    delete window.Grid;
    EXPECT_EQ(ErrorText([&] { window.Dialog->Execute(); }), "The dialog does not have a grid component.");
}

TEST_F(PrintSettingsWindow, AGridFreedWhileTheWindowIsOpenIsLeftAlone) {
    // Closing the window must not touch the grid again, not even to put its FastPreview back.
    EXPECT_FALSE(Run(
        [this](TDataGridPrintSettingsForm&) {
            delete window.Grid;
            window.Grid = nullptr;
        },
        mrCancel));
    EXPECT_EQ(window.Dialog->GetGrid(), nullptr);
}
