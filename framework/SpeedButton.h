#pragma once

#include "framework/Bitmap.h"
#include "framework/Control.h"

// A tool button. With a GroupIndex it stays down once clicked, and the others of its group on
// the same parent come up; AllowAllUp lets a click on the down button bring it up.
class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    bool GetDown() const { return down; }
    void SetDown(bool value);
    int GetGroupIndex() const { return groupIndex; }
    void SetGroupIndex(int value);
    bool GetAllowAllUp() const { return allowAllUp; }
    void SetAllowAllUp(bool value);
    bool GetFlat() const { return flat; }
    void SetFlat(bool value);
    // The picture: NumGlyphs images side by side, the first one shown; the colour of its
    // bottom-left pixel is transparent.
    void SetGlyph(const TBitmap& value);
    const TBitmap& GetGlyph() const { return glyph; }
    int NumGlyphs = 1;

    using TControl::Click;
    // A click from the user: the button goes down, or up, as its group allows, then Click.
    void ViewClicked();

protected:
    void UpdateView() override;

private:
    // The other buttons of the group, on the same parent.
    std::vector<TSpeedButton*> Group() const;

    AnsiString caption;
    bool down = false;
    int groupIndex = 0;
    bool allowAllUp = false;
    bool flat = false;
    TBitmap glyph;
};
