#include "framework/CustomEdit.h"
#include "framework/Clipboard.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "tests/framework/ActiveWindow.h"
#include "tests/support/EditMouse.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct EditForm : TForm {
    EditForm() : TForm(nullptr) {
        Edit->SetParent(this);
        Other->SetParent(this);
        Other->SetTop(30);
        EndLayout();
    }
    TCustomEdit* Edit = new TCustomEdit(this);
    TCustomEdit* Other = new TCustomEdit(this);
};

QLineEdit& ViewOf(TCustomEdit& edit) {
    return *static_cast<QLineEdit*>(edit.View());
}

// The form shown offscreen with the first box focused, as a user would find it.
struct ShownEditForm : EditForm {
    ShownEditForm() {
        ShowActive(*this);
        Edit->SetFocus();
        QApplication::processEvents();
    }
};

TEST(CustomEdit, TextSetFromCodeRaisesChangeOnceAndOnlyWhenDifferent) {
    EditForm form;
    int changes = 0;
    form.Edit->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, form.Edit);
        ++changes;
    };
    form.Edit->SetWindowText("hidden");
    form.Edit->SetWindowText("hidden");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(form.Edit->GetNativeModified());
    // A hidden form's view catches up when shown.
    EXPECT_EQ(ViewOf(*form.Edit).text(), "");
    form.Show();
    EXPECT_EQ(ViewOf(*form.Edit).text(), "hidden");
    // A shown form's view follows once the event loop turns.
    form.Edit->SetWindowText("shown");
    EXPECT_EQ(ViewOf(*form.Edit).text(), "hidden");
    QApplication::processEvents();
    EXPECT_EQ(ViewOf(*form.Edit).text(), "shown");
}

// A design run writes a box many times between two turns of the event loop; its view is
// written once.
TEST(CustomEdit, AShownBoxWrittenManyTimesUpdatesItsViewOnce) {
    ShownEditForm form;
    int viewChanges = 0;
    QObject::connect(&ViewOf(*form.Other), &QLineEdit::textChanged, [&] { ++viewChanges; });
    for (int i = 0; i < 100; ++i)
        form.Other->SetWindowText(std::to_string(i));
    EXPECT_EQ(viewChanges, 0);
    QApplication::processEvents();
    EXPECT_EQ(viewChanges, 1);
    EXPECT_EQ(ViewOf(*form.Other).text(), "99");
}

TEST(CustomEdit, TypingEditsTheTextAsANativeEditWould) {
    const struct {
        const char* label;
        const char* start;
        std::vector<QKeyCombination> keys;
        const char* typed;
        const char* expected;
    } rows[] = {
        {"plain typing", "", {}, "abc", "abc"},
        // Mended: punctuation has no key code of its own.
        {"punctuation", "", {}, "1.5-2,3;", "1.5-2,3;"},
        {"backspace", "abc", {Qt::Key_Backspace}, "", "ab"},
        {"home then type", "xyz", {Qt::Key_Home}, "a", "axyz"},
        {"delete at home", "xyz", {Qt::Key_Home, Qt::Key_Delete}, "", "yz"},
        {"shift-left selection replaced",
         "xyz",
         {Qt::SHIFT | Qt::Key_Left, Qt::SHIFT | Qt::Key_Left},
         "Q",
         "xQ"},
        {"undo", "xyz", {Qt::Key_Backspace, Qt::CTRL | Qt::Key_Z}, "", "xyz"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ShownEditForm form;
        form.Edit->SetWindowText(row.start);
        form.Edit->SetSelStart(form.Edit->GetWindowText().Length());
        for (const QKeyCombination key : row.keys)
            QTest::keyClick(form.Edit->View(), key.key(), key.keyboardModifiers());
        QTest::keyClicks(form.Edit->View(), row.typed);
        EXPECT_EQ(form.Edit->GetWindowText(), row.expected);
        EXPECT_EQ(ViewOf(*form.Edit).text().toStdString(), row.expected);
    }
}

// Types each character as the keyboard does: a key press carrying its text.
void TypeCharacters(QWidget* view, const QString& characters) {
    for (const QChar character : characters) {
        QKeyEvent press(QEvent::KeyPress,
                        character.isLetter() && character.unicode() < 0x80 ? character.toUpper().unicode()
                                                                           : 0,
                        Qt::NoModifier, QString(character));
        QApplication::sendEvent(view, &press);
    }
}

// The text is UTF-8, which the box counts in bytes and its view in UTF-16 units.
TEST(CustomEdit, TextBeyondAsciiIsTypedSelectedAndEditedWhole) {
    const struct {
        const char* label;
        const char* start;
        std::function<void(ShownEditForm&)> act;
        const char* text;
        const char* selected;
    } rows[] = {
        {"select all", "Ø1x", [](ShownEditForm& form) { form.Edit->SelectAll(); }, "Ø1x", "Ø1x"},
        {"typed", "", [](ShownEditForm& form) { TypeCharacters(form.Edit->View(), "é€ab"); }, "é€ab", ""},
        {"backspace", "aØ",
         [](ShownEditForm& form) { QTest::keyClick(form.Edit->View(), Qt::Key_Backspace); }, "a", ""},
        {"shift-left", "a€",
         [](ShownEditForm& form) { QTest::keyClick(form.Edit->View(), Qt::Key_Left, Qt::ShiftModifier); },
         "a€", "€"},
        {"mouse selection", "Ø1x", [](ShownEditForm& form) { ViewOf(*form.Edit).setSelection(0, 2); }, "Ø1x",
         "Ø1"},
        // MaxLength counts characters, not their bytes.
        {"too long", "abØ",
         [](ShownEditForm& form) {
             form.Edit->MaxLength = 3;
             TypeCharacters(form.Edit->View(), "€");
         },
         "abØ", ""},
        {"as long as MaxLength", "abØ",
         [](ShownEditForm& form) {
             form.Edit->MaxLength = 4;
             TypeCharacters(form.Edit->View(), "€");
         },
         "abØ€", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ShownEditForm form;
        form.Edit->SetWindowText(row.start);
        form.Edit->SetSelStart(form.Edit->GetWindowText().Length());
        QApplication::processEvents();
        row.act(form);
        QApplication::processEvents();
        EXPECT_EQ(form.Edit->GetWindowText(), row.text);
        EXPECT_EQ(form.Edit->GetSelText(), row.selected);
        EXPECT_EQ(ViewOf(*form.Edit).text().toStdString(), row.text);
        EXPECT_EQ(ViewOf(*form.Edit).selectedText().toStdString(), row.selected);
    }
}

TEST(CustomEdit, KeyEventsComeInOrderAndCanDropKeys) {
    ShownEditForm form;
    TCustomEdit& edit = *form.Edit;
    std::vector<std::string> events;
    edit.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        events.push_back("down " + std::to_string(key));
    };
    edit.OnKeyPress = [&](TObject*, char& key) {
        events.push_back(std::string("press ") + key);
        if (key == 'x')
            key = 0;
    };
    edit.OnChange = [&](TObject*) { events.push_back("change"); };
    QTest::keyClicks(edit.View(), "ax");
    EXPECT_EQ(edit.GetWindowText(), "a");
    EXPECT_EQ(events, (std::vector<std::string>{"down 65", "press a", "change", "down 88", "press x"}));
    EXPECT_TRUE(edit.GetNativeModified());
}

TEST(CustomEdit, ClipboardAndLengthLimit) {
    ShownEditForm form;
    TCustomEdit& edit = *form.Edit;
    QWidget* view = edit.View();
    edit.MaxLength = 4;
    QTest::keyClicks(view, "abcdef");
    EXPECT_EQ(edit.GetWindowText(), "abcd");
    edit.SelectAll();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().GetAsText(), "abcd");
    edit.SetSelection(1, 3);
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit.GetWindowText(), "ad");
    EXPECT_EQ(Clipboard().GetAsText(), "bc");
    Clipboard().SetAsText("123456\nsecond line");
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.GetWindowText(), "a12d");
    // Mended: a Windows line end left its carriage return in the text.
    edit.MaxLength = 0;
    edit.SetWindowText("");
    Clipboard().SetAsText("xy\r\nsecond line");
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.GetWindowText(), "xy");
}

// A double click selects what a native edit does: the word from blank to blank, so a number with
// its point, separators, sign or exponent goes whole, whatever Qt's own words are.
TEST(CustomEdit, ADoubleClickSelectsTheWordBetweenBlanks) {
    const struct {
        const char* text;
        // The caret position the double click falls on.
        int at;
        const char* selected;
    } rows[] = {
        {"2.64", 3, "2.64"},
        {"1,234.50", 6, "1,234.50"},
        {"-3.5e2", 2, "-3.5e2"},
        {"12.50 m", 5, "12.50"},
        {"12.50 m", 6, "m"},
        {"a\tb", 2, "b"},
        // Characters of more than one byte, and blanks alone between words.
        {"\xC3\x98"
         "1.5 \xE2\x82\xAC",
         2,
         "\xC3\x98"
         "1.5"},
        {"a   b", 2, "   "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " at " + std::to_string(row.at));
        ShownEditForm form;
        TCustomEdit& edit = *form.Edit;
        edit.SetWindowText(row.text);
        DoubleClick(edit.View(), Over(edit, row.at));
        EXPECT_EQ(edit.GetSelText(), row.selected);
        EXPECT_EQ(ViewOf(edit).selectedText().toStdString(), row.selected);
    }
}

// A caption set by the layout, while it loads, sizes the label once the layout is done; a later
// caption sizes it again.
TEST(Label, AutoSizeFollowsTheCaption) {
    struct LabelForm : TForm {
        LabelForm() : TForm(nullptr) {
            Left->SetParent(this);
            Left->SetCaption("Ground level (m)");
            Right->SetParent(this);
            Right->SetBounds(100, 30, 200, 13);
            Right->SetAlignment(taRightJustify);
            Right->SetCaption("Scale:");
            EndLayout();
        }
        TLabel* Left = new TLabel(this);
        TLabel* Right = new TLabel(this);
    } form;
    const QFontMetrics metrics(form.Left->Font.ToQFont());
    EXPECT_EQ(form.Left->Width(), metrics.horizontalAdvance("Ground level (m)"));
    EXPECT_EQ(form.Right->Width(), metrics.horizontalAdvance("Scale:"));
    EXPECT_EQ(form.Right->Left() + form.Right->Width(), 300);
    form.Left->SetCaption("&Length of the sewer, upstream");
    EXPECT_GT(form.Left->Width(), metrics.horizontalAdvance("Ground level (m)"));
    form.Show();
    EXPECT_EQ(static_cast<QLabel*>(form.Left->View())->text(), "Length of the sewer, upstream");
}

struct MemoForm : TForm {
    MemoForm() : TForm(nullptr) {
        Memo->SetParent(this);
        EndLayout();
    }
    TMemo* Memo = new TMemo(this);
};

TEST(Memo, TypedAndSetLinesBothRaiseOnChange) {
    MemoForm form;
    TMemo* memo = form.Memo;
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    static_cast<QPlainTextEdit*>(memo->View())->setPlainText("Riverside\nOutfall works");
    ASSERT_EQ(memo->Lines.Count(), 2);
    EXPECT_EQ(memo->Lines[1], "Outfall works");
    EXPECT_EQ(changes, 1);
    memo->Lines.SetText("One title");
    EXPECT_EQ(changes, 2);
    UpdateStaleViews();
    form.Show();
    UpdateStaleViews();
    EXPECT_EQ(static_cast<QPlainTextEdit*>(memo->View())->toPlainText(), "One title");
    EXPECT_EQ(changes, 2);
}

// A double click in a memo selects the word from blank to blank in the line clicked.
TEST(Memo, ADoubleClickSelectsTheWordBetweenBlanks) {
    MemoForm form;
    form.Memo->Lines.SetText("Outfall at\n1,234.50 m");
    form.Show();
    UpdateStaleViews();
    auto* view = static_cast<QPlainTextEdit*>(form.Memo->View());
    QTextCursor cursor(view->document());
    cursor.setPosition(view->toPlainText().indexOf("34"));
    DoubleClick(view->viewport(), view->cursorRect(cursor).center() + QPoint(2, 0));
    EXPECT_EQ(view->textCursor().selectedText().toStdString(), "1,234.50");
}

} // namespace
