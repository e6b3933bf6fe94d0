#pragma once

#include "framework/Control.h"
#include "framework/DateTime.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

// A date or a time picked from a frameless box: a date drops down a calendar (dmComboBox) or
// steps with up-down buttons (dmUpDown), a time always steps. A change from the user raises
// OnChange; DroppedDown says whether the calendar is showing.
class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* owner);

    TDateTime GetDateTime() const { return dateTime; }
    void SetDateTime(TDateTime value);
    // The whole days, or the time of day, of DateTime; setting one keeps the other.
    TDateTime GetDate() const;
    void SetDate(TDateTime value);
    TDateTime GetTime() const;
    void SetTime(TDateTime value);
    TDateTimeKind GetKind() const { return kind; }
    void SetKind(TDateTimeKind value);
    TDTDateMode GetDateMode() const { return dateMode; }
    void SetDateMode(TDTDateMode value);
    bool GetDroppedDown() const { return droppedDown; }

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    // The value the user set in the view; the calendar showing or gone.
    void ViewChangedTo(TDateTime value);
    void ViewDropped(bool dropped);

protected:
    void UpdateView() override;

private:
    TDateTime dateTime = 0;
    TDateTimeKind kind = dtkDate;
    TDTDateMode dateMode = dmComboBox;
    bool droppedDown = false;
};
