#include "grid/Gridobj.h"

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct Change {
    int Col, Row;
    friend bool operator==(const Change&, const Change&) = default;
};

TEST(Gridobj, IntListTellsItsCellOfEveryChange) {
    TIntList list(3, 7);
    std::vector<Change> changes;
    list.OnChange = [&](TObject* sender, int col, int row) {
        EXPECT_EQ(sender, &list);
        changes.push_back({col, row});
    };
    list.Add(10);
    list.Add(-4);
    list.SetInteger(0, 11);
    EXPECT_EQ(list.GetInteger(0), 11);
    EXPECT_EQ(list.GetInteger(1), -4);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(changes, (std::vector<Change>(4, {3, 7})));

    EXPECT_THROW(list.GetInteger(1), EListError);
    EXPECT_THROW(list.SetInteger(-1, 0), EListError);
    EXPECT_THROW(list.Delete(5), EListError);
    EXPECT_EQ(changes.size(), 4u);
}

TEST(Gridobj, SortIndexKeepsColumnsWithTheirDirection) {
    struct Step {
        const char* name;
        void (*act)(TSortIndexList&);
        std::vector<unsigned> expected;
        int changes;
    } steps[] = {
        {"column 3 descending", [](TSortIndexList& l) { l.AddIndex(3, false); }, {0x80000003u}, 1},
        {"toggled", [](TSortIndexList& l) { l.ToggleIndex(3); }, {3u}, 1},
        {"absent column", [](TSortIndexList& l) { l.ToggleIndex(9); }, {3u}, 0},
        {"column 0 descending", [](TSortIndexList& l) { l.AddIndex(0, false); }, {3u, 0x80000000u}, 1},
        {"column 3 again", [](TSortIndexList& l) { l.AddIndex(3, true); }, {3u, 0x80000000u, 3u}, 1},
        {"first of two toggled",
         [](TSortIndexList& l) { l.ToggleIndex(3); },
         {0x80000003u, 0x80000000u, 3u},
         1},
    };
    TSortIndexList list(0, 0);
    int changes = 0;
    list.OnChange = [&](TObject*, int, int) { ++changes; };
    EXPECT_EQ(list.FindIndex(3), -1);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        changes = 0;
        step.act(list);
        std::vector<unsigned> items;
        for (int i = 0; i < list.Count(); ++i)
            items.push_back(static_cast<unsigned>(list.GetInteger(i)));
        EXPECT_EQ(items, step.expected);
        EXPECT_EQ(changes, step.changes);
    }
    EXPECT_EQ(list.FindIndex(3), 0);
    EXPECT_EQ(list.FindIndex(0), 1);
    EXPECT_EQ(list.FindIndex(1), -1);
}

TEST(Gridobj, ArrowWindowsAreCutToTheirArrow) {
    struct Row {
        TArrowDirection direction;
        TPoint inside, outside;
    } rows[] = {
        {arrUp, {5, 2}, {0, 0}},
        {arrDown, {5, 6}, {0, 8}},
        {arrLeft, {6, 5}, {1, 1}},
        {arrRight, {2, 5}, {7, 1}},
    };
    TForm form(nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.direction));
        auto* arrow = new TArrowWindow(&form, row.direction);
        arrow->SetBounds(0, 0, 11, 11);
        form.Show();
        arrow->Show();
        EXPECT_TRUE(arrow->View()->mask().contains(QPoint(row.inside.x, row.inside.y)));
        EXPECT_FALSE(arrow->View()->mask().contains(QPoint(row.outside.x, row.outside.y)));
    }
}

TEST(Gridobj, PopupButtonDrawsAFramedCaption) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* label = new TPopupButton(&form);
    label->SetParent(&form);
    label->SetBounds(10, 10, 60, 20);
    label->Caption = "Length of the sewer";
    form.Show();
    // A window of its own, not cut by its parent's edge, that never takes the focus.
    EXPECT_TRUE(label->View()->isWindow());
    EXPECT_TRUE(label->View()->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    const QImage shown = label->View()->grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(shown.pixel(1, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shown.pixel(58, 18) & 0xFFFFFF, 0x808080u);
    label->Flat = true;
    EXPECT_NE(label->View()->grab().toImage().pixel(1, 5) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(Gridobj, FilePicturesReadTheirFileEachTime) {
    QTemporaryDir folder;
    const QString path = folder.filePath("pipe.png");
    QImage red(20, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path));

    TFilePicture picture;
    picture.SetFileName(path.toStdString());
    EXPECT_EQ(picture.Width(), 20);
    EXPECT_EQ(picture.Height(), 10);
    TBitmap cell;
    cell.SetSize(40, 40);
    picture.DrawPicture(*cell.Canvas, Rect(0, 0, 40, 20));
    EXPECT_EQ(cell.Image().pixel(39, 19) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(cell.Image().pixel(39, 21) & 0xFFFFFF, 0xFFFFFFu);

    // Gone since: nothing is drawn and nothing raised, at every repaint.
    QFile::remove(path);
    TBitmap blank;
    blank.SetSize(40, 40);
    picture.DrawPicture(*blank.Canvas, Rect(0, 0, 40, 20));
    EXPECT_EQ(blank.Image().pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_THROW(picture.SetFileName(path.toStdString()), EInvalidGraphic);
}

} // namespace
