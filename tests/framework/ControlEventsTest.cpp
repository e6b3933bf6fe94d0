#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "tests/framework/ActiveWindow.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A painted control that records every call the view makes into it.
class RecordingControl : public TCustomControl {
public:
    explicit RecordingControl(TComponent* owner) : TCustomControl(owner) {
        OnMouseDown = [this](TObject*, TMouseButton, TShiftState shift, int x, int y) {
            Add("down " + std::to_string(x) + "," + std::to_string(y) +
                (shift.Contains(ssDouble) ? " double" : ""));
        };
        OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Add("up"); };
        OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
            Add("move " + std::to_string(x) + "," + std::to_string(y));
        };
        OnClick = [this](TObject*) { Add("click"); };
        OnDblClick = [this](TObject*) { Add("double click"); };
        OnKeyDown = [this](TObject*, WORD& key, TShiftState) { Add("key " + std::to_string(key)); };
        OnKeyPress = [this](TObject*, char& key) { Add(std::string("press ") + key); };
        OnEnter = [this](TObject*) { Add("enter"); };
        OnExit = [this](TObject*) { Add("exit"); };
        OnMouseWheel = [this](TObject*, TShiftState, int delta, TPoint, bool& handled) {
            Add("wheel " + std::to_string(delta));
            handled = true;
        };
    }
    void WMTimer(unsigned id) override { Add("timer " + std::to_string(id)); }

    std::vector<std::string> Events;

protected:
    void Paint() override { Add("paint"); }

private:
    void Add(const std::string& event) { Events.push_back(event); }
};

struct EventsForm : TForm {
    EventsForm() : TForm(nullptr) {
        Control->SetParent(this);
        Control->SetBounds(10, 10, 100, 50);
        Other->SetParent(this);
        Other->SetBounds(10, 80, 100, 50);
        EndLayout();
        ShowActive(*this);
    }
    RecordingControl* Control = new RecordingControl(this);
    RecordingControl* Other = new RecordingControl(this);
};

struct UserAction {
    const char* label;
    std::function<void(QWidget*)> act;
    std::vector<std::string> events;
};

const std::vector<UserAction>& UserActions() {
    static const std::vector<UserAction> actions = {
        {"click",
         [](QWidget* view) { QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, 6)); },
         {"down 5,6", "click", "up"}},
        {"release outside",
         [](QWidget* view) {
             QTest::mousePress(view, Qt::LeftButton, {}, QPoint(5, 6));
             QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(500, 6));
         },
         {"down 5,6", "up"}},
        {"double click",
         [](QWidget* view) { QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(5, 6)); },
         {"double click", "down 5,6 double"}},
        {"move", [](QWidget* view) { QTest::mouseMove(view, QPoint(7, 8)); }, {"move 7,8"}},
        {"keys",
         [](QWidget* view) {
             view->setFocus();
             QTest::keyClicks(view, "a.");
         },
         {"key 65", "press a", "press ."}},
        {"wheel",
         [](QWidget* view) {
             QWheelEvent wheel(QPointF(5, 5), view->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120),
                               Qt::NoButton, {}, Qt::NoScrollPhase, false);
             QApplication::sendEvent(view, &wheel);
         },
         {"wheel 120"}},
        {"paint", [](QWidget* view) { view->repaint(); }, {"paint"}},
    };
    return actions;
}

// Qt may also report to a window's controls while the window is being deleted; none of that is
// handled.
TEST(ControlEvents, TheUsersActionsReachTheControlsEventsUnlessItsWindowIsGoing) {
    for (const bool going : {false, true})
        for (const UserAction& action : UserActions()) {
            SCOPED_TRACE(std::string(action.label) + (going ? ", window going" : ""));
            EventsForm form;
            form.Control->Events.clear();
            if (going)
                form.Destroying();
            action.act(form.Control->View());
            EXPECT_EQ(form.Control->Events, going ? std::vector<std::string>{} : action.events);
        }
}

TEST(ControlEvents, FocusMovingBetweenControlsRaisesExitThenEnter) {
    EventsForm form;
    form.Control->SetFocus();
    QApplication::processEvents();
    form.Control->Events.clear();
    form.Other->Events.clear();
    form.Other->SetFocus();
    QApplication::processEvents();
    std::erase(form.Control->Events, "paint");
    std::erase(form.Other->Events, "paint");
    EXPECT_EQ(form.Control->Events, std::vector<std::string>{"exit"});
    EXPECT_EQ(form.Other->Events, std::vector<std::string>{"enter"});
}

TEST(Timers, FireUnderTheEventLoopUntilStopped) {
    EventsForm form;
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(5);
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    };
    SetTimer(*form.Control, 111, 5);
    SetTimer(*form.Other, 7, 5);
    form.Control->Events.clear();
    // Waits for the ticks rather than a fixed time: a loaded machine may fire late.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return ticks >= 2 && !form.Control->Events.empty() && !form.Other->Events.empty(); }, 5000));
    ASSERT_FALSE(form.Control->Events.empty());
    ASSERT_FALSE(form.Other->Events.empty());
    EXPECT_EQ(form.Control->Events.back(), "timer 111");
    EXPECT_EQ(form.Other->Events.back(), "timer 7");
    timer.SetEnabled(false);
    ticks = 0;
    QTest::qWait(30);
    EXPECT_EQ(ticks, 0);
}

// Three panels and a client area, as the main window lays out its tool bar, status bar and
// working area (sizes by hand: 300 x 200 window).
TEST(Align, ControlsFillTheSidesThenTheRest) {
    TForm form(nullptr);
    form.SetClientSize(300, 200);
    auto* top = new TPanel(&form);
    auto* bottom = new TPanel(&form);
    auto* left = new TPanel(&form);
    auto* client = new TPanel(&form);
    for (TPanel* panel : {top, bottom, left, client})
        panel->SetParent(&form);
    top->SetHeight(41);
    top->SetAlign(alTop);
    bottom->SetHeight(19);
    bottom->SetAlign(alBottom);
    left->SetWidth(50);
    left->SetAlign(alLeft);
    int clientResizes = 0;
    client->OnResize = [&](TObject*) { ++clientResizes; };
    client->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 41));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 181, 300, 200));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 41, 50, 181));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 41, 300, 181));
    EXPECT_EQ(clientResizes, 1);

    // The window grows: everything follows.
    form.SetClientSize(400, 300);
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 281, 400, 300));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 41, 400, 281));
    EXPECT_EQ(clientResizes, 2);
    // A hidden side gives its room to the rest.
    left->Hide();
    EXPECT_EQ(client->BoundsRect(), Rect(0, 41, 400, 281));
}

TEST(Align, AWindowSizedByTheUserIsReadBack) {
    TForm form(nullptr);
    auto* client = new TPanel(&form);
    client->SetParent(&form);
    client->SetAlign(alClient);
    int resizes = 0;
    form.OnResize = [&](TObject*) { ++resizes; };
    form.Show();
    form.View()->resize(500, 350);
    EXPECT_EQ(form.Width(), 500);
    EXPECT_EQ(form.Height(), 350);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(client->Width(), form.ClientWidth());
    EXPECT_EQ(client->Height(), form.ClientHeight());
}

} // namespace
