#pragma once

#include "framework/Control.h"

class QEventLoop;

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

// A window. It works without ever being shown: every control keeps its own state.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }
    void SetVisible(bool value) override;

    // Shows the window modally through the dialog seam and returns its ModalResult.
    int ShowModal();
    int GetModalResult() const { return modalResult; }
    // Setting a result ends a modal run.
    void SetModalResult(int value);
    void Close();
    // Shows the window and runs events until it has a ModalResult or is closed.
    int RunModalLoop();
    // Asks OnClose whether the window may close; true when it may.
    bool CloseQuery();

    TWinControl* ActiveControl = nullptr;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;

protected:
    // Called at the end of a window's constructor, once its layout has set every property.
    void EndLayout() { EndLoading(); }
    void UpdateView() override;

private:
    AnsiString caption;
    int modalResult = mrNone;
    QEventLoop* modalLoop = nullptr;
};
