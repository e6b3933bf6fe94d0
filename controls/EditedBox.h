#pragma once

#include <functional>
#include <vector>

class TControl;
class TWinControl;

// Leaves the box being typed in within window, as moving on from it would, so that its exit
// applies what was typed. False when a box there (a typed edit box, a spin edit) cannot be left,
// as it holds text it cannot read: it keeps that text and the focus, and its conversion message
// is shown.
bool LeaveEditedBox(TWinControl& window);

// The commands of window (its buttons, speed buttons and menu items, as they are at the call) run
// only once leave has left the box being typed in; while it cannot, they do nothing. Nor does a
// click, wheel turn or short-cut key on any other control of the screen window window is shown in
// (a list, radio group, check box, tab, drawing or grid): the first of a gesture runs leave.
// The discarding controls (a dialog's Cancel) drop what was typed, so they run whatever it holds.
void CommandsLeaveEditedBoxFirst(TWinControl& window, const std::function<bool()>& leave,
                                 const std::vector<const TControl*>& discarding = {});
