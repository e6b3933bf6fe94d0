#include "framework/Edit.h"
#include "framework/Form.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

struct MemoForm : TForm {
    MemoForm() : TForm(nullptr) {
        Memo->SetParent(this);
        EndLayout();
    }
    TMemo* Memo = new TMemo(this);
};

} // namespace

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
