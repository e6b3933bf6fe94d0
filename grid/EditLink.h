#pragma once

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Events.h"
#include "framework/Geometry.h"

#include <memory>

class TDataGrid;
class TForm;

enum TEditStyle { esInplace, esPopup };

// Any control as the editor of a grid cell (editor type edCustom): a descendant binds its
// control through the virtual operations, the grid opens it inside the cell or in a pop-up
// window, and the link writes the value back to the cell it was opened on.
class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* owner);
    ~TEditLink() override;

    // The editor control's key handler: Enter, Escape, the page keys, End and the arrows leave
    // the editor unless a WantKey switch keeps them; Home always stays.
    virtual void EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void CreateEditor(TWinControl* AParent);
    virtual void DestroyEditor() {}
    // True focuses the edit control, false the grid.
    virtual void SetFocus(bool Value);
    // The control at R, less the grid's line width.
    virtual void SetRect(TRect R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor AColor, const TFont& AFont);
    virtual AnsiString GetEditorValue() { return ""; }
    virtual void SetEditorValue(const AnsiString& Value);

    // The editor control's exit handler: the value goes back and a pop-up window goes.
    void EditExit(TObject* Sender);
    // The pop-up window lost the activation.
    void FormExit(TObject* Sender);
    void HideEditor();
    AnsiString GetCellValue();
    void SetCellValue(const AnsiString& Value);
    // The pop-up window in pop-up style, else the grid.
    TWinControl* GetParent();
    TForm* GetPopup() const { return popup.get(); }

    TDataGrid* GetGrid() const { return grid; }
    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 0;
    int PopupHeight = 0;
    int Tag = 0;

private:
    friend class TDataGrid;
    // The grid opens the link on a cell (real column, row), in the pop-up window it made or
    // inside itself.
    void Open(TDataGrid& onGrid, int col, int row, std::unique_ptr<TForm> window);
    // The grid is going: the pop-up window goes with it.
    void GridGone();
    void FreePopup();
    // The value the editor showed of its cell, as the editor gives it back.
    void ValueShown() { shownValue = GetEditorValue(); }
    // The edit ends: a value the user changed goes into the cell, which is forgotten then, so that
    // a later leaving of the editor writes nowhere.
    void WriteBack();
    // A text set from code in cell (col, row), which the editor takes unless it is its own.
    bool TakeCell(int col, int row, const AnsiString& text);
    // The grid closed its editors, before it changes, keeping what the user changed when Write:
    // the editor in the cell hides, which ends its edit; a pop-up one ends its edit at once.
    void GridClosed(bool Write);

    TDataGrid* grid = nullptr;
    std::unique_ptr<TForm> popup;
    bool leavingByKey = false;
    // Set while the link writes its own cell.
    bool writing = false;
    int editCol = -1;
    int editRow = -1;
    AnsiString shownValue;
};
