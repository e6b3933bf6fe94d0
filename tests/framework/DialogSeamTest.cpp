#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

namespace {

// CallGuarded is checked through the typed edit box, ShowMessage through the network check.
TEST(DialogSeam, AMessageBoxIsAskedAndItsAnswerComesBack) {
    Responder().Clear();
    Responder().Answer(IDNO);
    EXPECT_EQ(Application->MessageBox("Really?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(Responder().Asked.size(), 1u);
    EXPECT_EQ(Responder().Asked[0].Text, "Really?");
    EXPECT_EQ(Responder().Asked[0].Caption, "Confirm");
    EXPECT_EQ(Responder().Asked[0].Flags, 0x24);
}

} // namespace
