#include "controls/Typededit.h"

#include "controls/TypedText.h"
#include "framework/Label.h"
#include "framework/NumberFormat.h"

#include <QFontMetrics>
#include <QPainter>

// Colours, focus and validation of the typed edit box.

void TTypedEdit::SetColorEx(TColor value) {
    normalColor = value;
    TCustomEdit::SetColor(value);
}

void TTypedEdit::SetDisabledColor(TColor value) {
    disabledColor = value;
    Invalidate();
}

void TTypedEdit::SetEnabledEx(bool value) {
    const bool was = GetEnabled();
    TCustomEdit::SetEnabled(value);
    if (Loading() || was == value)
        return;
    // Every write of Color keeps the normal colour, so disabling leaves it alone: a box disabled
    // while it shows its focus or error colour still gets its own colour back.
    TCustomEdit::SetColor(!value ? disabledColor : ShowsError() ? ErrorColor : normalColor);
    attached.SetEnabled(value);
}

void TTypedEdit::Change() {
    TextChanged();
    TCustomEdit::Change();
    if (showURL)
        ApplyURL(TestURL());
    if (transparent)
        Invalidate();
    if (!OnValueValidate)
        return;
    bool valid = true;
    OnValueValidate(this, GetText(), valid);
    if (ShowError)
        SetError(!valid);
}

void TTypedEdit::SetError(bool value) {
    if (value == error || Loading())
        return;
    error = value;
    if (ShowError)
        ApplyStateColors();
}

void TTypedEdit::WMSetFocus() {
    TCustomEdit::WMSetFocus();
    if (Loading())
        return;
    // Given back for misplaced thousand separators, the box still undoes to the value it had.
    if (!HoldsUnreadText())
        undoValue = GetText();
    if (!ShowsError()) {
        TCustomEdit::SetColor(FocusColor);
        if (!ShowsURL())
            Font.SetColor(FocusFontColor);
    }
    if (AutoSelect)
        SelectAll();
    else
        SelectBeforeDecimal();
    SetLabelBold(true);
    if (FocusWidthInc > 0)
        SetWidth(Width() + FocusWidthInc);
    savedEditAlign = editAlign;
    if (FocusAlign != eaDefault && FocusAlign != editAlign)
        SetEditAlign(FocusAlign);
    if ((!emptyText.IsEmpty() && GetText().IsEmpty()) || focusBorder)
        Invalidate();
}

void TTypedEdit::WMKillFocus() {
    if (Loading()) {
        TCustomEdit::WMKillFocus();
        return;
    }
    if (!ShowsError()) {
        TCustomEdit::SetColor(normalColor);
        if (!ShowsURL())
            Font.SetColor(RestingFontColor());
    }
    SetLabelBold(false);
    // What deleting the digits leaves ("-", ".", "-.") holds no number and is taken as empty.
    const char marks[] = {'-', DecimalSeparator, ThousandSeparator};
    const bool empty =
        GetText().view().find_first_not_of(std::string_view(marks, sizeof marks)) == std::string_view::npos;
    // Misplaced thousand separators stay as typed, unread, while another window is active.
    if ((editType == etFloat || editType == etMoney) && !ThousandsMisplaced()) {
        if (empty)
            SetFloat(0);
        if (precision > 0)
            SetFloat(GetFloat());
        else if (editType == etMoney && !ThousandsInThrees(GetText().view()))
            AutoSeparators();
    } else if (editType == etNumeric && empty) {
        SetText("0");
    }
    if (OnValueValidate) {
        bool valid = true;
        OnValueValidate(this, GetText(), valid);
    }
    TCustomEdit::WMKillFocus();
    if (focusBorder)
        Invalidate();
    if (FocusWidthInc > 0)
        SetWidth(Width() - FocusWidthInc);
    if (FocusAlign != eaDefault && savedEditAlign != editAlign)
        SetEditAlign(savedEditAlign);
    if (!emptyText.IsEmpty() && GetText().IsEmpty())
        Invalidate();
}

void TTypedEdit::ViewFocusOut(FocusChange how) {
    // Not left, so not read.
    if (!HeldOnLeaving(how))
        TCustomEdit::ViewFocusOut(how);
}

bool TTypedEdit::ThousandsMisplaced() const {
    if (editType != etFloat)
        return false;
    const AnsiString value = GetText();
    if (value.view().find(ThousandSeparator) == std::string_view::npos)
        return false;
    // With decimals the one thousand separator read is one standing for the decimal separator.
    return precision != 0 ? !TakesValue(value) : !ThousandsInThrees(value.view());
}

void TTypedEdit::ApplyStateColors() {
    if (GetEnabled())
        TCustomEdit::SetColor(ShowsError() ? ErrorColor : Focused() ? FocusColor : normalColor);
    Font.SetColor(ShowsError() ? ErrorFontColor : Focused() ? FocusFontColor : RestingFontColor());
}

void TTypedEdit::WMPaint(QPainter& painter) {
    TCustomEdit::WMPaint(painter);
    if (flat)
        PaintFlat(painter);
    PaintDropCaret(painter);
    if (emptyText.IsEmpty() || !GetText().IsEmpty() || Focused())
        return;
    painter.setFont(Font.ToQFont());
    painter.setPen(QColor(128, 128, 128));
    painter.drawText(QRect(2, 2, Width() - 2, Height() - 2), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(emptyText.str()));
}

void TTypedEdit::CMHintShow(AnsiString& hint, int& x, int& y) {
    TCustomEdit::CMHintShow(hint, x, y);
    if (!HintShowLargeText || !ShowHint)
        return;
    const AnsiString value = GetText();
    if (QFontMetrics(Font.ToQFont()).horizontalAdvance(QString::fromStdString(value.str())) <= Width())
        return;
    hint = value;
    x = 0;
    y = 0;
}
