#include "framework/PageControl.h"

#include "framework/ControlView.h"

#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace {

// A page's view: its size is the page control's to give, and the page reads it back.
class SheetView : public ControlView<QWidget> {
public:
    explicit SheetView(TTabSheet& sheet) : ControlView<QWidget>(sheet), sheet(sheet) {}

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        CallFromView(sheet, [this] { sheet.ViewResized(width(), height()); });
    }

private:
    TTabSheet& sheet;
};

QTabWidget& TabsOf(const TPageControl& control) {
    return *static_cast<QTabWidget*>(control.View());
}

} // namespace

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetView(new SheetView(*this));
}

TTabSheet::~TTabSheet() {
    if (pageControl)
        pageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) {
    if (value == pageControl)
        return;
    if (pageControl)
        pageControl->RemovePage(this);
    pageControl = value;
    if (pageControl)
        pageControl->InsertPage(this);
}

void TTabSheet::SetCaption(const AnsiString& value) {
    caption = value;
    if (pageControl)
        pageControl->ViewChanged();
}

void TTabSheet::SetTabVisible(bool value) {
    tabVisible = value;
    if (pageControl)
        pageControl->ViewChanged();
}

int TTabSheet::PageIndex() const {
    if (!pageControl)
        return -1;
    const auto& pages = pageControl->pages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QTabWidget>(*this);
    // A click or a key of the user's; changes from code come with the view's signals blocked.
    QObject::connect(view, &QTabWidget::currentChanged, view,
                     [this](int index) { CallFromView(*this, [this, index] { ViewTabChosen(index); }); });
    SetView(view);
    SetBounds(0, 0, 289, 193);
    TabStop = true;
}

TPageControl::~TPageControl() {
    for (TTabSheet* page : pages)
        page->pageControl = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages.push_back(page);
    page->SetParent(this);
    const QSignalBlocker blocker(TabsOf(*this));
    TabsOf(*this).addTab(page->View(), QString());
    if (!activePage)
        activePage = page;
    ViewChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
    const auto found = std::find(pages.begin(), pages.end(), page);
    if (found == pages.end())
        return;
    pages.erase(found);
    if (View() && page->View()) {
        QTabWidget& tabs = TabsOf(*this);
        const QSignalBlocker blocker(tabs);
        tabs.removeTab(tabs.indexOf(page->View()));
    }
    if (activePage == page)
        activePage = pages.empty() ? nullptr : pages.front();
    ViewChanged();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl != this)
        return;
    activePage = page;
    ViewChanged();
}

int TPageControl::GetActivePageIndex() const {
    return activePage ? activePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? Pages(index) : nullptr);
}

void TPageControl::SetTabPosition(TTabPosition value) {
    tabPosition = value;
    ViewChanged();
}

void TPageControl::SetTabWidth(int value) {
    tabWidth = value;
    ViewChanged();
}

void TPageControl::ViewTabChosen(int index) {
    if (index < 0 || index >= PageCount() || Pages(index) == activePage)
        return;
    activePage = Pages(index);
    ViewChanged();
    if (OnChange)
        OnChange(this);
}

void TPageControl::UpdateView() {
    TWinControl::UpdateView();
    QTabWidget& tabs = TabsOf(*this);
    const QSignalBlocker blocker(&tabs);
    // Pages all without tabs show as a plain stack.
    const bool anyTab =
        std::any_of(pages.begin(), pages.end(), [](const TTabSheet* page) { return page->GetTabVisible(); });
    tabs.tabBar()->setVisible(anyTab);
    for (int i = 0; i < PageCount(); ++i) {
        tabs.setTabText(i, QString::fromStdString(Pages(i)->GetCaption().str()));
        tabs.setTabVisible(i, !anyTab || Pages(i)->GetTabVisible());
    }
    static constexpr QTabWidget::TabPosition Positions[] = {QTabWidget::North, QTabWidget::South,
                                                            QTabWidget::West, QTabWidget::East};
    tabs.setTabPosition(Positions[tabPosition]);
    tabs.tabBar()->setStyleSheet(tabWidth > 0 ? QString("QTabBar::tab { min-width: %1px; }").arg(tabWidth)
                                              : QString());
    if (activePage)
        tabs.setCurrentWidget(activePage->View());
}
