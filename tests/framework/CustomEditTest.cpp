#include "framework/CustomEdit.h"
#include "framework/Clipboard.h"
#include "framework/Form.h"
#include "framework/Label.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class EditForm : public TForm {
public:
    EditForm() : TForm(nullptr) {
        Edit = new TCustomEdit(this);
        Edit->SetParent(this);
        Other = new TCustomEdit(this);
        Other->SetParent(this);
        Other->SetTop(30);
        Caption = new TLabel(this);
        Caption->SetParent(this);
        EndLayout();
    }
    TCustomEdit* Edit;
    TCustomEdit* Other;
    TLabel* Caption;
};

// Shows the form offscreen with the first box focused, as a user would find it.
std::unique_ptr<EditForm> ShownForm() {
    auto form = std::make_unique<EditForm>();
    form->Show();
    form->View()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form->View()));
    form->Edit->SetFocus();
    QApplication::processEvents();
    return form;
}

QLineEdit& ViewOf(TCustomEdit& edit) {
    return *static_cast<QLineEdit*>(edit.View());
}

TEST(CustomEdit, TextSetFromCodeRaisesChangeOnceAndOnlyWhenDifferent) {
    EditForm form;
    int changes = 0;
    form.Edit->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, form.Edit);
        ++changes;
    };
    form.Edit->SetWindowText("12.5");
    form.Edit->SetWindowText("12.5");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form.Edit->GetWindowText(), "12.5");
    EXPECT_FALSE(form.Edit->GetNativeModified());
}

TEST(CustomEdit, AHiddenFormsViewCatchesUpWhenShown) {
    EditForm form;
    form.Edit->SetWindowText("hidden");
    EXPECT_EQ(ViewOf(*form.Edit).text(), "");
    form.Show();
    EXPECT_EQ(ViewOf(*form.Edit).text(), "hidden");
    form.Edit->SetWindowText("shown");
    EXPECT_EQ(ViewOf(*form.Edit).text(), "shown");
}

TEST(CustomEdit, TypingEditsTheTextAsANativeEditWould) {
    struct Row {
        const char* label;
        const char* start;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        const char* typed;
        const char* expected;
    } rows[] = {
        {"plain typing", "", {}, "abc", "abc"},
        {"punctuation", "", {}, "1.5-2,3;", "1.5-2,3;"},
        {"backspace", "abc", {{Qt::Key_Backspace, Qt::NoModifier}}, "", "ab"},
        {"home then type", "xyz", {{Qt::Key_Home, Qt::NoModifier}}, "a", "axyz"},
        {"delete at home",
         "xyz",
         {{Qt::Key_Home, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier}},
         "",
         "yz"},
        {"shift-left selection replaced",
         "xyz",
         {{Qt::Key_End, Qt::NoModifier},
          {Qt::Key_Left, Qt::ShiftModifier},
          {Qt::Key_Left, Qt::ShiftModifier}},
         "Q",
         "xQ"},
        {"undo",
         "xyz",
         {{Qt::Key_End, Qt::NoModifier},
          {Qt::Key_Backspace, Qt::NoModifier},
          {Qt::Key_Z, Qt::ControlModifier}},
         "",
         "xyz"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        auto form = ShownForm();
        form->Edit->SetWindowText(row.start);
        form->Edit->SetSelStart(form->Edit->GetWindowText().Length());
        QWidget* view = form->Edit->View();
        for (const auto& [key, modifiers] : row.keys)
            QTest::keyClick(view, key, modifiers);
        QTest::keyClicks(view, row.typed);
        EXPECT_EQ(form->Edit->GetWindowText(), row.expected);
        EXPECT_EQ(ViewOf(*form->Edit).text().toStdString(), row.expected);
    }
}

TEST(CustomEdit, KeyEventsComeInOrderAndCanDropKeys) {
    auto form = ShownForm();
    std::vector<std::string> events;
    form->Edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        events.push_back("down " + std::to_string(key));
    };
    form->Edit->OnKeyPress = [&](TObject*, char& key) {
        events.push_back(std::string("press ") + key);
        if (key == 'x')
            key = 0;
    };
    form->Edit->OnChange = [&](TObject*) { events.push_back("change"); };
    QTest::keyClicks(form->Edit->View(), "ax");
    EXPECT_EQ(form->Edit->GetWindowText(), "a");
    const std::vector<std::string> expected{"down 65", "press a", "change", "down 88", "press x"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(form->Edit->GetNativeModified());
}

TEST(CustomEdit, ClipboardAndLengthLimit) {
    auto form = ShownForm();
    form->Edit->MaxLength = 4;
    QTest::keyClicks(form->Edit->View(), "abcdef");
    EXPECT_EQ(form->Edit->GetWindowText(), "abcd");
    form->Edit->SelectAll();
    QTest::keyClick(form->Edit->View(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().GetAsText(), "abcd");
    form->Edit->SetSelection(1, 3);
    QTest::keyClick(form->Edit->View(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(form->Edit->GetWindowText(), "ad");
    EXPECT_EQ(Clipboard().GetAsText(), "bc");
    Clipboard().SetAsText("123456\nsecond line");
    QTest::keyClick(form->Edit->View(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->Edit->GetWindowText(), "a12d");
}

TEST(CustomEdit, FocusMovesWithEnterAndExitEvents) {
    auto form = ShownForm();
    std::vector<std::string> events;
    form->Edit->OnExit = [&](TObject*) { events.push_back("exit edit"); };
    form->Other->OnEnter = [&](TObject*) { events.push_back("enter other"); };
    form->Other->SetFocus();
    QApplication::processEvents();
    const std::vector<std::string> expected{"exit edit", "enter other"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(form->Other->Focused());
}

TEST(Label, AutoSizeFollowsTheCaption) {
    EditForm form;
    form.Caption->SetCaption("&Length");
    const int shortWidth = form.Caption->Width();
    form.Caption->SetCaption("&Length of the sewer");
    EXPECT_GT(form.Caption->Width(), shortWidth);
    form.Show();
    EXPECT_EQ(static_cast<QLabel*>(form.Caption->View())->text(), "Length of the sewer");
}

} // namespace
