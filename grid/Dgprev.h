#pragma once

#include "framework/Button.h"
#include "framework/CommonDialogs.h"
#include "framework/Form.h"
#include "framework/PaintBox.h"
#include "framework/Panel.h"

class TDataGrid;

// The grid a window or dialog works on, forgotten when the grid goes: watcher hears of its
// removal, and ForgetGrid then clears the pointer.
void WatchGrid(TComponent& watcher, TDataGrid*& grid, TDataGrid* value);
void ForgetGrid(TDataGrid*& grid, TComponent* AComponent, TOperation Operation);

// The printed pages of a grid, one at a time, with buttons to step through them, print and close.
class TGridPreviewForm : public TForm {
public:
    explicit TGridPreviewForm(TComponent* Owner);

    TDataGrid* GetGrid() const { return grid; }
    void SetGrid(TDataGrid* value);

    // The page area keeps nine tenths of the room below the buttons, centred.
    void FormResize(TObject* Sender);
    // The grid's current page drawn into the paint box; a page beyond 1 .. the count moves to the
    // nearest that is one, and is drawn again.
    void PreviewPaintBoxPaint(TObject* Sender);
    void PreviousClick(TObject* Sender);
    void NextClick(TObject* Sender);
    // Prints the whole grid; the preview stays at its page.
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);

    TPanel* Panel1;
    TButton* Previous;
    TButton* Next;
    TButton* Button3;
    TButton* Button4;
    TPanel* Panel2;
    TPaintBox* PreviewPaintBox;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Previous and Next enabled as the current page and the page count allow.
    void UpdateButtons();

    TDataGrid* grid = nullptr;
};

// Shows a grid's print preview in a modal window that remembers its size and place.
class TGridPreviewDialog : public TCommonDialog {
public:
    explicit TGridPreviewDialog(TComponent* AOwner);

    // Raises "The dialog does not have a grid component." without a grid. True only when the
    // window ends with mrOk, which none of its controls gives.
    bool Execute() override;

    TDataGrid* GetGrid() const { return grid; }
    void SetGrid(TDataGrid* value);
    int GetPreviewWidth() const { return previewWidth; }
    // At least 350 pixels.
    void SetPreviewWidth(int value);
    int GetPreviewHeight() const { return previewHeight; }
    // At least 100 pixels.
    void SetPreviewHeight(int value);

    int PreviewTop = 100;
    int PreviewLeft = 100;
    // The window opens centred on the screen, or else at PreviewLeft, PreviewTop.
    bool PreviewCenter = false;
    // Only page 1 is drawn and the pages are not counted.
    bool PreviewFast = false;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int previewWidth = 350;
    int previewHeight = 300;
    TDataGrid* grid = nullptr;
};
