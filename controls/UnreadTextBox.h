#pragma once

#include "framework/CustomEdit.h"

// An edit box the user types into is not left while it holds text it cannot read: leaving it by
// the keyboard, from code or by a click beeps and gives it the focus back with its text unread
// until the text reads. Another window taking the activation is no leaving.
class TUnreadTextBox {
public:
    virtual ~TUnreadTextBox() = default;

    // The control that is held.
    TWinControl& Box() const { return box; }

    // Left over text it cannot read, the box keeps the focus until the text reads.
    bool HoldsUnreadText() const { return held; }
    // Would be held so on being left: it holds such text and has its window's focus.
    bool KeepsUnreadText() const;
    // Says why the box holding text it cannot read was not left: the message of the conversion
    // error reading it raises. Every failed leave says so once.
    void TellWhyHeld();

protected:
    explicit TUnreadTextBox(TCustomEdit& box) : box(box) {}

    // The box holds text it cannot read.
    virtual bool TextUnread() const = 0;
    // The user can type into the box.
    virtual bool Typable() const { return !box.GetReadOnly(); }
    // Reads the text as the box reads its value, raising the conversion error of a text it
    // cannot read.
    virtual void ReadText() const = 0;
    // Shows whether the box is held, as its colours may.
    virtual void ShowHeld() {}

    // The focus leaves the box: true when the box is held instead, and it is not left. The focus
    // comes back once Qt has finished moving it, and the box says why then, unless a command
    // that tried to leave it has said so meanwhile. A click is its window's to answer: the window
    // says why for every control but one that drops what was typed.
    bool HeldOnLeaving(TWinControl::FocusChange how);
    // The text changed: a held box whose text reads lets go.
    void TextChanged();

private:
    // Only text that can be typed over is held: no one could mend the rest.
    bool Unread() const { return Typable() && TextUnread(); }
    void Hold(bool value);

    TCustomEdit& box;
    bool held = false;
    // Held by a leave that has not said why yet.
    bool whyUntold = false;
};
