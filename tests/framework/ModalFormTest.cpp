#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

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
    main.Show();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        main.View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.View()));
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

} // namespace
