#include "grid/CellGraphic.h"
#include "grid/Datagrid.h"

#include "framework/Form.h"
#include "framework/Picture.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/PrintSettingsText.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A grid that counts its repaints and the cells its cell drawer drew, with their state.
struct WatchedGrid : TDataGrid {
    using TDataGrid::TDataGrid;
    void Invalidate() override {
        ++invalidations;
        TDataGrid::Invalidate();
    }
    void DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
        drawn.emplace(ACol, ARow, AState, SelectionTextColor);
        TDataGrid::DrawGridCell(ACanvas, ACol, ARow, ARect, AState);
    }
    int invalidations = 0;
    std::set<std::tuple<int, int, TGridDrawState, TColor>> drawn;
};

TEST(GridSettings, PrintSettingsCopyIntoTheGridsOwn) {
    TDataGrid grid(nullptr);
    TPrintSettings chosen;
    ChangeEverySetting(chosen);
    grid.SetPrintSettings(chosen);
    EXPECT_EQ(Snapshot(*grid.PrintSettings), Snapshot(chosen));
    chosen.TitleLines.Clear();
    EXPECT_EQ(grid.PrintSettings->TitleLines.Count(), 2);
    EXPECT_THROW(grid.PrintSettings->Assign(*grid.Bands), EConvertError);
}

TEST(GridSettings, SettersRepaintOnlyWhenTheyChangeTheLook) {
    struct Row {
        const char* name;
        void (*act)(TDataGrid&);
        int repaints;
    } rows[] = {
        {"band colour while bands are off", [](TDataGrid& g) { g.Bands->SetPrimaryColor(clRed); }, 0},
        {"bands on", [](TDataGrid& g) { g.Bands->SetActive(true); }, 1},
        {"band length while on",
         [](TDataGrid& g) {
             g.Bands->SetActive(true);
             g.Bands->SetSecondaryLength(3);
         },
         2},
        {"tree shown again", [](TDataGrid& g) { g.CellNode->SetShowTree(false); }, 0},
        {"tree shown", [](TDataGrid& g) { g.CellNode->SetShowTree(true); }, 1},
        {"same node type", [](TDataGrid& g) { g.CellNode->SetNodeType(cnFlat); }, 0},
        {"background place", [](TDataGrid& g) { g.BackGround->SetTop(5); }, 1},
        {"check size", [](TDataGrid& g) { g.ControlLook->SetCheckSize(12); }, 1},
        {"fixed font", [](TDataGrid& g) { g.FixedFont.SetSize(10); }, 1},
        {"sort direction", [](TDataGrid& g) { g.SortSettings->Direction = sdDescending; }, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WatchedGrid grid(nullptr);
        grid.invalidations = 0;
        row.act(grid);
        EXPECT_EQ(grid.invalidations, row.repaints);
    }
}

TEST(GridSettings, BandsOfNoLengthTakeTheSecondaryColour) {
    TDataGrid grid(nullptr);
    grid.Bands->SetSecondaryColor(clBlue);
    grid.Bands->SetPrimaryLength(0);
    grid.Bands->SetSecondaryLength(0);
    EXPECT_EQ(grid.Bands->ColorOfRow(4), clBlue);
}

TEST(GridSettings, TheSortRowMayNotPassTheFixedRows) {
    TDataGrid grid(nullptr);
    grid.SortSettings->SetRow(0);
    grid.SortSettings->SetRow(1);
    EXPECT_EQ(grid.SortSettings->GetRow(), 1);
    EXPECT_EQ(ErrorText([&] { grid.SortSettings->SetRow(2); }),
              "Sort row should be smaller than number of fixed rows");
    EXPECT_EQ(grid.SortSettings->GetRow(), 1);
}

TEST(GridSettings, FilterConditionsGoWhereTheyAreInserted) {
    TDataGrid grid(nullptr);
    grid.Filter->Add()->Condition = "a*";
    grid.Filter->Add()->Condition = "c*";
    grid.Filter->Insert(1)->Condition = "b*";
    EXPECT_EQ(grid.Filter->GetItems(1)->Condition, "b*");
    EXPECT_EQ(grid.Filter->GetItems(2)->Condition, "c*");
}

TEST(GridSettings, TheFooterPanelAndItsHeight) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* grid = new TDataGrid(&form);
    grid->SetDefaultRowHeight(20);
    grid->FloatingFooter->SetVisible(true);
    EXPECT_EQ(grid->FooterPanel->Height(), 19);
    EXPECT_TRUE(grid->LastRowIsFooter);
    // Its window made, the panel takes the whole footer height.
    grid->SetParent(&form);
    EXPECT_EQ(grid->FooterPanel->Height(), 20);
    grid->SetDefRowHeightEx(25);
    EXPECT_EQ(grid->FooterPanel->Height(), 25);
    EXPECT_EQ(grid->FloatingFooter->GetFooterHeight(), 25);
    grid->FloatingFooter->SetFooterStyle(fsColumnPreview);
    EXPECT_FALSE(grid->LastRowIsFooter);
    grid->FloatingFooter->SetVisible(false);
    EXPECT_EQ(grid->FooterPanel->Height(), 0);
    EXPECT_FALSE(grid->FooterPanel->GetVisible());
}

TEST(GridSettings, FooterTemplates) {
    TDataGrid grid(nullptr);
    grid.SetCells(1, 2, "S12");
    grid.SetCells(3, 2, "4.5");
    grid.SetRow(2);
    struct Row {
        const char* tmpl;
        const char* expected;
    } rows[] = {
        {"no tags here", "no tags here"},
        {"Sewer <#1>: <#3> l/s", "Sewer S12: 4.5 l/s"},
        {"a<#x>b", "ab"},
        {"<#9>", ""},
        {"open <#1", "open <#1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tmpl);
        EXPECT_EQ(grid.FooterPanel->HTMLColReplace(row.tmpl), row.expected);
    }
}

TEST(GridSettings, FooterStylesDrawTheirCells) {
    ShownGrid<WatchedGrid> shown;
    WatchedGrid* grid = shown.grid;
    grid->SetColCount(3);
    grid->SetRow(2);
    grid->FloatingFooter->SetVisible(true);
    shown.Show();
    grid->drawn.clear();
    grid->FooterPanel->Repaint();
    // The last row in the panel, each cell fixed.
    for (int col = 0; col < 3; ++col)
        EXPECT_EQ(grid->drawn.count({col, 4, gdFixed, grid->SelectionTextColor}), 1u) << col;

    grid->FloatingFooter->SetFooterStyle(fsColumnPreview);
    grid->FloatingFooter->SetColumn(1);
    grid->drawn.clear();
    grid->FooterPanel->Repaint();
    // Only the preview's cell is drawn with black selection text.
    std::vector<std::tuple<int, int, TGridDrawState>> inBlack;
    for (const auto& [col, row, state, textColor] : grid->drawn)
        if (textColor == clBlack)
            inBlack.emplace_back(col, row, state);
    EXPECT_EQ(inBlack, (std::vector<std::tuple<int, int, TGridDrawState>>{{1, 2, 0}}));
    EXPECT_EQ(grid->SelectionTextColor, clHighlightText);
}

TEST(GridSettings, CellGraphics) {
    TCellGraphic rotated;
    for (auto [angle, stored] : {std::pair{-30, 330}, {720, 360}, {361, 1}, {360, 360}}) {
        rotated.SetAngle(angle);
        EXPECT_EQ(rotated.Angle, stored) << angle;
    }

    QTemporaryDir folder;
    const QString path = folder.filePath("wide.png");
    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    ASSERT_TRUE(wide.save(path));
    TPicture picture;
    picture.LoadFromFile(path.toStdString());
    struct Row {
        TStretchMode mode;
        TPoint size;
    } rows[] = {
        // 200 x 100 in 110 x 110 less a padding of 10: 100 x 100 of room.
        {StretchWithAspectRatio, {100, 50}},
        {Shrink, {100, 100}},
        {noStretch, {200, 100}},
        {Stretch, {100, 100}},
        {ShrinkWithAspectRatio, {100, 50}},
    };
    TCellGraphic graphic;
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.mode));
        graphic.SetPicture(&picture, false, row.mode, 10, haLeft, vaTop);
        EXPECT_EQ(graphic.GetPictureSize(110, 110, false), row.size);
    }
    // A picture that fits is not grown by shrinking.
    graphic.SetPicture(&picture, false, ShrinkWithAspectRatio, 0, haLeft, vaTop);
    EXPECT_EQ(graphic.GetPictureSize(300, 300, false), Point(200, 100));

    int changes = 0;
    TCellGraphic images;
    images.SetMultiImage(2, 3, 0, haLeft, vaTop, [&](TObject*, int ACol, int ARow) {
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ARow, 3);
        ++changes;
    });
    static_cast<TIntList*>(images.Object)->Add(7);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(images.State);

    // Owned objects go with the graphic; a bit button's glyph always does.
    auto* owned = new TBitmap;
    TCellGraphic bitmap;
    bitmap.SetBitmap(owned, true, haLeft, vaTop);
    bitmap.OwnsObject = true;
    TCellGraphic bitButton;
    bitButton.SetBitButton(30, 20, "OK", new TBitmap, haLeft, vaTop);
}

} // namespace
