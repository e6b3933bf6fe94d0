#include "controls/Typedspin.h"
#include "framework/DateStep.h"
#include "tests/controls/TypedEditSupport.h"
#include "tests/support/DateSettings.h"

#include <climits>
#include <string>

namespace {

struct LimitsForm : TForm {
    LimitsForm() : TForm(nullptr) {
        Spin->SetParent(this);
        Spin->SetBounds(10, 10, 120, 21);
        EndLayout();
    }
    TTypedSpinEdit* Spin = new TTypedSpinEdit(this);
};

// Puts the text in the edit with the caret at '|'.
void Show(TTypedSpinEdit& spin, const char* marked) {
    const Marked shown = Unmark(marked);
    spin.SetWindowText(shown.text);
    spin.SetSelStart(shown.start);
}

void Step(TTypedSpinEdit& spin, int sign) {
    if (sign > 0)
        spin.UpClick(&spin);
    else
        spin.DownClick(&spin);
}

} // namespace

// A date without limits stops at the calendar's first and last days.
TEST(TypedSpinLimits, DatesStopAtTheCalendarsEnds) {
    const DateSettings dates("mm/dd/yyyy", '/');
    LimitsForm form;
    TTypedSpinEdit& spin = *form.Spin;
    spin.SetSpinType(sptDate);
    const struct {
        const char* before;
        int sign;
        const char* after;
    } rows[] = {
        {"12/31/99|99", 1, "12/31/9999"},  {"1|2/31/9999", 1, "12/31/9999"}, {"12/3|1/9999", 1, "12/31/9999"},
        {"12/15/99|99", 1, "12/15/9999"},  {"1|2/15/9999", 1, "12/15/9999"}, {"12/3|0/9999", 1, "12/31/9999"},
        {"12/31/99|99", -1, "12/31/9998"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        Show(spin, row.before);
        EXPECT_NO_THROW(Step(spin, row.sign));
        EXPECT_EQ(spin.GetWindowText(), row.after);
    }
    const TDateTime first = EncodeDate(1, 1, 1);
    for (const TDatePart part : {TDatePart::Day, TDatePart::Month, TDatePart::Year}) {
        SCOPED_TRACE(static_cast<int>(part));
        EXPECT_DOUBLE_EQ(StepDate(first, part, -1), first);
    }
    EXPECT_DOUBLE_EQ(StepDate(EncodeDate(1, 2, 1), TDatePart::Month, -1), first);
}
