#pragma once

#include "framework/Control.h"

#include <memory>

class QEventLoop;
class TBitmap;
class TMainMenu;

enum TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

// A control that follows its form's size (a grid sized with its form): the form tells it before
// and after running its own OnResize.
class TFormResizeFollower {
public:
    virtual void FormResizing(TObject* Sender) = 0;
    virtual void FormResized(TObject* Sender) = 0;

protected:
    ~TFormResizeFollower() = default;
};

using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// The least size the user can give a window by dragging its edges; 0 for no limit.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
};

// A window. It works without ever being shown: every control keeps its own state. Its controls
// sit in a client area below the menu bar, so a menu does not move what is laid out in pixels.
// Given a parent, it is docked: a child area of that parent without a frame of its own.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    int ClientWidth() const override { return Width(); }
    int ClientHeight() const override { return Height() - MenuHeight(); }
    void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height + MenuHeight()); }
    QWidget* ClientView() const override { return client; }
    void SetVisible(bool value) override;
    void SetParent(TWinControl* newParent) override;
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // fsStayOnTop keeps the window above the program's other windows.
    TFormStyle GetFormStyle() const { return formStyle; }
    void SetFormStyle(TFormStyle value);
    TMainMenu* GetMenu() const { return menu; }
    void SetMenu(TMainMenu* value);
    // The window holds the activation.
    bool Active() const;

    // Shows the window modally through the dialog seam and returns its ModalResult.
    int ShowModal();
    int GetModalResult() const { return modalResult; }
    // Setting a result ends a modal run, once the window agrees to close.
    void SetModalResult(int value);
    // Asks OnCloseQuery, then OnClose, and does what OnClose decided: hide, free, minimise or
    // nothing. The main window's close ends the program; a modal window's ends its run.
    void Close();
    // OnCloseQuery's answer: true when the window may close.
    bool CloseQuery();
    // Frees the window once the event being handled is over.
    void Release();
    // Enter or Escape that the focused control left: the default or cancel button takes it.
    bool DialogKey(WORD key);
    // A picture of the client area as it shows on screen.
    std::unique_ptr<TBitmap> GetFormImage() const;
    // Prints that picture at the top left of a page of the program's printer, as large as it
    // shows on screen; false when the user cancelled the job.
    bool Print() const;

    TWinControl* ActiveControl = nullptr;
    TPosition Position = poDesigned;
    TSizeConstraints Constraints;
    int HelpContext = 0;
    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    void ViewActivated(bool active);
    // Its title bar's close.
    void ViewClosed();

    // The followers, the last added first, hear of a new size before OnResize runs; after it,
    // the first added first.
    void AddResizeFollower(TFormResizeFollower* follower);
    void RemoveResizeFollower(TFormResizeFollower* follower);

protected:
    // Called at the end of a window's constructor, once its layout has set every property:
    // ends the loading and runs OnCreate.
    void EndLayout();
    void UpdateView() override;
    void Resize() override;

private:
    friend class QtDialogResponder;
    // Shows the window and runs events until it has a ModalResult and may close.
    int RunModalLoop();
    // The close that ends a modal run; false when the window refuses, which keeps it running.
    bool CloseModal();
    TCloseAction DoClose();
    int MenuHeight() const;
    void ApplyWindowFlags();
    void PlaceOnFirstShow();
    void KeepOnScreen();
    // What a window manager's frame takes, until the main window's shows the real figures.
    static constexpr int DefaultTitleBarHeight = 30;
    static constexpr int DefaultFrameWidth = 4;
    void ApplyTabOrder();

    AnsiString caption;
    QWidget* client;
    TMainMenu* menu = nullptr;
    TBorderStyle borderStyle = bsSizeable;
    TFormStyle formStyle = fsNormal;
    int modalResult = mrNone;
    bool modal = false;
    bool placed = false;
    QEventLoop* modalLoop = nullptr;
    std::vector<TFormResizeFollower*> resizeFollowers;
};

// The form a control sits in: the nearest one up its parents, or its owners for one not placed.
TForm* GetParentForm(const TControl& control);
