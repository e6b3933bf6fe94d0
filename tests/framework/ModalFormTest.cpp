#include "framework/Button.h"
#include "framework/Form.h"

#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The program's own modal run, without the test's scripted responder.
TEST(ModalForm, AResultOrTheTitleBarEndsTheModalRun) {
    struct Row {
        const char* label;
        bool byButton;
        int expected;
    } rows[] = {{"OK button", true, mrOk}, {"title bar close", false, mrCancel}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TForm form(nullptr);
        auto* ok = new TButton(&form);
        ok->SetParent(&form);
        ok->ModalResult = mrOk;
        bool closeAsked = false;
        form.OnClose = [&](TObject*, TCloseAction&) { closeAsked = true; };
        QTimer::singleShot(0, [&] {
            if (row.byButton)
                ok->Click();
            else
                form.View()->close();
        });
        EXPECT_EQ(form.RunModalLoop(), row.expected);
        EXPECT_FALSE(form.View()->isVisible());
        EXPECT_EQ(closeAsked, !row.byButton);
    }
}

TEST(ModalForm, OnCloseCanKeepTheWindowOpen) {
    TForm form(nullptr);
    form.OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
    form.Show();
    form.Close();
    EXPECT_TRUE(form.View()->isVisible());
    EXPECT_FALSE(form.View()->close());
}

} // namespace
