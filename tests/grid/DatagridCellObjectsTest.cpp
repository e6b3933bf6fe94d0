#include "grid/Datagrid.h"

#include "framework/ImageList.h"
#include "framework/StringList.h"
#include "tests/grid/ErrorText.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

TEST(DatagridCellObjects, TypedValues) {
    LocaleSeparators locale('.', ',');
    DateSettings dates("dd/mm/yyyy", '/');
    struct Row {
        const char* name;
        std::function<std::string(TDataGrid&)> act;
        const char* expected;
    } rows[] = {
        {"an empty cell reads as integer 0", [](TDataGrid& g) { return std::to_string(g.GetInts(1, 1)); },
         "0"},
        {"12a is no integer",
         [](TDataGrid& g) {
             g.SetCells(1, 1, "12a");
             return ErrorText([&] { g.GetInts(1, 1); });
         },
         "Cell does not contain integer value"},
        {"-42 is one",
         [](TDataGrid& g) {
             g.SetInts(1, 1, -42);
             return std::to_string(g.GetInts(1, 1));
         },
         "-42"},
        {"2.5 with the default format",
         [](TDataGrid& g) {
             g.SetFloats(1, 1, 2.5);
             return g.GetCells(1, 1).str();
         },
         "2.50"},
        {"four decimals, the tie away from zero",
         [](TDataGrid& g) {
             g.FloatFormat = "%.4f m";
             g.SetFloats(1, 1, 0.00125);
             return g.GetCells(1, 1).str();
         },
         "0.0013 m"},
        {"a format that is no number's",
         [](TDataGrid& g) {
             g.FloatFormat = "%s";
             g.SetCells(1, 1, "kept");
             return ErrorText<EDataGridError>([&] { g.SetFloats(1, 1, 1); }) + " " + g.GetCells(1, 1).str();
         },
         "Invalid float format %s kept"},
        {"two conversions",
         [](TDataGrid& g) {
             g.FloatFormat = "%.1f %.1f";
             return ErrorText<EDataGridError>([&] { g.SetFloats(1, 1, 1); });
         },
         "Invalid float format %.1f %.1f"},
        {"a date day first",
         [](TDataGrid& g) {
             g.SetDates(1, 1, EncodeDate(2001, 11, 3));
             return g.GetCells(1, 1).str() + " " +
                    std::to_string(g.GetDates(1, 1) == EncodeDate(2001, 11, 3));
         },
         "03/11/2001 1"},
        {"random numbers below 1 are 0",
         [](TDataGrid& g) {
             g.RandomFill(false, 0);
             return g.GetCells(1, 1).str() + g.GetCells(2, 2).str() + g.GetCells(0, 0).str();
         },
         "00"},
        {"a text into every normal cell",
         [](TDataGrid& g) {
             g.TextFill(false, "t");
             return g.GetCells(0, 1).str() + g.GetCells(1, 0).str() + g.GetCells(2, 2).str();
         },
         "t"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(3);
        grid.SetRowCount(3);
        EXPECT_EQ(row.act(grid), row.expected);
    }
}

TEST(DatagridCellObjects, CheckBoxes) {
    TDataGrid grid(nullptr);
    grid.SetCells(2, 1, "text");
    grid.AddCheckBox(1, 1, true, false);
    bool state = false;
    EXPECT_TRUE(grid.GetCheckBoxState(1, 1, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(grid.ToggleCheckBox(1, 1));
    EXPECT_TRUE(grid.GetCheckBoxState(1, 1, state));
    EXPECT_FALSE(state);
    // A data check box reads and writes the cell's text.
    grid.SetCells(2, 2, "Y");
    grid.AddCheckBox(2, 2, false, true);
    EXPECT_TRUE(grid.GetCheckBoxState(2, 2, state));
    EXPECT_TRUE(state);
    grid.ToggleCheck(2, 2, false);
    EXPECT_EQ(grid.GetCells(2, 2), "N");
    EXPECT_TRUE(grid.HasDataCheckBox(2, 2));
    EXPECT_TRUE(grid.HasStaticEdit(2, 2));
    // A cell the handler refuses stays.
    grid.OnCanEditCell = [](TObject*, int, int, bool& canEdit) { canEdit = false; };
    EXPECT_FALSE(grid.ToggleCheck(2, 2, true));
    EXPECT_EQ(grid.GetCells(2, 2), "N");
    EXPECT_FALSE(grid.GetCheckBoxState(2, 1, state));
    EXPECT_FALSE(grid.SetCheckBoxState(2, 1, true));
    grid.RemoveCheckBox(1, 1);
    EXPECT_FALSE(grid.HasCheckBox(1, 1));
}

TEST(DatagridCellObjects, RadioGroups) {
    TDataGrid grid(nullptr);
    TStrings* items = grid.CreateRadio(1, 1, 0, 2);
    items->Add("A");
    items->Add("B");
    items->Add("C");
    EXPECT_TRUE(grid.IsRadio(1, 1));
    EXPECT_TRUE(grid.ToggleRadio(1, 1, false));
    int index = -1;
    EXPECT_TRUE(grid.GetRadioIdx(1, 1, index));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(grid.GetCells(1, 1), "A");
    // Bound to the cell's text.
    TStringList shared;
    shared.Add("A");
    shared.Add("B");
    shared.Add("C");
    grid.SetCells(2, 1, "B");
    grid.AddRadio(2, 1, 1, -1, &shared);
    EXPECT_TRUE(grid.ToggleRadio(2, 1, false));
    EXPECT_EQ(grid.GetCells(2, 1), "C");
    EXPECT_EQ(grid.GetRadioStrings(2, 1), &shared);
    // No items: nothing changes.
    grid.CreateRadio(3, 1, 0, -1);
    grid.SetCells(3, 1, "x");
    EXPECT_FALSE(grid.ToggleRadio(3, 1, false));
    EXPECT_EQ(grid.GetCells(3, 1), "x");
    EXPECT_FALSE(grid.SetRadioIdx(1, 2, 1));
    EXPECT_FALSE(grid.GetRadioIdx(1, 2, index));
    EXPECT_TRUE(grid.RemoveRadio(2, 1));
    EXPECT_EQ(shared.Count(), 3);
}

TEST(DatagridCellObjects, ImageListCells) {
    TDataGrid grid(nullptr);
    // Without an image list the calls make nothing.
    grid.AddImageIdx(1, 1, 2, haLeft, vaTop);
    grid.AddDataImage(1, 2, 2, haLeft, vaTop);
    grid.AddMultiImage(1, 3, 0, haLeft, vaTop);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(grid.GetCellType(1, row), ctEmpty) << row;

    TImageList images(nullptr);
    grid.SetImages(&images);
    grid.SetCells(2, 1, "kept");
    grid.AddImageIdx(2, 1, 2, haRight, vaCenter);
    grid.AddDataImage(2, 2, 1, haLeft, vaTop);
    grid.AddMultiImage(2, 3, 0, haLeft, vaTop);
    EXPECT_EQ(grid.GetCells(2, 1), "kept");
    EXPECT_EQ(grid.GetCellType(2, 1), ctImageList);
    EXPECT_EQ(grid.GetCellType(2, 2), ctDataImage);
    int index = -1;
    EXPECT_TRUE(grid.GetImageIdx(2, 1, index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(grid.GetCellImageIdx(2, 1), 2);
    // Only an image-list cell answers, and only while the list is there.
    index = -1;
    EXPECT_FALSE(grid.GetImageIdx(2, 2, index));
    EXPECT_EQ(index, -1);
    grid.SetImages(nullptr);
    EXPECT_FALSE(grid.GetImageIdx(2, 1, index));
    grid.SetImages(&images);

    TIntList* list = grid.GetCellImages(2, 3);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(grid.GetCellImageIdx(2, 3), -1);
    list->Add(4);
    list->Add(1);
    EXPECT_EQ(grid.GetCellImageIdx(2, 3), 4);
    EXPECT_EQ(grid.GetCellImages(2, 1), nullptr);

    // Each removal takes only its own kinds.
    EXPECT_FALSE(grid.RemoveImageIdx(2, 2));
    EXPECT_FALSE(grid.RemoveDataImage(2, 3));
    grid.RemoveMultiImage(2, 1);
    EXPECT_EQ(grid.GetCellType(2, 1), ctImageList);
    EXPECT_TRUE(grid.RemoveDataImage(2, 2));
    EXPECT_EQ(grid.GetCellType(2, 2), ctEmpty);
    grid.RemoveMultiImage(2, 3);
    EXPECT_EQ(grid.GetCellGraphic(2, 3), nullptr);
    EXPECT_TRUE(grid.RemoveImageIdx(2, 1));
    grid.AddImageIdx(2, 1, 0, haLeft, vaTop);
    EXPECT_TRUE(grid.RemoveDataImage(2, 1));
    EXPECT_EQ(grid.GetCells(2, 1), "kept");
    grid.AddCheckBox(3, 3, true, false);
    EXPECT_FALSE(grid.RemoveDataImage(3, 3));
    EXPECT_TRUE(grid.HasCheckBox(3, 3));
}

TEST(DatagridCellObjects, KindsAndRemovals) {
    TDataGrid grid(nullptr);
    grid.CreateIcon(1, 1, haLeft, vaTop);
    EXPECT_EQ(grid.GetBitmap(1, 1), nullptr);
    EXPECT_FALSE(grid.RemoveBitmap(1, 1));
    EXPECT_EQ(grid.GetCellType(1, 1), ctIcon);
    EXPECT_TRUE(grid.RemoveIcon(1, 1));
    EXPECT_EQ(grid.GetCellType(1, 1), ctEmpty);

    TBitmap* bitmap = grid.CreateBitmap(1, 2, false, haCenter, vaCenter);
    EXPECT_EQ(grid.GetBitmap(1, 2), bitmap);
    grid.AddMarker(1, 2, 3, 4);
    grid.RemoveMarker(1, 2);
    int m1 = -1;
    int m2 = -1;
    grid.GetMarker(1, 2, m1, m2);
    EXPECT_EQ(m1 + m2, 0);
    EXPECT_EQ(grid.GetBitmap(1, 2), bitmap);
    // Markers alone make an empty object, gone with them.
    grid.AddMarker(2, 2, 3, 4);
    grid.GetMarker(2, 2, m1, m2);
    EXPECT_EQ(m1 * 10 + m2, 34);
    grid.RemoveMarker(2, 2);
    EXPECT_EQ(grid.GetCellGraphic(2, 2), nullptr);

    grid.AddComment(3, 3, "first\nsecond");
    AnsiString comment;
    EXPECT_TRUE(grid.IsComment(3, 3, comment));
    EXPECT_EQ(comment, "first\nsecond");
    grid.AddRotated(2, 3, -30, "up");
    int angle = 0;
    EXPECT_TRUE(grid.IsRotated(2, 3, angle));
    EXPECT_EQ(angle, 330);
    EXPECT_EQ(grid.GetCells(2, 3), "up");

    grid.SetCells(3, 1, "text");
    grid.AddButton(3, 1, 20, 10, "Go", haRight, vaTop);
    EXPECT_TRUE(grid.HasButton(3, 1));
    EXPECT_EQ(grid.GetCells(3, 1), "text");
    EXPECT_EQ(grid.ButtonRect(4, 1), TRect{});
    grid.RemoveButton(3, 1);
    EXPECT_FALSE(grid.HasButton(3, 1));
}

} // namespace
