#pragma once

#include "framework/Canvas.h"
#include "framework/Control.h"

#include <memory>

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A container with an optional bevel and centred caption.
class TPanel : public TWinControl {
    std::unique_ptr<TCanvas> canvas = std::make_unique<TCanvas>();

public:
    explicit TPanel(TComponent* owner);
    ~TPanel() override;

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    void SetBevelOuter(TBevelCut value);
    TBevelCut GetBevelOuter() const { return bevelOuter; }

    void ViewPaint(QPainter& painter) override;

    // Draws on the panel while Paint runs.
    TCanvas* const Canvas = canvas.get();

protected:
    // Draws over the panel's face, bevel and caption; the plain panel adds nothing.
    virtual void Paint() {}
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
