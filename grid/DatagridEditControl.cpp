// The special editors over a cell: which one, where, filled with what, and the value back.
#include "framework/Form.h"
#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"
#include "grid/EditLink.h"
#include "grid/GridEditors.h"
#include "grid/GridRichEdit.h"

#include <QApplication>
#include <QKeyEvent>

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

bool IsSpinType(TEditorType type) {
    return type == edSpinEdit || type == edFloatSpinEdit || type == edTimeSpinEdit || type == edDateSpinEdit;
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
    TWinControl* shown = nullptr;
    bool takesKey = false;
    switch (editorType) {
    case edComboEdit:
    case edComboList: {
        TGridCombo& combo = *editors->Combo;
        combo.Style = editorType == edComboEdit ? csDropDown : csDropDownList;
        combo.EditHeight = h;
        combo.SetBounds(r.Left, r.Top, w, combo.ItemHeight * (combo.DropDownCount + 1) + h);
        if (editorType == edComboEdit) {
            combo.SetText(text);
            takesKey = true;
        } else {
            int index = combo.Items.IndexOf(text);
            if (index < 0)
                index = comboSelection != -1 ? comboSelection : 0;
            combo.SetItemIndex(index);
        }
        combo.SetFlat(Look == glSoft);
        combo.SetEtched(Look == glSoft);
        if (Navigation->AutoComboDropSize)
            combo.SizeDropDownWidth();
        shown = &combo;
        break;
    }
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin& spin = *editors->Spin;
        spin.SetBounds(r.Left, r.Top, w, h);
        // A cell that does not read as the type's value opens with its text as it stands.
        int number = 0;
        double real = 0;
        TDateTime date = 0;
        if (editorType == edSpinEdit) {
            spin.SetSpinType(TDgSpinType::sptNormal);
            if (TryStrToInt(text, number))
                spin.SetValue(number);
            else
                spin.SetWindowText(text);
        } else if (editorType == edFloatSpinEdit) {
            spin.SetSpinType(TDgSpinType::sptFloat);
            if (TryStrToFloat(text, real))
                spin.SetFloatValue(real);
            else
                spin.SetWindowText(text);
        } else if (editorType == edTimeSpinEdit) {
            spin.SetSpinType(TDgSpinType::sptTime);
            spin.SetWindowText(text);
        } else {
            spin.SetSpinType(TDgSpinType::sptDate);
            if (TryStrToDateTime(text, date))
                spin.SetDateValue(date);
            else
                spin.SetWindowText(text);
        }
        takesKey = true;
        shown = &spin;
        break;
    }
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        TGridDatePicker& picker = *editors->DatePicker;
        picker.SetBounds(r.Left, r.Top, w, h);
        TDateTime value = 0;
        const bool read = TryStrToDateTime(text, value);
        if (editorType == edTimeEdit) {
            picker.SetKind(dtkTime);
            picker.SetTime(read ? value : Now());
        } else {
            picker.SetKind(dtkDate);
            picker.SetDateMode(editorType == edDateEditUpDown ? dmUpDown : dmComboBox);
            picker.SetDate(read ? value : Now());
        }
        shown = &picker;
        break;
    }
    case edCheckBox:
        editors->CheckBox->SetBounds(r.Left, r.Top, w, h);
        editors->CheckBox->SetCaption(text);
        editors->CheckBox->SetChecked(false);
        shown = editors->CheckBox;
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        editors->EditBtn->SetBounds(r.Left, r.Top, w, h);
        editors->EditBtn->SetWindowText(text);
        editors->EditBtn->MaxLength = 0;
        takesKey = true;
        shown = editors->EditBtn;
        break;
    case edUnitEditBtn: {
        TGridUnitEditBtn& unit = *editors->UnitEditBtn;
        unit.SetBounds(r.Left, r.Top, w, h);
        unit.MaxLength = 0;
        const ValueAndUnit split = SplitValueAndUnit(text);
        unit.SetWindowText(split.Value);
        unit.SetUnitID(split.Unit);
        takesKey = true;
        shown = &unit;
        break;
    }
    case edButton:
        editors->Button->SetBounds(r.Left - 1, r.Top - 1, w + 2, h + 2);
        editors->Button->SetCaption(text);
        shown = editors->Button;
        break;
    case edRichEdit: {
        TGridRichEdit& rich = *editors->RichEdit;
        rich.SetBounds(r.Left, r.Top, w, h);
        // The cell's font first: the text is laid out in it while the row may not grow.
        rich.Font = font;
        rich.Lock();
        CellToRich(c, ARow, &rich);
        rich.Unlock();
        rich.SetSelection(rich.GetTextLen(), 0);
        takesKey = true;
        shown = &rich;
        break;
    }
    case edCustom:
        if (EditLink)
            ShowEditLink(r, brush.Color, font, text);
        break;
    default:
        break;
    }
    if (shown) {
        specialEditorOpen = true;
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
    link.SetFocus(true);
    if (TWinControl* control = link.GetEditControl(); control && pendingKey != 0)
        PostCharacter(*control, pendingKey);
}

void TDataGrid::HideEditControl(int ACol, int ARow) {
    const int c = RemapCol(ACol);
    pendingKey = 0;
    TWinControl* editor = nullptr;
    const bool wasOpen = specialEditorOpen;
    if (IsSpinType(editorType)) {
        TGridSpin& spin = *editors->Spin;
        const AnsiString text = spin.GetWindowText();
        double real = 0;
        TDateTime date = 0;
        // Text that does not read as the value leaves the cell's text as it was.
        if (editorType == edSpinEdit || editorType == edTimeSpinEdit)
            SetCellEx(c, ARow, text);
        else if (editorType == edFloatSpinEdit && TryStrToFloat(text, real))
            SetCellEx(c, ARow, FloatToStr(spin.GetFloatValue()));
        else if (editorType == edDateSpinEdit && TryStrToDateTime(text, date))
            SetCellEx(c, ARow, DateToStr(spin.GetDateValue()));
        editor = &spin;
    } else {
        switch (editorType) {
        case edComboEdit:
        case edComboList:
            if (!wasOpen)
                return;
            SetCellEx(c, ARow, editors->Combo->GetText());
            editor = editors->Combo;
            break;
        case edEditBtn:
        case edNumericEditBtn:
        case edFloatEditBtn:
            SetCellEx(c, ARow, editors->EditBtn->GetWindowText());
            editor = editors->EditBtn;
            break;
        case edCheckBox:
            editor = editors->CheckBox;
            break;
        case edButton:
            editor = editors->Button;
            break;
        case edDateEdit:
        case edDateEditUpDown:
            SetCellEx(c, ARow, DateToStr(editors->DatePicker->GetDate()));
            editor = editors->DatePicker;
            break;
        case edTimeEdit:
            SetCellEx(c, ARow, TimeToStr(editors->DatePicker->GetTime()));
            editor = editors->DatePicker;
            break;
        case edUnitEditBtn:
            SetCellEx(c, ARow, editors->UnitEditBtn->GetWindowText() + editors->UnitEditBtn->GetUnitID());
            editor = editors->UnitEditBtn;
            break;
        case edRichEdit:
            // A cell opened and left unchanged keeps its text as it was, plain or rich.
            if (editors->RichEdit->GetModified())
                RichToCell(c, ARow, editors->RichEdit);
            editor = editors->RichEdit;
            break;
        case edCustom:
            // The link writes its value itself, to the cell it was opened on.
            if (!EditLink)
                return;
            specialEditorOpen = false;
            if (EditLink->EditStyle != esPopup)
                EditLink->SetVisible(false);
            return;
        default:
            return;
        }
    }
    specialEditorOpen = false;
    // The grid keeps the focus the editor had, so that hiding it sends the focus nowhere else.
    if (editor->Focused())
        SetFocus();
    Close(*editor);
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
