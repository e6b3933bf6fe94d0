// The special editors over a cell: which one, where, filled with what, and the value back.
#include "framework/FlagScope.h"
#include "framework/Form.h"
#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"
#include "grid/EditLink.h"
#include "grid/GridEditors.h"
#include "grid/GridRichEdit.h"

#include <QApplication>
#include <QKeyEvent>

#include <utility>

namespace {

// The key that started editing, typed into the editor once the current message is done.
void PostCharacter(TWinControl& editor, char key) {
    const auto code = static_cast<unsigned char>(key);
    const int qtKey = code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;
    const QString text = QString::fromLatin1(&key, 1);
    QApplication::postEvent(editor.View(), new QKeyEvent(QEvent::KeyPress, qtKey, Qt::NoModifier, text));
    QApplication::postEvent(editor.View(), new QKeyEvent(QEvent::KeyRelease, qtKey, Qt::NoModifier, text));
}

void Close(TWinControl& editor) {
    editor.SetEnabled(false);
    editor.Hide();
}

} // namespace

void TDataGrid::ShowEditControl(int ACol, int ARow) {
    editPending = true;
    InitValidate(ACol, ARow);
    const TRect r = TBaseGrid::CellRect(ACol, ARow);
    const int w = r.Right - r.Left - 1;
    const int h = r.Bottom - r.Top - 1;
    const int c = RemapCol(ACol);
    TBrush brush{GetColor(), bsSolid};
    TFont font = Font;
    TGridDrawState state = 0;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wrap = false;
    GetVisualProperties(c, ARow, state, false, false, &brush, &font, hAlign, vAlign, wrap);
    const AnsiString text = GetEditText(ACol, GetRow());
    TWinControl* shown = SpecialEditor();
    bool takesKey = false;
    switch (editorType) {
    case edComboEdit:
    case edComboList: {
        TGridCombo& combo = *editors->Combo;
        combo.Style = editorType == edComboEdit ? csDropDown : csDropDownList;
        combo.EditHeight = h;
        combo.SetBounds(r.Left, r.Top, w, combo.ItemHeight * (combo.DropDownCount + 1) + h);
        takesKey = editorType == edComboEdit;
        break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edUnitEditBtn:
        // The framework grid's edit limit, which is none.
        static_cast<TDgEditBtn*>(shown)->MaxLength = 0;
        shown->SetBounds(r.Left, r.Top, w, h);
        takesKey = true;
        break;
    case edButton:
        shown->SetBounds(r.Left - 1, r.Top - 1, w + 2, h + 2);
        break;
    case edRichEdit:
        // The cell's font first: the text is laid out in it while the row may not grow.
        shown->Font = font;
        shown->SetBounds(r.Left, r.Top, w, h);
        takesKey = true;
        break;
    case edCustom:
        if (EditLink)
            ShowEditLink(r, brush.Color, font, text);
        break;
    default:
        if (shown)
            shown->SetBounds(r.Left, r.Top, w, h);
        takesKey = shown == editors->Spin;
        break;
    }
    if (shown) {
        FillSpecialEditor(text, c, ARow);
        specialEditorOpen = true;
        specialCell = {c, ARow};
        specialShown = SpecialEditorValue();
        const TPoint stored = BaseCell(c, ARow);
        cells.SetEditedCell(stored.x, stored.y);
        if (shown == editors->Combo) {
            editors->Combo->SetFlat(Look == glSoft);
            editors->Combo->SetEtched(Look == glSoft);
            if (Navigation->AutoComboDropSize)
                editors->Combo->SizeDropDownWidth();
        }
        shown->SetColor(brush.Color);
        shown->Font = font;
        shown->SetEnabled(true);
        shown->Show();
        shown->SetFocus();
        if (shown == editors->Combo && MouseActions->DirectComboDrop)
            editors->Combo->SetDroppedDown(true);
        if (takesKey && pendingKey != 0)
            PostCharacter(*shown, pendingKey);
    }
    pendingKey = 0;
}

TWinControl* TDataGrid::SpecialEditor() const {
    switch (editorType) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        return editors->Spin;
    case edComboEdit:
    case edComboList:
        return editors->Combo;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        return editors->EditBtn;
    case edUnitEditBtn:
        return editors->UnitEditBtn;
    case edCheckBox:
        return editors->CheckBox;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        return editors->DatePicker;
    case edButton:
        return editors->Button;
    case edRichEdit:
        return editors->RichEdit;
    default:
        return nullptr;
    }
}

void TDataGrid::FillSpecialEditor(const AnsiString& text, int c, int ARow) {
    // A spin cell that does not read as the type's value opens with its text as it stands.
    int number = 0;
    double real = 0;
    TDateTime date = 0;
    TGridSpin& spin = *editors->Spin;
    switch (editorType) {
    case edComboEdit:
        editors->Combo->SetText(text);
        break;
    case edComboList: {
        int index = editors->Combo->Items.IndexOf(text);
        if (index < 0)
            index = comboSelection != -1 ? comboSelection : 0;
        editors->Combo->SetItemIndex(index);
        break;
    }
    case edSpinEdit:
        spin.SetSpinType(TDgSpinType::sptNormal);
        if (TryStrToInt(text, number))
            spin.SetValue(number);
        else
            spin.SetWindowText(text);
        break;
    case edFloatSpinEdit:
        spin.SetSpinType(TDgSpinType::sptFloat);
        if (TryStrToFloat(text, real))
            spin.SetFloatValue(real);
        else
            spin.SetWindowText(text);
        break;
    case edTimeSpinEdit:
        spin.SetSpinType(TDgSpinType::sptTime);
        spin.SetWindowText(text);
        break;
    case edDateSpinEdit:
        spin.SetSpinType(TDgSpinType::sptDate);
        if (ReadSpinDate(text, date))
            spin.SetDateValue(date);
        else
            spin.SetWindowText(text);
        break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        TGridDatePicker& picker = *editors->DatePicker;
        picker.SetKind(editorType == edTimeEdit ? dtkTime : dtkDate);
        const bool read = picker.ReadCellText(text, date);
        if (editorType == edTimeEdit) {
            picker.SetTime(read ? date : Now());
        } else {
            picker.SetDateMode(editorType == edDateEditUpDown ? dmUpDown : dmComboBox);
            picker.SetDate(read ? date : Now());
        }
        break;
    }
    case edCheckBox:
        editors->CheckBox->SetCaption(text);
        editors->CheckBox->SetChecked(false);
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        editors->EditBtn->SetWindowText(text);
        break;
    case edUnitEditBtn: {
        const ValueAndUnit split = SplitValueAndUnit(text);
        editors->UnitEditBtn->SetWindowText(split.Value);
        editors->UnitEditBtn->SetUnitID(split.Unit);
        break;
    }
    case edButton:
        editors->Button->SetCaption(text);
        break;
    case edRichEdit: {
        TGridRichEdit& rich = *editors->RichEdit;
        rich.Lock();
        CellToRich(c, ARow, &rich);
        rich.Unlock();
        rich.SetSelection(rich.GetTextLen(), 0);
        break;
    }
    default:
        break;
    }
}

std::optional<AnsiString> TDataGrid::SpecialEditorValue() const {
    TGridSpin& spin = *editors->Spin;
    double real = 0;
    TDateTime date = 0;
    switch (editorType) {
    case edSpinEdit:
    case edTimeSpinEdit:
        return spin.GetWindowText();
    // Text that does not read as the value leaves the cell's text as it was.
    case edFloatSpinEdit:
        if (TryStrToFloat(spin.GetWindowText(), real))
            return FloatToStr(spin.GetFloatValue());
        return std::nullopt;
    case edDateSpinEdit:
        if (spin.ReadDateValue(date))
            return DateToStr(date);
        return std::nullopt;
    case edComboEdit:
    case edComboList:
        return editors->Combo->GetText();
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        return editors->EditBtn->GetWindowText();
    case edDateEdit:
    case edDateEditUpDown:
        return DateToStr(editors->DatePicker->GetDate());
    case edTimeEdit:
        return TimeToStr(editors->DatePicker->GetTime());
    case edUnitEditBtn:
        return editors->UnitEditBtn->GetWindowText() + editors->UnitEditBtn->GetUnitID();
    default:
        return std::nullopt;
    }
}

bool TDataGrid::SpecialEditorChanged() const {
    if (!specialEditorOpen)
        return false;
    if (editorType == edRichEdit)
        return editors->RichEdit->GetModified();
    return SpecialEditorValue() != specialShown;
}

AnsiString TDataGrid::StoreSpecialEditorText(const AnsiString& text) {
    if (!SpecialEditorChanged())
        return GetCurrentCell();
    const FlagScope storing(editorStoring);
    SetCellEx(specialCell.Col, specialCell.Row, text);
    return text;
}

void TDataGrid::SpecialEditorSynced() {
    specialShown = SpecialEditorValue();
    if (editorType == edRichEdit)
        editors->RichEdit->SetModified(false);
}

void TDataGrid::ShowEditLink(const TRect& r, TColor color, const TFont& font, const AnsiString& text) {
    TEditLink& link = *EditLink;
    specialEditorOpen = true;
    std::unique_ptr<TForm> window;
    if (link.EditStyle == esPopup) {
        window = std::make_unique<TForm>(nullptr);
        window->SetBorderStyle(bsNone);
        window->View()->setWindowFlag(Qt::Popup);
        const QPoint at = ClientView()->mapToGlobal(QPoint(r.Left, r.Top));
        window->SetBounds(at.x(), at.y(), link.PopupWidth, link.PopupHeight);
        window->OnDeactivate = [&link](TObject* Sender) { link.FormExit(Sender); };
    }
    TForm* shownIn = window.get();
    link.Open(*this, RemapCol(GetCol()), GetRow(), std::move(window));
    if (shownIn) {
        shownIn->Show();
        link.CreateEditor(shownIn);
        link.SetRect(Rect(0, 0, link.PopupWidth, link.PopupHeight));
    } else {
        link.CreateEditor(this);
        link.SetRect(r);
    }
    link.SetVisible(true);
    link.SetCellProps(color, font);
    link.SetProperties();
    if (OnGetEditorProp)
        OnGetEditorProp(this, RemapCol(GetCol()), GetRow(), &link);
    link.SetEditorValue(text);
    link.ValueShown();
    link.SetFocus(true);
    if (TWinControl* control = link.GetEditControl(); control && pendingKey != 0)
        PostCharacter(*control, pendingKey);
}

void TDataGrid::HideEditControl(int ACol, int ARow) {
    CloseSpecialEditor(TrackedCell{RemapCol(ACol), ARow} == specialCell);
}

void TDataGrid::HideEditor() {
    TBaseGrid::HideEditor();
    CloseSpecialEditor(true);
}

void TDataGrid::CloseSpecialEditor(bool Write) {
    if (!specialEditorOpen)
        return;
    pendingKey = 0;
    // Closed first: its own write is no text from elsewhere for it to take.
    specialEditorOpen = false;
    cells.SetEditedCell(-1, -1);
    const TrackedCell cell = std::exchange(specialCell, {});
    if (editorType == edCustom) {
        // The link writes its value itself, to the cell it was opened on.
        if (EditLink)
            EditLink->GridClosed(Write);
        return;
    }
    TWinControl* editor = SpecialEditor();
    if (!editor)
        return;
    const FlagScope storing(editorStoring);
    // An editor the user left as it showed its cell has nothing to write.
    const bool write =
        Write && cell.Col >= 0 && cell.Col < RealColCount() && cell.Row >= 0 && cell.Row < GetRowCount();
    if (editorType == edRichEdit) {
        if (write && editors->RichEdit->GetModified())
            RichToCell(cell.Col, cell.Row, editors->RichEdit);
    } else if (const std::optional<AnsiString> value = SpecialEditorValue();
               write && value && value != specialShown) {
        SetCellEx(cell.Col, cell.Row, *value);
    }
    // The grid keeps the focus the editor had, so that hiding it sends the focus nowhere else.
    if (editor->Focused())
        SetFocus();
    Close(*editor);
}

void TDataGrid::SpecialEditorCellRead() {
    if (!specialEditorOpen) {
        cells.SetEditedCell(-1, -1);
        return;
    }
    if (!PaintRunning() && !InViewEventOf(*this) && SpecialEditorChanged())
        HideEditor();
}

void TDataGrid::ClearComboString() {
    editors->Combo->Items.Clear();
}

void TDataGrid::AddComboString(const AnsiString& S) {
    editors->Combo->Items.Add(S);
}

void TDataGrid::AddComboStringObject(const AnsiString& S, TObject* AObject) {
    editors->Combo->Items.AddObject(S, AObject);
}

bool TDataGrid::RemoveComboString(const AnsiString& S) {
    const int index = editors->Combo->Items.IndexOf(S);
    if (index < 0)
        return false;
    editors->Combo->Items.Delete(index);
    return true;
}

bool TDataGrid::SetComboSelectionString(const AnsiString& S) {
    const int index = editors->Combo->Items.IndexOf(S);
    if (index < 0)
        return false;
    comboSelection = index;
    return true;
}

int TDataGrid::GetComboCount() const {
    return editors->Combo->Items.Count();
}
