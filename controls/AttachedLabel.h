#pragma once

#include "framework/AnsiString.h"
#include "framework/Graphics.h"

class TControl;
class TLabel;
class TWinControl;

// Where the attached label stands: left of the box (its right edge LabelMargin from the box, or
// its left edge LabelMargin left of the box's for the ...Left kinds), or above or below it.
enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter
};

// The caption label a box keeps beside itself in its parent, made by the first caption written,
// owned by the box and placed again whenever the box's bounds, the caption, the position, the
// margin or the font change.
class TAttachedLabel {
public:
    explicit TAttachedLabel(TWinControl& box);

    AnsiString GetCaption() const;
    void SetCaption(const AnsiString& value);
    TLabelPosition GetPosition() const { return position; }
    void SetPosition(TLabelPosition value);
    int GetMargin() const { return margin; }
    void SetMargin(int value);
    bool GetTransparent() const { return transparent; }
    void SetTransparent(bool value);
    // The label's font, copied; a change places the label again.
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& value) { font.Assign(value); }
    // Null until a caption is written.
    TLabel* Label() const { return label; }

    // The label follows the box.
    void Place();
    void SetParent(TWinControl* parent);
    void SetVisible(bool value);
    void SetEnabled(bool value);
    // A bold caption, as while the box has the focus.
    void SetBold(bool value);

    // The mask edit's label: lpTopCenter and lpBottomCenter leave it where it stands, it shows in
    // the box's font and its transparency is left alone.
    bool MaskEditRules = false;

private:
    TWinControl& box;
    TLabel* label = nullptr;
    TLabelPosition position = lpLeftTop;
    int margin = 4;
    bool transparent = false;
    bool bold = false;
    TFont font;
};
