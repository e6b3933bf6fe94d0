#include "framework/CheckListBox.h"
#include "framework/Form.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct CheckListForm : TForm {
    CheckListForm() : TForm(nullptr) {
        List->SetParent(this);
        List->SetBounds(8, 8, 161, 200);
        EndLayout();
        for (const char* name : {"Sewer", "Length (m)", "Gradient"})
            List->Items.Add(name);
        Show();
        View()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(View()));
    }

    QListWidget* ListView() const { return static_cast<QListWidget*>(List->View()); }

    // The checks as the list holds them and as the view shows them, "x" for checked.
    std::string Checks() const {
        QApplication::processEvents();
        std::string held, shown;
        for (int i = 0; i < List->Items.Count(); ++i) {
            held += List->GetChecked(i) ? 'x' : '.';
            shown += ListView()->item(i)->checkState() == Qt::Checked ? 'x' : '.';
        }
        return held == shown ? held : held + " shown " + shown;
    }

    // The check box of row index, where the user clicks it.
    QPoint CheckOf(int index) const {
        const QRect row = ListView()->visualItemRect(ListView()->item(index));
        return QPoint(row.left() + 8, row.center().y());
    }

    TCheckListBox* List = new TCheckListBox(this);
};

TEST(CheckListBox, ChecksFollowCodeClicksKeysAndChangesOfTheItems) {
    CheckListForm form;
    struct Step {
        const char* action;
        std::function<void(CheckListForm&)> act;
        const char* checks;
    };
    const Step steps[] = {
        {"new items are unchecked", [](CheckListForm&) {}, "..."},
        {"code checks one", [](CheckListForm& f) { f.List->SetChecked(1, true); }, ".x."},
        {"an index outside the items is ignored",
         [](CheckListForm& f) {
             f.List->SetChecked(3, true);
             f.List->SetChecked(-1, true);
         },
         ".x."},
        {"a click on a check box turns it",
         [](CheckListForm& f) {
             QTest::mouseClick(f.ListView()->viewport(), Qt::LeftButton, {}, f.CheckOf(0));
         },
         "xx."},
        {"the space bar turns the current item",
         [](CheckListForm& f) {
             f.ListView()->setFocus();
             f.ListView()->setCurrentRow(1);
             QTest::keyClick(f.ListView(), Qt::Key_Space);
         },
         "x.."},
        {"an added item comes unchecked, the others keep theirs",
         [](CheckListForm& f) { f.List->Items.Add("Depth d/s (m)"); }, "x..."},
        {"a removed last item takes its check with it",
         [](CheckListForm& f) {
             f.List->SetChecked(3, true);
             f.List->Items.Delete(3);
             f.List->Items.Add("again");
         },
         "x..."},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        step.act(form);
        EXPECT_EQ(form.Checks(), step.checks);
    }
    EXPECT_FALSE(form.List->GetChecked(9));
    EXPECT_EQ(form.ListView()->item(1)->text().toStdString(), "Length (m)");
}

} // namespace
