#include "framework/Application.h"
#include "framework/Chart.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/Screen.h"
#include "tests/framework/ActiveWindow.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A window that says when it is gone.
struct WatchedForm : TForm {
    explicit WatchedForm(TComponent* owner, bool* gone = nullptr) : TForm(owner), gone(gone) {
        Box->SetParent(this);
        EndLayout();
    }
    ~WatchedForm() override {
        if (gone)
            *gone = true;
    }
    TEdit* Box = new TEdit(this);
    bool* gone;
};

// A close query that refuses keeps the window and skips OnClose.
TEST(FormLifetime, CloseAsksThenActsAsOnCloseDecides) {
    const struct {
        bool canClose;
        TCloseAction action;
        bool visible;
        bool freed;
    } rows[] = {{true, caHide, false, false},
                {true, caNone, true, false},
                {true, caFree, false, true},
                {true, caMinimize, true, false},
                {false, caFree, true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.canClose << " " << row.action);
        bool gone = false;
        auto* form = new WatchedForm(nullptr, &gone);
        std::vector<std::string> events;
        form->OnCloseQuery = [&](TObject*, bool& canClose) {
            events.push_back("query");
            canClose = row.canClose;
        };
        form->OnClose = [&](TObject*, TCloseAction& action) {
            events.push_back("close");
            action = row.action;
        };
        form->Show();
        // From the title bar, as the user closes a window.
        form->View()->close();
        const std::vector<std::string> asked = {"query", "close"};
        EXPECT_EQ(events, row.canClose ? asked : std::vector<std::string>{"query"});
        // A freed window goes only once its handlers are done.
        EXPECT_FALSE(gone);
        if (!row.freed) {
            EXPECT_EQ(form->GetVisible(), row.visible);
        }
        QApplication::processEvents();
        EXPECT_EQ(gone, row.freed);
        if (!row.freed)
            delete form;
    }
}

TEST(FormLifetime, OnShowAndOnHideOnlyWhenTheWindowChanges) {
    WatchedForm form(nullptr);
    int shows = 0;
    int hides = 0;
    form.OnShow = [&](TObject*) { ++shows; };
    form.OnHide = [&](TObject*) { ++hides; };
    form.Show();
    form.Show();
    EXPECT_EQ(shows, 1);
    form.Hide();
    form.Hide();
    form.Show();
    EXPECT_EQ(shows, 2);
    EXPECT_EQ(hides, 1);
}

// A working window docked in one main window's panel, then in another's: it lives on when the
// window it was docked in goes, even with the focus in its box.
TEST(FormLifetime, ADockedWindowOutlivesTheWindowItIsDockedIn) {
    auto makeHost = [] {
        auto* host = new TForm(nullptr);
        auto* panel = new TPanel(host);
        panel->SetParent(host);
        panel->SetAlign(alClient);
        host->Show();
        return std::pair{host, panel};
    };
    WatchedForm docked(nullptr);
    docked.Box->SetWindowText("kept");
    int exits = 0;
    auto [first, firstPanel] = makeHost();
    docked.SetParent(firstPanel);
    docked.Show();
    EXPECT_FALSE(docked.View()->isWindow());
    EXPECT_EQ(docked.View()->parentWidget(), firstPanel->View());
    EXPECT_EQ(firstPanel->ControlCount(), 1);

    auto [second, secondPanel] = makeHost();
    docked.SetParent(secondPanel);
    EXPECT_EQ(firstPanel->ControlCount(), 0);
    delete first;
    ASSERT_NE(docked.View(), nullptr);
    EXPECT_EQ(docked.View()->parentWidget(), secondPanel->View());

    ShowActive(*second);
    docked.Box->SetFocus();
    QApplication::processEvents();
    second->OnClose = [&](TObject*, TCloseAction&) { ++exits; };
    delete second;
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(docked.Parent(), nullptr);
    docked.Hide();
    docked.Show();
    EXPECT_TRUE(docked.View()->isWindow());
    EXPECT_TRUE(docked.View()->isVisible());
    EXPECT_EQ(docked.Box->GetWindowText(), "kept");
}

// The program's windows reach each other through global pointers while they are built.
struct MainWindow;
MainWindow* Main = nullptr;

struct MainWindow : TForm {
    explicit MainWindow(TComponent* owner) : TForm(owner) {
        SeenItself = Main == this;
        OnCreate = [this](TObject*) { Created = true; };
        EndLayout();
    }
    bool SeenItself = false;
    bool Created = false;
};

TEST(Application, CreatesWindowsRunsTheMainOneAndFreesThemAtTheEnd) {
    bool otherGone = false;
    Application->CreateForm(Main);
    WatchedForm* other = nullptr;
    Application->CreateForm(other);
    other->gone = &otherGone;
    EXPECT_TRUE(Main->SeenItself);
    EXPECT_TRUE(Main->Created);
    EXPECT_EQ(Application->MainForm(), Main);
    QTimer::singleShot(0, [] {
        EXPECT_TRUE(Main->GetVisible());
        Main->Close();
    });
    Application->Run();
    EXPECT_TRUE(otherGone);
    EXPECT_TRUE(Application->Components().empty());
    Main = nullptr;
}

// A window with a chart, the kind whose freeing crashed once Qt's statics were gone.
struct ChartForm : TForm {
    explicit ChartForm(TComponent* owner) : TForm(owner) {
        chart->SetParent(this);
        EndLayout();
    }
    TChart* chart = new TChart(this);
};

TEST(ApplicationDeathTest, WindowsStillOpenWhenTheProgramExitsAreLeftToTheSystem) {
    // Qt calls exit() when the display goes away: the windows outlive the event loop.
    EXPECT_EXIT(
        {
            ChartForm* form = nullptr;
            Application->CreateForm(form);
            form->Show();
            std::exit(3);
        },
        testing::ExitedWithCode(3), "");
}

TEST(FormLook, ADialogIsAFixedDialogWindowPlacedAsItsPositionSays) {
    TForm dialog(nullptr);
    dialog.SetBorderStyle(bsDialog);
    dialog.Position = poScreenCenter;
    dialog.SetClientSize(200, 100);
    dialog.Show();
    EXPECT_EQ(dialog.View()->windowType(), Qt::Dialog);
    EXPECT_EQ(dialog.View()->minimumSize(), dialog.View()->maximumSize());
    EXPECT_EQ(dialog.Left(), (Screen->Width() - 200) / 2);
    EXPECT_EQ(dialog.Top(), (Screen->Height() - 100) / 2);
    TForm window(nullptr);
    window.Show();
    EXPECT_EQ(window.View()->windowType(), Qt::Window);
    EXPECT_NE(window.View()->minimumSize(), window.View()->maximumSize());
}

// The client area is what Left and Top place; the frame hangs around it, the title bar above.
TEST(FormLook, AWindowOpensWhollyOnTheScreenWithRoomForItsTitleBar) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    struct Row {
        const char* label;
        TPosition position;
        int left, top, width, height;
    } rows[] = {
        {"designed at the corner", poDesigned, 0, 0, 300, 200},
        {"designed past the far corner", poDesigned, area.right(), area.bottom(), 300, 200},
        {"centred, larger than the screen", poScreenCenter, 0, 0, area.width() + 200, area.height() + 200},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TForm dialog(nullptr);
        dialog.SetBorderStyle(bsDialog);
        dialog.Position = row.position;
        dialog.SetBounds(row.left, row.top, row.width, row.height);
        dialog.Show();
        EXPECT_GE(dialog.Left(), area.left() + 4);
        EXPECT_GE(dialog.Top(), area.top() + 30);
        if (row.width < area.width() - 8) {
            EXPECT_LE(dialog.Left() + dialog.Width(), area.right() + 1 - 4);
        }
        if (row.height < area.height() - 34) {
            EXPECT_LE(dialog.Top() + dialog.Height(), area.bottom() + 1 - 4);
        }
        EXPECT_EQ(dialog.View()->geometry().topLeft(), QPoint(dialog.Left(), dialog.Top()));
    }
}

TEST(FormLook, AToolWindowStaysOnTopWhateverTheOrderOfItsSettings) {
    for (const bool styleFirst : {false, true}) {
        SCOPED_TRACE(styleFirst ? "style first" : "border first");
        TForm tool(nullptr);
        if (styleFirst)
            tool.SetFormStyle(fsStayOnTop);
        tool.SetBorderStyle(bsToolWindow);
        if (!styleFirst)
            tool.SetFormStyle(fsStayOnTop);
        tool.Show();
        EXPECT_EQ(tool.View()->windowType(), Qt::Tool);
        EXPECT_TRUE(tool.View()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(tool.View()->isVisible());
        tool.SetFormStyle(fsNormal);
        EXPECT_FALSE(tool.View()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
}

} // namespace
