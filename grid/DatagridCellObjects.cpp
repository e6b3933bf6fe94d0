// The objects a cell can carry besides its text: pictures, images from the image list, check
// boxes, radio groups, buttons, progress bars, comments, markers and rotated text.
#include "framework/StringList.h"
#include "grid/Datagrid.h"

#include <memory>

namespace {

// A cell's graphic of one of the kinds given, or none.
TCellGraphic* OfKind(TCellGraphic* graphic, std::initializer_list<TCellType> kinds) {
    if (!graphic)
        return nullptr;
    for (const TCellType kind : kinds)
        if (graphic->CellType == kind)
            return graphic;
    return nullptr;
}

TCellVAlign CellVAlign(TVAlignment alignment) {
    return alignment == vtaTop ? vaTop : alignment == vtaCenter ? vaCenter : vaBottom;
}

} // namespace

TBitmap* TDataGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HAlign,
                                 TCellVAlign VAlign) {
    auto* bitmap = new TBitmap;
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetBitmap(bitmap, Transparent, HAlign, VAlign);
    graphic->OwnsObject = true;
    return bitmap;
}

void TDataGrid::AddBitmap(int ACol, int ARow, TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign,
                          TCellVAlign VAlign) {
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABitmap, Transparent, HAlign, VAlign);
}

TBitmap* TDataGrid::GetBitmap(int ACol, int ARow) const {
    const TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctBitmap});
    return graphic ? static_cast<TBitmap*>(graphic->Object) : nullptr;
}

TIcon* TDataGrid::CreateIcon(int ACol, int ARow, TCellHAlign HAlign, TCellVAlign VAlign) {
    auto* icon = new TIcon;
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetIcon(icon, HAlign, VAlign);
    graphic->OwnsObject = true;
    return icon;
}

void TDataGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign) {
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, HAlign, VAlign);
}

TPicture* TDataGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                   int Padding, TCellHAlign HAlign, TCellVAlign VAlign) {
    auto* picture = new TPicture;
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetPicture(picture, Transparent, StretchMode, Padding, HAlign, VAlign);
    graphic->OwnsObject = true;
    return picture;
}

void TDataGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                           int Padding, TCellHAlign HAlign, TCellVAlign VAlign) {
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, HAlign, VAlign);
}

TPicture* TDataGrid::GetPicture(int ACol, int ARow) const {
    const TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctPicture});
    return graphic ? static_cast<TPicture*>(graphic->Object) : nullptr;
}

TFilePicture* TDataGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                           int Padding, TCellHAlign HAlign, TCellVAlign VAlign) {
    auto* picture = new TFilePicture;
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->SetFilePicture(picture, Transparent, StretchMode, Padding, HAlign, VAlign);
    graphic->OwnsObject = true;
    return picture;
}

void TDataGrid::AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                               TStretchMode StretchMode, int Padding, TCellHAlign HAlign,
                               TCellVAlign VAlign) {
    CreateCellGraphic(ACol, ARow)
        ->SetFilePicture(APicture, Transparent, StretchMode, Padding, HAlign, VAlign);
}

TFilePicture* TDataGrid::GetFilePicture(int ACol, int ARow) const {
    const TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctFilePicture});
    return graphic ? static_cast<TFilePicture*>(graphic->Object) : nullptr;
}

void TDataGrid::AddImageIdx(int ACol, int ARow, int Index, TCellHAlign HAlign, TCellVAlign VAlign) {
    if (!GridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetImageIdx(Index, HAlign, VAlign);
    RepaintCell(RemapColInv(ACol), ARow);
}

void TDataGrid::AddDataImage(int ACol, int ARow, int Index, TCellHAlign HAlign, TCellVAlign VAlign) {
    if (!GridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Index, HAlign, VAlign);
    RepaintCell(RemapColInv(ACol), ARow);
}

void TDataGrid::AddMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign) {
    if (!GridImages)
        return;
    CreateCellGraphic(ACol, ARow)
        ->SetMultiImage(ACol, ARow, Direction, HAlign, VAlign,
                        [this](TObject* Sender, int col, int row) { MultiImageChanged(Sender, col, row); });
    RepaintCell(RemapColInv(ACol), ARow);
}

bool TDataGrid::GetImageIdx(int ACol, int ARow, int& Index) const {
    const TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctImageList});
    if (!graphic || !GridImages)
        return false;
    Index = graphic->Number;
    return true;
}

bool TDataGrid::RemoveDataImage(int ACol, int ARow) {
    return OfKind(GetCellGraphic(ACol, ARow), {ctImageList, ctDataImage}) && FreeCellGraphic(ACol, ARow);
}

void TDataGrid::MultiImageChanged(TObject* Sender, int ACol, int ARow) {
    // The list keeps the cell it was made in; sorting, hiding or inserting rows may have moved it.
    if (ACol < GetColCount() && ARow < GetRowCount() && GetCellImages(ACol, ARow) == Sender)
        RepaintCell(RemapColInv(ACol), ARow);
    else
        Invalidate();
}

void TDataGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data) {
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, false, haBeforeText, CellVAlign(VAlignment));
    RepaintCell(RemapColInv(ACol), ARow);
}

void TDataGrid::RemoveCheckBox(int ACol, int ARow) {
    if (OfKind(GetCellGraphic(ACol, ARow), {ctCheckBox, ctDataCheckBox}))
        FreeCellGraphic(ACol, ARow);
}

bool TDataGrid::HasCheckBox(int ACol, int ARow) const {
    const TPoint base = BaseCell(ACol, ARow);
    return OfKind(GetCellGraphic(base.x, base.y), {ctCheckBox, ctDataCheckBox}) != nullptr;
}

bool TDataGrid::HasDataCheckBox(int ACol, int ARow) const {
    const TPoint base = BaseCell(ACol, ARow);
    return OfKind(GetCellGraphic(base.x, base.y), {ctDataCheckBox}) != nullptr;
}

bool TDataGrid::IsRadio(int ACol, int ARow) const {
    const TPoint base = BaseCell(ACol, ARow);
    return OfKind(GetCellGraphic(base.x, base.y), {ctRadio}) != nullptr;
}

bool TDataGrid::GetCheckBoxState(int ACol, int ARow, bool& State) {
    const TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctCheckBox, ctDataCheckBox});
    if (!graphic)
        return false;
    State =
        graphic->CellType == ctCheckBox ? graphic->State : GetCellEx(ACol, ARow) == GetCheckTrue(ACol, ARow);
    return true;
}

bool TDataGrid::SetCheckBoxState(int ACol, int ARow, bool State) {
    TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctCheckBox, ctDataCheckBox});
    if (!graphic)
        return false;
    if (graphic->CellType == ctDataCheckBox) {
        SetCellEx(ACol, ARow, State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
    } else {
        graphic->State = State;
        cells.Touch();
        RepaintCell(RemapColInv(ACol), ARow);
    }
    return true;
}

bool TDataGrid::MayEdit(int ACol, int ARow) {
    bool canEdit = true;
    GetCellReadOnly(ACol, ARow, canEdit);
    return canEdit;
}

bool TDataGrid::ToggleCheck(int ACol, int ARow, bool CheckEditable) {
    TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctCheckBox, ctDataCheckBox});
    if (!graphic)
        return false;
    if (CheckEditable && !MayEdit(ACol, ARow))
        return false;
    bool state = false;
    GetCheckBoxState(ACol, ARow, state);
    return SetCheckBoxState(ACol, ARow, !state);
}

void TDataGrid::AddRadio(int ACol, int ARow, int Direction, int Index, TStrings* Strings) {
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->CellType = ctRadio;
    graphic->Object = Strings;
    graphic->Number = Index;
    graphic->State = Direction != 0;
    RepaintCell(RemapColInv(ACol), ARow);
}

TStrings* TDataGrid::CreateRadio(int ACol, int ARow, int Direction, int Index) {
    auto* items = new TStringList;
    AddRadio(ACol, ARow, Direction, Index, items);
    GetCellGraphic(ACol, ARow)->OwnsObject = true;
    return items;
}

bool TDataGrid::GetRadioIdx(int ACol, int ARow, int& Index) const {
    const TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctRadio});
    if (graphic)
        Index = graphic->Number;
    return graphic != nullptr;
}

bool TDataGrid::SetRadioIdx(int ACol, int ARow, int Index) {
    TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctRadio});
    if (!graphic)
        return false;
    graphic->Number = Index;
    cells.Touch();
    RepaintCell(RemapColInv(ACol), ARow);
    return true;
}

TStrings* TDataGrid::GetRadioStrings(int ACol, int ARow) const {
    const TPoint base = BaseCell(ACol, ARow);
    const TCellGraphic* graphic = OfKind(GetCellGraphic(base.x, base.y), {ctRadio});
    return graphic ? static_cast<TStrings*>(graphic->Object) : nullptr;
}

bool TDataGrid::ToggleRadio(int ACol, int ARow, bool CheckEditable) {
    TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctRadio});
    const auto* items = graphic ? static_cast<const TStrings*>(graphic->Object) : nullptr;
    if (!items || items->Count() == 0)
        return false;
    if (CheckEditable && !MayEdit(ACol, ARow))
        return false;
    const AnsiString text = GetCellEx(ACol, ARow);
    const int current = graphic->Number >= 0 ? graphic->Number : items->IndexOf(text);
    const int next = current + 1 >= items->Count() ? 0 : current + 1;
    const bool changed = (graphic->Number >= 0 && graphic->Number != next) || text != (*items)[next];
    if (graphic->Number >= 0)
        graphic->Number = next;
    SetCellEx(ACol, ARow, (*items)[next]);
    return changed;
}

void TDataGrid::AddButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption,
                          TCellHAlign HAlign, TCellVAlign VAlign) {
    CreateCellGraphic(ACol, ARow)->SetButton(Width, Height, Caption, HAlign, VAlign);
    RepaintCell(RemapColInv(ACol), ARow);
}

void TDataGrid::AddBitButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption,
                             TBitmap* Glyph, TCellHAlign HAlign, TCellVAlign VAlign) {
    CreateCellGraphic(ACol, ARow)->SetBitButton(Width, Height, Caption, Glyph, HAlign, VAlign);
    RepaintCell(RemapColInv(ACol), ARow);
}

TBitmap* TDataGrid::CreateBitButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption,
                                    TCellHAlign HAlign, TCellVAlign VAlign) {
    auto* glyph = new TBitmap;
    AddBitButton(ACol, ARow, Width, Height, Caption, glyph, HAlign, VAlign);
    return glyph;
}

void TDataGrid::RemoveButton(int ACol, int ARow) {
    if (!RemoveCellGraphic(ACol, ARow, ctButton))
        RemoveCellGraphic(ACol, ARow, ctBitButton);
}

bool TDataGrid::HasButton(int ACol, int ARow) const {
    const TPoint base = BaseCell(ACol, ARow);
    return OfKind(GetCellGraphic(base.x, base.y), {ctButton, ctBitButton}) != nullptr;
}

void TDataGrid::PushButton(int ACol, int ARow, bool Pushed) {
    if (TCellGraphic* graphic = GetCellGraphic(RemapCol(ACol), ARow)) {
        graphic->State = Pushed;
        cells.Touch();
        RepaintCell(ACol, ARow);
    }
}

TRect TDataGrid::ButtonRect(int ACol, int ARow) const {
    const TCellGraphic* graphic = OfKind(GetCellGraphic(RemapCol(ACol), ARow), {ctButton, ctBitButton});
    if (!graphic)
        return {};
    const TRect cell = TBaseGrid::CellRect(ACol, ARow);
    const int left = cell.Left + graphic->ButtonPosition.x;
    const int top = cell.Top + graphic->ButtonPosition.y;
    return Rect(left, top, left + (graphic->Number & 0xFFFF), top + (graphic->Number >> 16));
}

void TDataGrid::AddProgress(int ACol, int ARow, TColor Color1, TColor Color2) {
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->CellType = ctProgress;
    graphic->HAlign = haLeft;
    graphic->VAlign = vaTop;
    graphic->ProgressColors = {Color1, Color2, clNone, clNone};
    RepaintCell(RemapColInv(ACol), ARow);
}

void TDataGrid::AddProgressEx(int ACol, int ARow, TColor Color1, TColor Color2, TColor Color3,
                              TColor Color4) {
    AddProgress(ACol, ARow, Color1, Color2);
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    graphic->ProgressColors = {Color1, Color2, Color3, Color4};
    graphic->State = true;
}

void TDataGrid::AddComment(int ACol, int ARow, const AnsiString& Comment) {
    TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
    graphic->CellType = ctComment;
    graphic->HAlign = haLeft;
    graphic->VAlign = vaTop;
    auto* lines = new TStringList;
    lines->SetText(Comment);
    graphic->Object = lines;
    RepaintCell(RemapColInv(ACol), ARow);
}

bool TDataGrid::IsComment(int ACol, int ARow, AnsiString& Comment) const {
    const TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctComment});
    if (!graphic)
        return false;
    Comment = static_cast<const TStringList*>(graphic->Object)->GetText();
    // The text ends every line with a line break; the last one is no part of the comment.
    if (Comment.view().ends_with("\r\n"))
        Comment.Delete(Comment.Length() - 1, 2);
    else if (Comment.view().ends_with("\n"))
        Comment.Delete(Comment.Length(), 1);
    return true;
}

void TDataGrid::AddMarker(int ACol, int ARow, int M1, int M2) {
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic) {
        graphic = CreateCellGraphic(ACol, ARow);
        graphic->CellType = ctEmpty;
    }
    graphic->Marker1 = static_cast<short>(M1);
    graphic->Marker2 = static_cast<short>(M2);
    cells.Touch();
    RepaintCell(RemapColInv(ACol), ARow);
}

void TDataGrid::RemoveMarker(int ACol, int ARow) {
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic)
        return;
    if (graphic->CellType == ctEmpty) {
        FreeCellGraphic(ACol, ARow);
    } else {
        graphic->Marker1 = 0;
        graphic->Marker2 = 0;
    }
    RepaintCell(RemapColInv(ACol), ARow);
}

void TDataGrid::GetMarker(int ACol, int ARow, int& M1, int& M2) const {
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    M1 = graphic ? graphic->Marker1 : 0;
    M2 = graphic ? graphic->Marker2 : 0;
}

void TDataGrid::AddRotated(int ACol, int ARow, short Angle, const AnsiString& Text) {
    CreateCellGraphic(ACol, ARow)->SetAngle(Angle);
    SetCellEx(ACol, ARow, Text);
}

void TDataGrid::SetRotated(int ACol, int ARow, short Angle) {
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    (graphic ? graphic : CreateCellGraphic(ACol, ARow))->SetAngle(Angle);
    cells.Touch();
    RepaintCell(RemapColInv(ACol), ARow);
}

bool TDataGrid::IsRotated(int ACol, int ARow, int& Angle) const {
    const TCellGraphic* graphic = OfKind(GetCellGraphic(ACol, ARow), {ctRotated});
    if (graphic)
        Angle = graphic->Angle;
    return graphic != nullptr;
}

void TDataGrid::SetURLColor(TColor Value) {
    URLColor = Value;
    if (URLShow)
        Invalidate();
}

void TDataGrid::SetURLShow(bool Value) {
    URLShow = Value;
    Invalidate();
}

void TDataGrid::SetURLFull(bool Value) {
    URLFull = Value;
    if (URLShow)
        Invalidate();
}

void TDataGrid::SetLook(TGridLook Value) {
    if (Look == Value)
        return;
    Look = Value;
    Invalidate();
    UpdateFooter();
}
