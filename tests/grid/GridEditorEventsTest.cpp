#include "grid/GridEditors.h"
#include "tests/grid/EditingWindow.h"

#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Column 1 hidden: the editor in real column 2 shows as display column 1.
struct BehindAHiddenColumn : EditingWindow {
    explicit BehindAHiddenColumn(TEditorType type) {
        grid->SetCells(2, 1, "B");
        grid->OnGetEditorType = [type](TObject*, int ACol, int ARow, TEditorType& AEditor) {
            if (ACol == 2 && ARow == 1)
                AEditor = type;
        };
        for (const char* item : {"A", "B", "C"})
            grid->AddComboString(item);
        grid->HideColumn(1);
        const auto told = [this](int ACol) { columns.push_back(ACol); };
        grid->OnComboChange = [told](TObject*, int ACol, int, int, const AnsiString&) { told(ACol); };
        grid->OnComboObjectChange = [told](TObject*, int ACol, int, int, const AnsiString&, TObject*) {
            told(ACol);
        };
        grid->OnSpinClick = [told](TObject*, int ACol, int, int, bool) { told(ACol); };
        grid->OnEllipsClick = [told](TObject*, int ACol, int, AnsiString&) { told(ACol); };
        Show();
        Select(1, 1);
        Press(Qt::Key_F2);
    }
    TGridEditors& Editors() const { return grid->Editors(); }
    std::vector<int> columns;
};

TEST(GridEditorEvents, EveryEditorTellsItsHandlerTheRealColumn) {
    const struct {
        const char* name;
        TEditorType type;
        void (*act)(BehindAHiddenColumn&);
        std::size_t events;
    } rows[] = {
        {"a combo turned by the wheel", edComboList,
         [](BehindAHiddenColumn& window) { window.Editors().Combo->ViewMouseWheel({}, -120, 5, 5); }, 2},
        {"a combo's text typed", edComboEdit, [](BehindAHiddenColumn& window) { window.Type("x"); }, 1},
        {"the spin's up button", edSpinEdit,
         [](BehindAHiddenColumn& window) { window.Editors().Spin->UpClick(nullptr); }, 1},
        {"the edit button's ellipsis", edEditBtn,
         [](BehindAHiddenColumn& window) {
             QTest::mouseClick(window.Editors().EditBtn->Button->View()->findChild<QToolButton*>(),
                               Qt::LeftButton);
         },
         1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        BehindAHiddenColumn window(row.type);
        ASSERT_EQ(window.grid->GetRealCol(), 2);
        window.columns.clear();
        row.act(window);
        EXPECT_EQ(window.columns, std::vector<int>(row.events, 2));
    }
}

} // namespace
