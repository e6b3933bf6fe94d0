#pragma once

#include "framework/RichEdit.h"
#include "grid/GridEditors.h"

// The rich edit over rich-text cells. It grows the current row as its text grows (with the
// grid's SizeWhileTyping.Height), gives Up and Down back to the grid on cells of one line, and
// raises or lowers the selected characters.
class TGridRichEdit : public TGridEditor<TRichEdit> {
public:
    explicit TGridRichEdit(TDataGrid& grid);

    // The selection set on the baseline, 40 twips below it and 40 twips above it.
    void SelNormal() { SelFormat(0); }
    void SelSubscript() { SelFormat(-40); }
    void SelSuperscript() { SelFormat(40); }
    // While locked (the grid reading a cell in), the text's size grows no row.
    void Lock() { locked = true; }
    void Unlock() { locked = false; }

protected:
    void SelFormat(int offset) { SetSelOffset(offset); }
    void RequestSize(const TRect& rect) override;
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    bool locked = false;
};
