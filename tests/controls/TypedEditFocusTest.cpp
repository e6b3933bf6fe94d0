#include "tests/controls/TypedEditSupport.h"

#include <vector>

namespace {

// Another window taking the activation keeps the box focused in its own window: no exit and no
// enter, while the box still reformats as its focus goes.
TEST_F(ShownBox, AnotherWindowTakingTheActivationRaisesNoExit) {
    Apply(box, {etFloat, 2});
    FocusOn(box);
    std::vector<std::string> events;
    box.OnExit = [&](TObject*) { events.push_back("exit"); };
    box.OnEnter = [&](TObject*) { events.push_back("enter"); };
    Type(box, "3");
    TypedEditForm other;
    other.Show();
    other.View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(other.View()));
    EXPECT_EQ(box.GetText(), "3.00");
    form->View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->View()));
    EXPECT_TRUE(events.empty());
    Leave();
    EXPECT_EQ(events, std::vector<std::string>{"exit"});
}

// A press that brings the focus into the box is the native edit's, so a drag selects.
TEST_F(ShownBox, ADragIntoAnUnfocusedBoxSelects) {
    box.SetText("123456789012");
    QWidget* view = box.View();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(8, 10));
    QTest::mouseMove(view, QPoint(60, 10));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(60, 10));
    QApplication::processEvents();
    EXPECT_TRUE(box.Focused());
    EXPECT_GT(box.GetSelLength(), 0);
}

// Deleting a shown window moves the focus out of its focused box while the window is half
// gone: the box must not reformat or raise its events on it.
TEST(TypedEditLifetime, DeletingTheWindowOfAFocusedEmptyBoxRunsNoHandler) {
    auto form = ShownTypedEditForm();
    Apply(*form->Box, {etFloat, 2});
    form->Box->SetText("");
    FocusOn(*form->Box);
    int events = 0;
    form->Box->OnChange = [&](TObject*) { ++events; };
    form->Box->OnExit = [&](TObject*) { ++events; };
    form->Other->OnEnter = [&](TObject*) { ++events; };
    form.reset();
    QApplication::processEvents();
    EXPECT_EQ(events, 0);
}

} // namespace
