#pragma once

#include "framework/Control.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A container with an optional bevel and centred caption.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    void SetBevelOuter(TBevelCut value);
    TBevelCut GetBevelOuter() const { return bevelOuter; }

protected:
    void UpdateView() override;

private:
    AnsiString caption;
    TBevelCut bevelOuter = bvRaised;
};

// A container framed with its caption at the top.
class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);

protected:
    void UpdateView() override;

private:
    AnsiString caption;
};
