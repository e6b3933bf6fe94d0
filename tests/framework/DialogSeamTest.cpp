#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/PaintBox.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
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

} // namespace
