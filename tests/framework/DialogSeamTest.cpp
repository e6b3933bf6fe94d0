#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogSeam, ScriptedAnswersComeBackAndQuestionsAreRecorded) {
    Responder().Clear();
    Responder().Answer(IDNO);
    EXPECT_EQ(Application->MessageBox("Really?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(Application->MessageBox("Again?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDYES);
    ShowMessage("Done");
    ASSERT_EQ(Responder().Asked.size(), 3u);
    EXPECT_EQ(Responder().Asked[0].Text, "Really?");
    EXPECT_EQ(Responder().Asked[0].Caption, "Confirm");
    EXPECT_EQ(Responder().Asked[0].Flags, 0x24);
    EXPECT_EQ(Responder().Asked[2].Caption, Application->Title);
    EXPECT_EQ(Responder().Asked[2].Flags, MB_OK);
}

TEST(DialogSeam, AnExceptionEscapingAHandlerIsShownNotPropagated) {
    Responder().Clear();
    EXPECT_NO_THROW(CallGuarded([] { throw EConvertError("'x' is not a valid floating point value"); }));
    ASSERT_EQ(Responder().Asked.size(), 1u);
    EXPECT_EQ(Responder().Asked[0].Text, "'x' is not a valid floating point value");
    EXPECT_EQ(Responder().Asked[0].Flags, MB_OK | MB_ICONERROR);
}

} // namespace
