#include "framework/Dialogs.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/PaintBox.h"
#include "tests/framework/ActiveWindow.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// CallGuarded is checked through the typed edit box, ShowMessage through the network check.
TEST(DialogSeam, AMessageBoxIsAskedAndItsAnswerComesBack) {
    Responder().Clear();
    Responder().Answer(IDNO);
    EXPECT_EQ(Application->MessageBox("Really?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(Responder().Asked.size(), 1u);
    EXPECT_EQ(Responder().Asked[0].Text, "Really?");
    EXPECT_EQ(Responder().Asked[0].Caption, "Confirm");
    EXPECT_EQ(Responder().Asked[0].Flags, 0x24);
}

// A pop-up menu waits for its answer: the chosen item has run when Popup returns.
TEST(DialogSeam, APopupMenuRunsTheChosenItemBeforeItReturns) {
    Responder().Clear();
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    std::vector<AnsiString> ran;
    for (const char* caption : {"Delete", "-", "Add", "Hidden"}) {
        auto* item = new TMenuItem(&owner);
        item->SetCaption(caption);
        item->OnClick = [&ran, caption](TObject*) { ran.push_back(caption); };
        menu->Items->Add(item);
    }
    menu->Items->Items(3)->SetVisible(false);
    Responder().MenuChoices = {"Add", "Hidden", ""};
    for (int i = 0; i < 3; ++i)
        menu->Popup(10, 20);
    EXPECT_EQ(ran, std::vector<AnsiString>{"Add"});
    ASSERT_EQ(Responder().MenusShown.size(), 3u);
    EXPECT_EQ(Responder().MenusShown[0], (std::vector<AnsiString>{"Delete", "-", "Add"}));
    Responder().Clear();
}

TEST(ExceptionDisplay, AnythingThrownFromAHandlerIsShownOnce) {
    const struct {
        const char* label;
        std::function<void()> thrower;
        const char* shown;
    } rows[] = {
        {"framework exception", [] { throw Exception("'x' is not a valid floating point value"); },
         "'x' is not a valid floating point value"},
        {"standard exception", [] { throw std::runtime_error("disk full"); }, "disk full"},
        {"anything else", [] { throw 42; }, "Unknown exception"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        TForm form(nullptr);
        auto* button = new TButton(&form);
        button->SetParent(&form);
        button->OnClick = [&](TObject*) { row.thrower(); };
        form.Show();
        QTest::mouseClick(button->View(), Qt::LeftButton);
        ASSERT_EQ(Responder().Asked.size(), 1u);
        EXPECT_EQ(Responder().Asked[0].Text, row.shown);
        EXPECT_EQ(Responder().Asked[0].Flags, MB_OK | MB_ICONERROR);
    }
}

// A box cannot open inside a paint; a paint that keeps failing shows its message once.
TEST(ExceptionDisplay, APaintThatFailsShowsItsMessageAfterThePaint) {
    Responder().Clear();
    TForm form(nullptr);
    auto* box = new TPaintBox(&form);
    box->SetParent(&form);
    box->OnPaint = [&](TObject*) {
        EXPECT_TRUE(Responder().Asked.empty());
        throw Exception("No network to draw");
    };
    form.Show();
    for (int paint = 0; paint < 3; ++paint) {
        box->Invalidate();
        box->View()->repaint();
    }
    EXPECT_TRUE(Responder().Asked.empty());
    QApplication::processEvents();
    box->Invalidate();
    box->View()->repaint();
    QApplication::processEvents();
    ASSERT_EQ(Responder().Asked.size(), 1u);
    EXPECT_EQ(Responder().Asked[0].Text, "No network to draw");
    Responder().Clear();
}

// The program's own modal run, with Qt's dialogs in place of the test's scripted responder.
struct QtDialogs {
    QtDialogs() { SetDialogResponder(nullptr); }
    ~QtDialogs() { SetDialogResponder(&Responder()); }
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;
};

struct ModalForm : TForm {
    ModalForm() : TForm(nullptr) {
        Ok->SetParent(this);
        Ok->ModalResult = mrOk;
        Ok->Default = true;
        Cancel->SetParent(this);
        Cancel->SetLeft(100);
        Cancel->ModalResult = mrCancel;
        Cancel->Cancel = true;
        Box->SetParent(this);
        Box->SetTop(40);
        OnCloseQuery = [this](TObject*, bool& canClose) {
            Events.push_back("query");
            canClose = MayClose;
        };
        OnClose = [this](TObject*, TCloseAction&) { Events.push_back("close"); };
        EndLayout();
    }
    TButton* Ok = new TButton(this);
    TButton* Cancel = new TButton(this);
    TEdit* Box = new TEdit(this);
    std::vector<std::string> Events;
    bool MayClose = true;
};

TEST(ModalForm, EveryWayOfEndingTheRunAsksTheWindowAndLeavesNoModality) {
    const struct {
        const char* label;
        std::function<void(ModalForm&)> act;
        int expected;
    } rows[] = {
        {"OK button", [](ModalForm& form) { form.Ok->Click(); }, mrOk},
        {"Enter in a box", [](ModalForm& form) { QTest::keyClick(form.Box->View(), Qt::Key_Return); }, mrOk},
        {"Escape in a box", [](ModalForm& form) { QTest::keyClick(form.Box->View(), Qt::Key_Escape); },
         mrCancel},
        {"title bar", [](ModalForm& form) { form.View()->close(); }, mrCancel},
    };
    const QtDialogs qtDialogs;
    TForm main(nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ShowActive(main);
        ModalForm form;
        QWindow* over = nullptr;
        QTimer::singleShot(0, [&] {
            over = form.View()->windowHandle()->transientParent();
            EXPECT_EQ(form.View()->windowModality(), Qt::ApplicationModal);
            row.act(form);
        });
        EXPECT_EQ(form.ShowModal(), row.expected);
        EXPECT_EQ(over, main.View()->windowHandle());
        EXPECT_EQ(form.Events, (std::vector<std::string>{"query", "close"}));
        EXPECT_FALSE(form.GetVisible());
        EXPECT_FALSE(form.View()->isVisible());
        form.Show();
        EXPECT_EQ(form.View()->windowModality(), Qt::NonModal);
        EXPECT_EQ(form.View()->windowHandle()->transientParent(), nullptr);
    }
}

TEST(ModalForm, AWindowThatRefusesToCloseKeepsRunning) {
    const QtDialogs qtDialogs;
    ModalForm form;
    form.MayClose = false;
    QTimer::singleShot(0, [&] {
        form.Ok->Click();
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(form.View()->isVisible());
            form.MayClose = true;
            form.Cancel->Click();
        });
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(form.Events, (std::vector<std::string>{"query", "query", "close"}));
}

// Mended: a line without blanks, as a file's first bytes shown in the wrong-file message, ran
// past the message box's right edge.
TEST(QtMessageBox, EveryLineOfTheMessageFitsTheBox) {
    const struct {
        const char* label;
        std::string text;
    } cases[] = {
        {"a file's bytes", "The first line of the file should read: #SNTV1.1 this file has: " +
                               std::string(40, 'x') + std::string(60 * 4, '\\')},
        {"a long sentence", "This doesn't appear to be Drenvala network file. Choose another. " +
                                std::string(30, 'a') +
                                " and more words after it, more than the box is wide."},
        // Marks of a markup language are the message's own text.
        {"marks", "Line <b>one</b>\n\nline two"},
    };
    const QtDialogs qtDialogs;
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        QString shown;
        bool fits = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            ASSERT_NE(label, nullptr);
            shown = label->text();
            const QFontMetrics metrics(label->font());
            const QRect area = label->contentsRect();
            fits = label->geometry().right() < box->width();
            for (const QString& line : shown.split('\n'))
                fits = fits && metrics.horizontalAdvance(line) <= area.width();
            box->accept();
        });
        Application->MessageBox(row.text, "Wrong file message", MB_OK | MB_ICONEXCLAMATION);
        EXPECT_TRUE(fits) << shown.toStdString();
        // Nothing of the text is lost, only lines broken.
        EXPECT_EQ(shown.remove('\n').remove(' ').toStdString(),
                  QString::fromStdString(row.text).remove('\n').remove(' ').toStdString());
    }
}

} // namespace
