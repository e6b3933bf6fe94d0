#pragma once

#include "controls/Typededit.h"
#include "framework/Form.h"
#include "framework/NumberFormat.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/EditMouse.h"
#include "tests/support/LocaleSeparators.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

// The settings that decide what a box takes and shows.
struct BoxSetup {
    TTypedEditType type = etString;
    std::int16_t precision = 0;
    const char* prefix = "";
    const char* suffix = "";
    bool isSigned = false;
    std::int16_t lengthLimit = 0;
    bool readOnly = false;
};

inline void Apply(TTypedEdit& box, const BoxSetup& setup) {
    box.SetEditType(setup.type);
    box.SetPrecision(setup.precision);
    box.SetPrefix(setup.prefix);
    box.SetSuffix(setup.suffix);
    box.Signed = setup.isSigned;
    box.LengthLimit = setup.lengthLimit;
    box.SetReadOnly(setup.readOnly);
}

// Window text with the caret as '|' or the selection in brackets; start -1 when unmarked.
struct Marked {
    std::string text;
    int start = -1;
    int end = -1;
};

inline Marked Unmark(std::string text) {
    Marked marked;
    if (const auto caret = text.find('|'); caret != std::string::npos) {
        text.erase(caret, 1);
        marked.start = marked.end = static_cast<int>(caret);
    } else if (const auto open = text.find('['); open != std::string::npos) {
        text.erase(open, 1);
        marked.start = static_cast<int>(open);
        marked.end = static_cast<int>(text.find(']'));
        text.erase(static_cast<std::size_t>(marked.end), 1);
    }
    marked.text = text;
    return marked;
}

// Sets the value that the box, with its prefix and suffix, shows as the marked text.
inline Marked SetShown(TTypedEdit& box, const char* shown) {
    const Marked marked = Unmark(shown);
    const std::size_t prefix = box.GetPrefix().str().size();
    box.SetText(marked.text.substr(prefix, marked.text.size() - prefix - box.GetSuffix().str().size()));
    EXPECT_EQ(box.GetWindowText(), marked.text);
    return marked;
}

// The shown text, and the caret or selection where marked.
inline void ExpectShown(const TTypedEdit& box, const char* shown) {
    const Marked marked = Unmark(shown);
    EXPECT_EQ(box.GetWindowText(), marked.text);
    if (marked.start >= 0) {
        EXPECT_EQ(box.GetSelStart(), marked.start);
        EXPECT_EQ(box.GetSelLength(), marked.end - marked.start);
    }
}

// A window with two typed boxes, the second to take the focus away from the first.
class TypedEditForm : public TForm {
public:
    TypedEditForm() : TForm(nullptr) {
        Box = new TTypedEdit(this);
        Box->SetParent(this);
        Box->SetBounds(10, 10, 150, 21);
        Other = new TTypedEdit(this);
        Other->SetParent(this);
        Other->SetBounds(10, 40, 150, 21);
        EndLayout();
    }
    TTypedEdit* Box;
    TTypedEdit* Other;
};

// The form shown offscreen and active, with the focus in the second box so that focusing the
// first one runs its focus handling.
inline std::unique_ptr<TypedEditForm> ShownTypedEditForm() {
    auto form = std::make_unique<TypedEditForm>();
    form->Show();
    form->View()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form->View()));
    form->Other->SetFocus();
    QApplication::processEvents();
    return form;
}

// Moves the focus as a user tabbing or clicking would.
inline void FocusOn(TTypedEdit& box) {
    box.SetFocus();
    QApplication::processEvents();
}

inline void Type(TTypedEdit& box, const char* keys) {
    QTest::keyClicks(box.View(), keys);
}

inline void Press(TTypedEdit& box, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(box.View(), key, modifiers);
    QApplication::processEvents();
}

// A test on a shown form whose first box does not yet have the focus.
class ShownBox : public ::testing::Test {
protected:
    std::unique_ptr<TypedEditForm> form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    void Leave() { FocusOn(*form->Other); }
};
