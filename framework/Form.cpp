#include "framework/Form.h"

#include "framework/Application.h"
#include "framework/ControlView.h"
#include "framework/Dialogs.h"
#include "framework/Menus.h"
#include "framework/Screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

// The window: its title bar's close and its activation go to the form; the menu bar sits on
// top and the client area, holding the controls, fills the rest.
class FormView : public ControlView<QWidget> {
public:
    explicit FormView(TForm& form) : ControlView<QWidget>(form), form(form) {
        Client = new QWidget(this);
        Client->setObjectName("client");
    }

    void LayOut() {
        const QMenuBar* bar = form.GetMenu() ? form.GetMenu()->Bar() : nullptr;
        const int barHeight = bar && bar->parentWidget() == this ? bar->height() : 0;
        if (barHeight > 0)
            form.GetMenu()->Bar()->setGeometry(0, 0, width(), barHeight);
        Client->setGeometry(0, barHeight, width(), height() - barHeight);
    }

    QWidget* Client;

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
            const bool active = event->type() == QEvent::WindowActivate;
            CallFromView(form, [&] { form.ViewActivated(active); });
        }
        // Qt never activates a pop-up window: it loses the activation as it closes, by a click
        // elsewhere among others.
        if (event->type() == QEvent::Hide && windowType() == Qt::Popup)
            CallFromView(form, [&] { form.ViewActivated(false); });
        return ControlView<QWidget>::event(event);
    }

    // The form decides what a close does: Qt is never left to hide the window itself.
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        CallFromView(form, [&] { form.ViewClosed(); });
    }

    void resizeEvent(QResizeEvent* event) override {
        LayOut();
        ControlView<QWidget>::resizeEvent(event);
    }

private:
    TForm& form;
};

FormView& ViewOf(const TForm& form) {
    return *static_cast<FormView*>(form.View());
}

// The controls in the order Tab visits them: each container before its children, children by
// TabOrder.
void CollectTabOrder(const TWinControl& container, std::vector<TWinControl*>& order) {
    std::vector<TWinControl*> children;
    for (int i = 0; i < container.ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(container.Controls(i));
            child && !dynamic_cast<TForm*>(child))
            children.push_back(child);
    std::stable_sort(children.begin(), children.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->TabOrder < b->TabOrder; });
    for (TWinControl* child : children) {
        order.push_back(child);
        CollectTabOrder(*child, order);
    }
}

} // namespace

TForm* GetParentForm(const TControl& control) {
    for (const TControl* up = &control; up; up = up->Parent())
        if (const auto* form = dynamic_cast<const TForm*>(up))
            return const_cast<TForm*>(form);
    for (TComponent* owner = control.Owner(); owner; owner = owner->Owner())
        if (auto* form = dynamic_cast<TForm*>(owner))
            return form;
    return nullptr;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    ComponentState |= csLoading;
    auto* view = new FormView(*this);
    client = view->Client;
    SetView(view);
    ApplyWindowFlags();
    SetBounds(0, 0, 320, 240);
    SetVisible(false);
}

void TForm::EndLayout() {
    EndLoading();
    if (OnCreate)
        OnCreate(this);
}

void TForm::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

void TForm::SetBorderStyle(TBorderStyle value) {
    borderStyle = value;
    ApplyWindowFlags();
    ViewChanged();
}

void TForm::SetFormStyle(TFormStyle value) {
    formStyle = value;
    ApplyWindowFlags();
}

void TForm::SetMenu(TMainMenu* value) {
    menu = value;
    if (menu && menu->Bar()) {
        QMenuBar* bar = menu->Bar();
        bar->setParent(View());
        bar->resize(bar->sizeHint());
        bar->show();
        // Short-cuts of the menu work wherever the focus is in the window.
        for (QAction* action : bar->actions())
            View()->addAction(action);
    }
    ViewOf(*this).LayOut();
    AlignControls();
}

int TForm::MenuHeight() const {
    const QMenuBar* bar = menu ? menu->Bar() : nullptr;
    return bar && bar->parentWidget() == View() ? bar->height() : 0;
}

bool TForm::Active() const {
    return View() && View()->isActiveWindow();
}

void TForm::SetParent(TWinControl* newParent) {
    TWinControl::SetParent(newParent);
    // Undocked, the view is a window again.
    if (!newParent)
        ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
    if (!View() || Parent())
        return;
    Qt::WindowFlags flags = Qt::Window;
    switch (borderStyle) {
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case bsDialog:
        flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        flags = Qt::Tool;
        break;
    default:
        break;
    }
    if (formStyle == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    const bool shown = View()->isVisible();
    View()->setWindowFlags(flags);
    if (shown)
        View()->show();
}

void TForm::SetVisible(bool value) {
    const bool wasVisible = GetVisible();
    if (value && !Parent()) {
        PlaceOnFirstShow();
        ApplyTabOrder();
    }
    TWinControl::SetVisible(value);
    if (!View())
        return;
    if (!value) {
        View()->hide();
        if (wasVisible && OnHide)
            OnHide(this);
        return;
    }
    UpdateView();
    View()->show();
    if (ActiveControl && ActiveControl->CanFocus())
        ActiveControl->SetFocus();
    if (!wasVisible && OnShow)
        OnShow(this);
}

void TForm::PlaceOnFirstShow() {
    if (std::exchange(placed, true))
        return;
    TForm* mainForm = Application->MainForm();
    switch (Position) {
    case poScreenCenter:
    case poDesktopCenter:
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        const TForm* over = Position == poOwnerFormCenter ? dynamic_cast<TForm*>(Owner()) : mainForm;
        if (!over || over == this)
            over = mainForm && mainForm != this ? mainForm : nullptr;
        if (over) {
            // Where the owner shows, which the window manager may have changed.
            const QRect shown = over->View() && over->View()->isVisible()
                                    ? over->View()->geometry()
                                    : QRect(over->Left(), over->Top(), over->Width(), over->Height());
            SetBounds(shown.left() + (shown.width() - Width()) / 2,
                      shown.top() + (shown.height() - Height()) / 2, Width(), Height());
        } else
            SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
        break;
    }
    default:
        break;
    }
    KeepOnScreen();
}

// The window manager hangs the title bar and frame outside the client area that Left and Top
// place: a window placed at the screen's edge would have its title bar, and with it the only
// handle to move it, off the screen.
void TForm::KeepOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    int titleBar = DefaultTitleBarHeight;
    int frame = DefaultFrameWidth;
    if (const TForm* mainForm = Application->MainForm();
        mainForm && mainForm != this && mainForm->View() && mainForm->View()->isVisible()) {
        const QRect outer = mainForm->View()->frameGeometry();
        const QRect inner = mainForm->View()->geometry();
        titleBar = std::max(titleBar, inner.top() - outer.top());
        frame = std::max(frame, inner.left() - outer.left());
    }
    const int left = std::clamp(Left(), area.left() + frame,
                                std::max(area.left() + frame, area.right() + 1 - frame - Width()));
    const int top = std::clamp(Top(), area.top() + titleBar,
                               std::max(area.top() + titleBar, area.bottom() + 1 - frame - Height()));
    if (left != Left() || top != Top())
        SetBounds(left, top, Width(), Height());
}

void TForm::ApplyTabOrder() {
    std::vector<TWinControl*> order;
    CollectTabOrder(*this, order);
    QWidget* previous = nullptr;
    for (TWinControl* control : order) {
        QWidget* view = control->View();
        if (!view || view->focusPolicy() == Qt::NoFocus)
            continue;
        view->setFocusPolicy(control->TabStop ? Qt::StrongFocus : Qt::ClickFocus);
        if (previous)
            QWidget::setTabOrder(previous, view);
        previous = view;
    }
}

int TForm::ShowModal() {
    modalResult = mrNone;
    const int result = CurrentDialogResponder().ShowModal(*this);
    modalResult = result;
    return result;
}

void TForm::SetModalResult(int value) {
    modalResult = value;
    if (modalLoop && value != mrNone)
        modalLoop->quit();
}

int TForm::RunModalLoop() {
    const QPointer<QWidget> owner = QApplication::activeWindow();
    View()->setWindowModality(Qt::ApplicationModal);
    if (owner && owner != View()) {
        View()->winId();
        View()->windowHandle()->setTransientParent(owner->windowHandle());
    }
    modal = true;
    modalResult = mrNone;
    Show();
    QEventLoop loop;
    modalLoop = &loop;
    while (modalResult == mrNone || !CloseModal()) {
        if (Application->Terminated()) {
            modalResult = mrCancel;
            break;
        }
        if (modalResult == mrNone)
            loop.exec();
    }
    modalLoop = nullptr;
    modal = false;
    Hide();
    // A later plain Show is not modal, nor kept over the window this one was run from.
    View()->setWindowModality(Qt::NonModal);
    if (View()->windowHandle())
        View()->windowHandle()->setTransientParent(nullptr);
    // The window the run came from is the active one again.
    if (owner && owner->isVisible())
        owner->activateWindow();
    return modalResult;
}

bool TForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        if (OnClose)
            OnClose(this, action);
    }
    if (action == caNone) {
        modalResult = mrNone;
        return false;
    }
    if (action == caFree)
        Release();
    return true;
}

void TForm::Close() {
    if (modal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    const TCloseAction action = DoClose();
    if (action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        View()->showMinimized();
    else
        Release();
}

TCloseAction TForm::DoClose() {
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    return action;
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Release() {
    Hide();
    const QPointer<QWidget> alive(View());
    QTimer::singleShot(0, [this, alive] {
        if (alive)
            delete this;
    });
}

bool TForm::DialogKey(WORD key) {
    std::function<bool(TWinControl&)> offer = [&](TWinControl& container) {
        for (int i = 0; i < container.ControlCount(); ++i) {
            auto* child = dynamic_cast<TWinControl*>(container.Controls(i));
            if (!child || !child->GetVisible() || !child->GetEnabled() || dynamic_cast<TForm*>(child))
                continue;
            if (child->CMDialogKey(key) || offer(*child))
                return true;
        }
        return false;
    };
    return offer(*this);
}

void TForm::ViewActivated(bool active) {
    const TNotifyEvent& handler = active ? OnActivate : OnDeactivate;
    if (handler)
        handler(this);
}

void TForm::ViewClosed() {
    Close();
}

void TForm::UpdateView() {
    TWinControl::UpdateView();
    View()->setWindowTitle(QString::fromStdString(caption.str()));
    QPalette palette = View()->palette();
    palette.setColor(QPalette::Window, ToQColor(GetColor()));
    View()->setPalette(palette);
    View()->setAutoFillBackground(true);
    const bool fixed =
        !Parent() && (borderStyle == bsSingle || borderStyle == bsDialog || borderStyle == bsToolWindow);
    if (fixed)
        View()->setFixedSize(Width(), Height());
    else {
        View()->setMinimumSize(Constraints.MinWidth, Constraints.MinHeight);
        View()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    ViewOf(*this).LayOut();
}

void TForm::AddResizeFollower(TFormResizeFollower* follower) {
    if (std::find(resizeFollowers.begin(), resizeFollowers.end(), follower) == resizeFollowers.end())
        resizeFollowers.push_back(follower);
}

void TForm::RemoveResizeFollower(TFormResizeFollower* follower) {
    std::erase(resizeFollowers, follower);
}

void TForm::Resize() {
    // A handler may free a follower during the round: only those still here are told.
    const std::vector<TFormResizeFollower*> followers = resizeFollowers;
    auto present = [this](TFormResizeFollower* follower) {
        return std::find(resizeFollowers.begin(), resizeFollowers.end(), follower) != resizeFollowers.end();
    };
    for (auto follower = followers.rbegin(); follower != followers.rend(); ++follower)
        if (present(*follower))
            (*follower)->FormResizing(this);
    TWinControl::Resize();
    for (TFormResizeFollower* follower : followers)
        if (present(follower))
            follower->FormResized(this);
}
