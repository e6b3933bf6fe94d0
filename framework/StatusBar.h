#pragma once

#include "framework/Control.h"

#include <memory>
#include <vector>

class QLabel;
class TStatusBar;

class TStatusPanel {
public:
    explicit TStatusPanel(TStatusBar& bar) : bar(bar) {}

    const AnsiString& GetText() const { return text; }
    void SetText(const AnsiString& value);
    int GetWidth() const { return width; }
    void SetWidth(int value);

private:
    TStatusBar& bar;
    AnsiString text;
    int width = 50;
};

class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar& bar) : bar(bar) {}

    TStatusPanel* Add();
    int Count() const { return static_cast<int>(panels.size()); }
    TStatusPanel* Items(int index) const { return panels.at(static_cast<std::size_t>(index)).get(); }
    void Clear();

private:
    TStatusBar& bar;
    std::vector<std::unique_ptr<TStatusPanel>> panels;
};

// The bar along a window's bottom: panels of given widths with a text each (the last one
// reaching to the right edge), or with SimplePanel one text across the whole bar.
class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* owner);

    bool GetSimplePanel() const { return simplePanel; }
    void SetSimplePanel(bool value);
    const AnsiString& GetSimpleText() const { return simpleText; }
    void SetSimpleText(const AnsiString& value);
    bool GetSizeGrip() const { return sizeGrip; }
    void SetSizeGrip(bool value);

    TStatusPanels* const Panels = &panels;

protected:
    void UpdateView() override;

private:
    friend class TStatusPanel;
    friend class TStatusPanels;

    TStatusPanels panels{*this};
    bool simplePanel = false;
    AnsiString simpleText;
    bool sizeGrip = true;
    std::vector<QLabel*> labels;
    int laidOut = -1;
};
