#include "framework/ListBox.h"
#include "framework/CheckListBox.h"
#include "framework/Form.h"
#include "tests/framework/ActiveWindow.h"

#include <QApplication>
#include <QListView>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct ListForm : TForm {
    ListForm() : TForm(nullptr) {
        List->SetParent(this);
        List->SetBounds(8, 8, 161, 200);
        EndLayout();
        List->OnClick = [this](TObject*) { Clicks.push_back(List->GetItemIndex()); };
        ShowActive(*this);
    }

    QListView* ListView() const { return static_cast<QListView*>(List->View()); }

    // The point inside the row at index, as the view now shows it.
    QPoint Row(int index) const {
        QApplication::processEvents();
        return ListView()->visualRect(ListView()->model()->index(index, 0)).center();
    }

    TListBox* List = new TListBox(this);
    std::vector<int> Clicks;
};

TEST(ListBox, CodeMovesTheHighlightSilentlyAndTheUserWithAClick) {
    ListForm form;
    for (const char* name : {"S1", "S2", "S3"})
        form.List->Items.Add(name);
    form.List->SetItemIndex(1);
    QApplication::processEvents();
    EXPECT_TRUE(form.Clicks.empty());
    EXPECT_EQ(form.ListView()->currentIndex().row(), 1);

    QWidget* rows = form.ListView()->viewport();
    QTest::mouseClick(rows, Qt::LeftButton, {}, form.Row(2));
    // The highlighted item clicked again is a click all the same.
    QTest::mouseClick(rows, Qt::LeftButton, {}, form.Row(2));
    // The last item: the key moves nothing.
    QTest::keyClick(form.ListView(), Qt::Key_Down);
    QTest::keyClick(form.ListView(), Qt::Key_Up);
    // A right press, or a press below the items, moves nothing.
    QTest::mouseClick(rows, Qt::RightButton, {}, form.Row(0));
    QTest::mouseClick(rows, Qt::LeftButton, {}, QPoint(20, 190));
    EXPECT_EQ(form.Clicks, (std::vector<int>{2, 2, 1}));
    EXPECT_EQ(form.List->GetItemIndex(), 1);
    EXPECT_EQ(form.ListView()->currentIndex().row(), 1);

    form.List->SetItemIndex(7);
    EXPECT_EQ(form.List->GetItemIndex(), -1);
    form.List->SetItemIndex(2);
    form.List->Items.Delete(2);
    EXPECT_EQ(form.List->GetItemIndex(), -1);
    form.List->SetItemIndex(0);
    form.List->Items.Clear();
    EXPECT_EQ(form.List->GetItemIndex(), -1);
    QApplication::processEvents();
    EXPECT_EQ(form.ListView()->model()->rowCount(), 0);
    EXPECT_EQ(form.Clicks.size(), 3u);
}

TEST(ListBox, ALongListIsReadOnlyForTheRowsInSight) {
    ListForm form;
    form.List->Items.BeginUpdate();
    for (int i = 0; i < 100000; ++i)
        form.List->Items.Add("S" + std::to_string(i));
    form.List->Items.EndUpdate();
    form.List->SetItemIndex(99999);
    QApplication::processEvents();
    const QAbstractItemModel& model = *form.ListView()->model();
    EXPECT_EQ(model.rowCount(), 100000);
    EXPECT_EQ(model.data(model.index(99999, 0)).toString(), "S99999");
    // The highlighted last item was brought into sight.
    const QRect last = form.ListView()->visualRect(model.index(99999, 0));
    EXPECT_TRUE(form.ListView()->viewport()->rect().contains(last.center()));
    QTest::mouseClick(form.ListView()->viewport(), Qt::LeftButton, {}, last.center());
    EXPECT_EQ(form.Clicks, std::vector<int>{99999});
}

struct CheckListForm : TForm {
    CheckListForm() : TForm(nullptr) {
        List->SetParent(this);
        List->SetBounds(8, 8, 161, 200);
        EndLayout();
        for (const char* name : {"Sewer", "Length (m)", "Gradient"})
            List->Items.Add(name);
        ShowActive(*this);
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
