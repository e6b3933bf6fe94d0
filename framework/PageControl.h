#pragma once

#include "framework/Control.h"

#include <vector>

class TPageControl;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

// One page of a page control; its controls are placed on it as on a panel. The page control
// gives it its size.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* GetPageControl() const { return pageControl; }
    void SetPageControl(TPageControl* value);
    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    // A page without its tab can still be the active page.
    bool GetTabVisible() const { return tabVisible; }
    void SetTabVisible(bool value);
    int PageIndex() const;

protected:
    void PlaceView() override {}

private:
    friend class TPageControl;
    TPageControl* pageControl = nullptr;
    AnsiString caption;
    bool tabVisible = true;
};

// Pages on top of one another with a tab each; the user's choice of a tab raises OnChange,
// choosing a page from code does not.
class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages.size()); }
    TTabSheet* Pages(int index) const { return pages.at(static_cast<std::size_t>(index)); }
    TTabSheet* GetActivePage() const { return activePage; }
    void SetActivePage(TTabSheet* page);
    int GetActivePageIndex() const;
    void SetActivePageIndex(int index);
    TTabPosition GetTabPosition() const { return tabPosition; }
    void SetTabPosition(TTabPosition value);
    // Tabs at least this wide, wider where a caption needs it; 0 sizes each tab to its caption.
    int GetTabWidth() const { return tabWidth; }
    void SetTabWidth(int value);

    TNotifyEvent OnChange;

    // The user chose the tab at index.
    void ViewTabChosen(int index);

protected:
    void UpdateView() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);

    std::vector<TTabSheet*> pages;
    TTabSheet* activePage = nullptr;
    TTabPosition tabPosition = tpTop;
    int tabWidth = 0;
};
