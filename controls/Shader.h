#pragma once

#include "framework/Panel.h"

#include <cstdint>

// A panel filled with Steps bands of colour running from FromColor towards ToColor (the last band
// one step short of it), stacked from top to bottom, or side by side from left to right with
// Direction, in place of the panel's face, bevel and caption.
class TShader : public TPanel {
public:
    explicit TShader(TComponent* owner);

    TColor GetFromColor() const { return fromColor; }
    void SetFromColor(TColor value);
    TColor GetToColor() const { return toColor; }
    void SetToColor(TColor value);
    // At least 1 once painted: 0 becomes 1.
    std::uint16_t GetSteps() const { return steps; }
    void SetSteps(std::uint16_t value);
    bool GetDirection() const { return direction; }
    void SetDirection(bool value);

protected:
    void Paint() override;
    void UpdateView() override;

private:
    TColor fromColor = clBlue;
    TColor toColor = clBlack;
    std::uint16_t steps = 20;
    bool direction = false;
};
