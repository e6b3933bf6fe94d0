#include "controls/Typedmaskedit.h"
#include "controls/InputQuery.h"
#include "framework/Button.h"
#include "framework/Clipboard.h"
#include "framework/Form.h"
#include "framework/MessageBeep.h"
#include "tests/controls/TypedEditSupport.h"
#include "tests/support/DateSettings.h"
#include "tests/support/ScriptedResponder.h"

#include <string>

namespace {

struct MaskForm : TForm {
    MaskForm() : TForm(nullptr) {
        for (TTypedMaskEdit* edit : {Edit, Other}) {
            edit->SetParent(this);
            edit->SetBounds(10, edit == Edit ? 10 : 40, 120, 21);
        }
        EndLayout();
    }
    TTypedMaskEdit* Edit = new TTypedMaskEdit(this);
    TTypedMaskEdit* Other = new TTypedMaskEdit(this);
};

// Types keys as the view hands them on: Backspace as its key and character, a character beyond
// ASCII as the text typed, others as characters; '^' is Ctrl+Z and '>' the Right key.
void TypeKeys(TTypedMaskEdit& edit, const char* keys) {
    for (const char* c = keys; *c; ++c) {
        bool passOn = true;
        if (static_cast<unsigned char>(*c) >= 0x80) {
            const char* end = c + 1;
            while ((static_cast<unsigned char>(*end) & 0xC0) == 0x80)
                ++end;
            edit.ViewTextTyped(std::string(c, end));
            c = end - 1;
        } else if (*c == '>')
            edit.ViewKeyDown(VK_RIGHT, {}, 0, 0, passOn);
        else
            edit.ViewKeyDown(*c == '\b' ? VK_BACK : 0, {}, 0, *c == '^' ? '\x1A' : *c, passOn);
    }
}

TEST(TypedMaskEdit, TypingGoesThroughTheMask) {
    const DateSettings dates("dd/mm/yyyy", '/');
    const struct {
        const char* mask;
        const char* keys;
        const char* editText;
        const char* text;
    } rows[] = {
        {"99/99/0000;1;_", "31012011", "31/01/2011", "31/01/2011"},
        {"99/99/0000;0;_", "31012011", "31/01/2011", "31012011"},
        {"99/99/0000;1;_", "31/01", "31/01/____", "31/01/    "},
        {"99/99/0000;1;_", "3a1", "31/__/____", "31/  /    "},
        {"00-LL;1;*", "12ab", "12-ab", "12-ab"},
        {"00-LL;1;*", "1x2", "12-**", "12-  "},
        {">LL<ll;1;_", "abCD", "ABcd", "ABcd"},
        {">L<>l;1;_", "aB", "AB", "AB"},
        {"\\A0;1;_", "A5", "A5", "A5"},
        {"#99;1;_", "-12", "-12", "-12"},
        {"CCC;1;_", "a b", "a b", "a b"},
        {"9999;1;_", "1234\b\b", "12__", "12  "},
        {"", "x1", "x1", "x1"},
        {"000 000;0;_", "123>>56", "123 _56", "123 56"},
        {"000 000;1;_", "123>>56", "123 _56", "123  56"},
        {"00-00;0;_", "1>34", "1_-34", "1 34"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + " + " + row.keys);
        MaskForm form;
        TTypedMaskEdit& edit = *form.Edit;
        edit.SetEditMask(row.mask);
        edit.SetSelStart(0);
        TypeKeys(edit, row.keys);
        EXPECT_EQ(edit.GetEditText(), row.editText);
        EXPECT_EQ(edit.GetText(), row.text);
        // Read and set back, or refitted to the same mask, every character stays in its place.
        edit.SetText(edit.GetText());
        EXPECT_EQ(edit.GetEditText(), row.editText);
        edit.SetEditMask(row.mask);
        EXPECT_EQ(edit.GetEditText(), row.editText);
    }
}

TEST(TypedMaskEdit, DeleteBlanksAndAPasteGoesThroughTheMask) {
    const DateSettings dates("dd/mm/yyyy", '/');
    MaskForm form;
    TTypedMaskEdit& edit = *form.Edit;
    edit.SetEditMask("99/99/0000;1;_");
    edit.SetText("31/01/2011");
    EXPECT_EQ(edit.GetEditText(), "31/01/2011");
    edit.SetSelStart(3);
    bool passOn = true;
    edit.ViewKeyDown(VK_DELETE, {}, 0, 0, passOn);
    EXPECT_EQ(edit.GetEditText(), "31/_1/2011");
    edit.SetSelection(0, 5);
    edit.ViewKeyDown(VK_DELETE, {}, 0, 0, passOn);
    EXPECT_EQ(edit.GetEditText(), "__/__/2011");
    Clipboard().SetAsText("12/0x/1999");
    edit.SetSelStart(0);
    edit.PasteFromClipboard();
    // The paste stops at the letter the month's place refuses.
    EXPECT_EQ(edit.GetEditText(), "12/0_/2011");
    const int beeps = MessageBeeps();
    TypeKeys(edit, "x");
    EXPECT_EQ(MessageBeeps(), beeps + 1);
}

// Typed or pasted, a character goes through the mask by one rule: a literal of the mask typed
// before its place passes over the places up to it, left blank. A paste stops at the first
// character refused, where typing beeps and goes on.
TEST(TypedMaskEdit, PastedAndTypedCharactersPassTheMasksLiteralsAlike) {
    const DateSettings dates("dd/mm/yyyy", '/');
    const struct {
        const char* mask;
        const char* entered;
        const char* typed;
        const char* pasted;
    } rows[] = {
        // The paste stopped at the '-', the 9 not taken.
        {"000-000;1;_", "78-9", "78_-9__", "78_-9__"},
        {"000-000;1;_", "123-456", "123-456", "123-456"},
        {"000-000;1;_", "1-2-3", "1__-23_", "1__-2__"},
        {"99/99/0000;1;_", "1/2/2024", "1_/2_/2024", "1_/2_/2024"},
        {"(999) 000;1;_", "(12) 345", "(12_) 345", "(12_) 345"},
        {"$999;1;_", "$42", "$42_", "$42_"},
        {"000-000;1;_", "12x45", "124-5__", "12_-___"},
        // Mended: a place took the first byte of a typed "é", and two places a pasted one.
        {"LLL;1;_", "éab", "ab_", "___"},
        {"CCC;1;_", "aéb", "ab_", "a__"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + " + " + row.entered);
        MaskForm form;
        TTypedMaskEdit& edit = *form.Edit;
        edit.SetEditMask(row.mask);
        edit.SetSelStart(0);
        TypeKeys(edit, row.entered);
        EXPECT_EQ(edit.GetEditText(), row.typed);
        edit.SetText("");
        edit.SetSelStart(0);
        Clipboard().SetAsText(row.entered);
        edit.PasteFromClipboard();
        EXPECT_EQ(edit.GetEditText(), row.pasted);
    }
}

// Ctrl+Z brings back the text before the last edit, a second one redoes it.
TEST(TypedMaskEdit, UndoBringsBackTheMaskedText) {
    const struct {
        const char* mask;
        const char* keys;
        const char* pasted;
        const char* editText;
    } rows[] = {
        {"00-00;1;_", "1^", "", "__-__"},    {"00-00;1;_", "1^234", "", "23-4_"},
        {"00-00;1;_", "12^", "", "1_-__"},   {"00-00;1;_", "12^^", "", "12-__"},
        {"00-00;1;_", "^", "", "__-__"},     {"00-00;1;_", "12\b^", "", "12-__"},
        {"00-00;1;_", "^", "1234", "__-__"}, {"00-00;0;_", "1^", "", "__-__"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + " + " + row.keys + " after pasting " + row.pasted);
        MaskForm form;
        TTypedMaskEdit& edit = *form.Edit;
        edit.SetEditMask(row.mask);
        edit.SetSelStart(0);
        if (*row.pasted) {
            Clipboard().SetAsText(row.pasted);
            edit.PasteFromClipboard();
            EXPECT_EQ(edit.GetEditText(), "12-34");
        }
        TypeKeys(edit, row.keys);
        EXPECT_EQ(edit.GetEditText(), row.editText);
    }
}

// A text that holds the literals is read where they stand.
TEST(TypedMaskEdit, ATextWithItsLiteralsIsReadWhereTheyStand) {
    MaskForm form;
    form.Edit->SetEditMask("00-00;0;_");
    form.Edit->SetText("12-34");
    EXPECT_EQ(form.Edit->GetEditText(), "12-34");
}

TEST(TypedMaskEdit, AFilledMaskRaisesOnMaskCompleteAndMovesOn) {
    MaskForm form;
    form.Show();
    form.View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.View()));
    TTypedMaskEdit& edit = *form.Edit;
    edit.SetEditMask("000;1;_");
    AnsiString completed;
    edit.OnMaskComplete = [&](TObject*, const AnsiString& value, bool& accept) {
        completed = value;
        accept = value != "999";
    };
    for (const char* typed : {"999", "123"}) {
        SCOPED_TRACE(typed);
        edit.SetFocus();
        QApplication::processEvents();
        edit.SetSelStart(0);
        QTest::keyClicks(edit.View(), typed);
        QApplication::processEvents();
        EXPECT_EQ(completed, typed);
        // Only an accepted value moves the focus on.
        EXPECT_EQ(form.Other->Focused(), std::string(typed) == "123");
    }
}

// A double click selects from blank to blank, so a masked date or number goes whole.
TEST(TypedMaskEdit, ADoubleClickSelectsTheWordBetweenBlanks) {
    MaskForm form;
    form.Show();
    form.View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.View()));
    TTypedMaskEdit& edit = *form.Edit;
    const struct {
        const char* mask;
        const char* text;
        // The caret position the double click falls on.
        int at;
        const char* selected;
    } rows[] = {
        {"99/99/0000;1;_", "31/01/2011", 4, "31/01/2011"},
        {"99.99;1;_", "12.50", 4, "12.50"},
        {"000 000;1;_", "123 456", 5, "456"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        edit.SetEditMask(row.mask);
        edit.SetText(row.text);
        edit.SetFocus();
        QApplication::processEvents();
        DoubleClick(edit.View(), Over(edit, row.at));
        EXPECT_EQ(edit.GetSelText(), row.selected);
    }
}

TEST(TypedMaskEdit, ColoursAndEscape) {
    MaskForm form;
    form.Show();
    form.View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.View()));
    TTypedMaskEdit& edit = *form.Edit;
    edit.FocusColor = clYellow;
    edit.FocusFontColor = clBlue;
    edit.ShowModified = true;
    edit.CanUndo = true;
    edit.SetText("abc");
    form.Other->SetFocus();
    QApplication::processEvents();
    edit.SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(edit.GetColor(), clYellow);
    EXPECT_EQ(edit.Font.Color, clWindowText);
    QTest::keyClicks(edit.View(), "x");
    EXPECT_EQ(edit.Font.Color, clRed);
    QTest::keyClick(edit.View(), Qt::Key_Escape);
    EXPECT_EQ(edit.GetText(), "abc");
    form.Other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(edit.GetColor(), clWindow);
    edit.SetEnabled(false);
    EXPECT_EQ(edit.GetColor(), clSilver);
    edit.SetEnabled(true);
    EXPECT_EQ(edit.GetColor(), clWindow);
    edit.SetFlat(true);
    EXPECT_EQ(edit.GetColor(), form.GetColor());
    EXPECT_EQ(edit.GetBorderStyle(), bsNone);
}

// Mended: Escape after the program wrote the focused edit brought back the text from before that
// write, as if the user had changed it.
TEST(TypedMaskEdit, EscapeGivesBackTheTextAsTheUsersEditBegan) {
    const struct {
        const char* label;
        const char* written; // from code once the edit has the focus
        const char* typed;
        const char* escaped;
    } rows[] = {
        {"written from code", "333-444", "", "333-444"},
        {"written from code, then typed", "333-444", "5", "333-444"},
        {"typed only", nullptr, "5", "111-222"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        MaskForm form;
        TTypedMaskEdit& edit = *form.Edit;
        edit.SetEditMask("000-000;1;_");
        edit.CanUndo = true;
        edit.SetText("111-222");
        form.Show();
        form.View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.View()));
        form.Other->SetFocus();
        QApplication::processEvents();
        edit.SetFocus();
        QApplication::processEvents();
        if (row.written)
            edit.SetText(row.written);
        TypeKeys(edit, row.typed);
        QTest::keyClick(edit.View(), Qt::Key_Escape);
        EXPECT_EQ(edit.GetEditText(), row.escaped);
    }
}

TEST(GridInputQuery, OkGivesTheBoxsValueAndCancelKeepsTheOld) {
    const LocaleSeparators separators('.', ',');
    const TQueryParams params{2, false, 0, "", ""};
    const struct {
        const char* typed;
        bool ok;
        bool result;
        const char* value;
    } rows[] = {{"12.5", true, true, "12.50"}, {"12.5", false, false, "7"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ok);
        Responder().Clear();
        AnsiString caption;
        Responder().ModalActions.push_back([&](TForm& form) {
            caption = form.GetCaption();
            for (TComponent* component : form.Components()) {
                if (auto* box = dynamic_cast<TTypedEdit*>(component))
                    box->SetText(row.typed);
                if (auto* button = dynamic_cast<TButton*>(component);
                    button && button->GetCaption() == (row.ok ? "OK" : "Cancel"))
                    button->Click();
            }
        });
        AnsiString value = "7";
        EXPECT_EQ(GridInputQuery(etFloat, &params, "Width", "Column width:", value), row.result);
        EXPECT_EQ(value, row.value);
        EXPECT_EQ(caption, "Width");
    }
}

} // namespace
