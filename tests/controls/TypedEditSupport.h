#pragma once

#include "controls/Typededit.h"
#include "framework/Form.h"
#include "framework/NumberFormat.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const AnsiString& text, std::ostream* out) {
    *out << '"' << text.str() << '"';
}

// Sets the locale's separators for one test and puts the previous ones back.
class LocaleSeparators {
public:
    LocaleSeparators(char decimal, char thousand)
        : savedDecimal(DecimalSeparator), savedThousand(ThousandSeparator) {
        DecimalSeparator = decimal;
        ThousandSeparator = thousand;
    }
    ~LocaleSeparators() {
        DecimalSeparator = savedDecimal;
        ThousandSeparator = savedThousand;
    }
    LocaleSeparators(const LocaleSeparators&) = delete;
    LocaleSeparators& operator=(const LocaleSeparators&) = delete;

private:
    char savedDecimal;
    char savedThousand;
};

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

// Gives the box the focus as a user tabbing into it would.
inline void FocusBox(TTypedEdit& box) {
    box.SetFocus();
    QApplication::processEvents();
}

inline void Type(TTypedEdit& box, const char* keys) {
    QTest::keyClicks(box.View(), keys);
}

inline void Press(TTypedEdit& box, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(box.View(), key, modifiers);
}
