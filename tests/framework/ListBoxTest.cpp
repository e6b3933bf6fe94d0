#include "framework/ListBox.h"
#include "framework/Form.h"

#include <QApplication>
#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ListForm : TForm {
    ListForm() : TForm(nullptr) {
        List->SetParent(this);
        List->SetBounds(8, 8, 161, 200);
        EndLayout();
        List->OnClick = [this](TObject*) { Clicks.push_back(List->GetItemIndex()); };
        Show();
        View()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(View()));
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

} // namespace
