#include "controls/EditDropTarget.h"
#include "controls/RangeList.h"
#include "controls/Typededit.h"
#include "framework/Application.h"
#include "framework/Links.h"

// The URL look, the kept value and the range list of the typed edit box.

void TTypedEdit::SetShowURL(bool value) {
    showURL = value;
    ApplyURL(value && TestURL());
}

bool TTypedEdit::TestURL() const {
    const AnsiString value = GetText();
    return value.Pos("://") > 0 || value.Pos("@") > 1;
}

void TTypedEdit::ApplyURL(bool value) {
    if (!value && !urlShown)
        return;
    urlShown = value;
    Font.SetStyle(value ? Font.Style | fsUnderline : Font.Style & ~static_cast<unsigned>(fsUnderline));
    Font.SetColor(value ? URLColor : RestingFontColor());
    SetCursor(value ? crHandPoint : crDefault);
    Invalidate();
}

void TTypedEdit::LoadPersist() {
    if (!Persistence.Enable)
        return;
    AnsiString value = Persistence.Read(Name, "@");
    if (value == "@")
        return;
    // What a user could not type does not come back either: the value goes through SetText.
    if (!prefix.IsEmpty() && value.view().starts_with(prefix.view()))
        value.Delete(1, prefix.Length());
    if (!suffix.IsEmpty() && value.view().ends_with(suffix.view()))
        value.Delete(value.Length() - suffix.Length() + 1, suffix.Length());
    SetText(value);
}

void TTypedEdit::SavePersist() {
    if (Persistence.Enable)
        Persistence.Write(Name, prefix + GetText() + suffix);
}

TTypedEdit::~TTypedEdit() {
    if (Persistence.Enable && !(ComponentState & csDesigning))
        CallGuarded([this] { SavePersist(); });
}

bool TTypedEdit::RangeStrToList(TRangeList& list) const {
    return list.StrToList(GetText());
}

void TTypedEdit::ListToRangeStr(TRangeList& list) {
    SetWindowText(list.ToRangeStr());
}
