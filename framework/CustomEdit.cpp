#include "framework/CustomEdit.h"

#include "framework/Application.h"
#include "framework/Clipboard.h"
#include "framework/ControlView.h"
#include "framework/EditWords.h"
#include "framework/LocaleCase.h"
#include "framework/TextEncoding.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace {

// The edit's view: shows text and selection, and hands every key stroke and focus change to
// the control instead of editing by itself. Mouse selection is Qt's (a double click's the native
// edit's) and is reported back.
class EditView : public BlankWordLineEdit<ControlView<QLineEdit>> {
public:
    explicit EditView(TCustomEdit& edit) : BlankWordLineEdit<ControlView<QLineEdit>>(edit), edit(edit) {
        setContextMenuPolicy(Qt::NoContextMenu);
        setDragEnabled(false);
        setAcceptDrops(false);
        setAttribute(Qt::WA_InputMethodEnabled, false);
        connect(this, &QLineEdit::selectionChanged, this, [this] { ReportSelection(); });
        connect(this, &QLineEdit::cursorPositionChanged, this, [this] { ReportSelection(); });
    }

    bool updating = false;

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return ControlView<QLineEdit>::event(event);
        const QPoint position = static_cast<QHelpEvent*>(event)->pos();
        AnsiString hint = toolTip().toStdString();
        int x = position.x();
        int y = position.y();
        CallFromView(edit, [&] { edit.ViewHintShow(hint, x, y); });
        if (hint.IsEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(mapToGlobal(QPoint(x, y)), QString::fromStdString(hint.str()), this);
        return true;
    }

private:
    void ReportSelection() {
        if (updating)
            return;
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int end = hasSelectedText() ? start + static_cast<int>(selectedText().size()) : start;
        const int position = cursorPosition();
        const std::string_view shown = edit.GetWindowText().view();
        CallFromView(edit, [&] {
            edit.ViewSelectionChanged(BytePosition(shown, position == start ? end : start),
                                      BytePosition(shown, position));
        });
    }

    TCustomEdit& edit;
};

} // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetColor(clWindow);
    TabStop = true;
    SetView(new EditView(*this));
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::SetWindowText(const AnsiString& value) {
    // As the native edit's text set from code: nothing is left to undo.
    RememberUndo(value, 0);
    if (value == text)
        return;
    text = value;
    ++textChanges;
    anchor = caret = 0;
    nativeModified = false;
    ViewChanged();
    Change();
}

int TCustomEdit::GetSelStart() const {
    return std::min(anchor, caret);
}

void TCustomEdit::SetSelStart(int position) {
    anchor = caret = CharacterStart(text.view(), position);
    ViewChanged();
}

int TCustomEdit::GetSelLength() const {
    return std::abs(caret - anchor);
}

void TCustomEdit::SetSelLength(int length) {
    SetSelection(GetSelStart(), GetSelStart() + length);
}

void TCustomEdit::SetSelection(int newAnchor, int newCaret) {
    anchor = CharacterStart(text.view(), newAnchor);
    caret = CharacterStart(text.view(), newCaret);
    ViewChanged();
}

AnsiString TCustomEdit::GetSelText() const {
    return text.SubString(GetSelStart() + 1, GetSelLength());
}

void TCustomEdit::SelectAll() {
    SetSelection(0, text.Length());
}

void TCustomEdit::CopyToClipboard() {
    WMCopy();
}
void TCustomEdit::CutToClipboard() {
    WMCut();
}
void TCustomEdit::PasteFromClipboard() {
    WMPaste();
}

void TCustomEdit::Undo() {
    if (undoText == text)
        return;
    const AnsiString previous = undoText;
    EditText(previous, undoCaret);
}

void TCustomEdit::RememberUndo(const AnsiString& before, int beforeCaret) {
    undoText = before;
    undoCaret = beforeCaret;
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    borderStyle = value;
    ViewChanged();
}

void TCustomEdit::SetAlignment(TAlignment value) {
    alignment = value;
    ViewChanged();
}

void TCustomEdit::SetPasswordChar(char value) {
    passwordChar = value;
    ViewChanged();
}

void TCustomEdit::SetReadOnly(bool value) {
    readOnly = value;
    ViewChanged();
}

int TCustomEdit::CharFromPos(int x) const {
    auto* view = static_cast<QLineEdit*>(View());
    return BytePosition(text.view(), view->cursorPositionAt(QPoint(x, view->height() / 2)));
}

void TCustomEdit::SetTextMargins(int left, int top, int right, int bottom) {
    textMargins = {left, top, right, bottom};
    ViewChanged();
}

void TCustomEdit::SetClearBackground(bool value) {
    clearBackground = value;
    ViewChanged();
}

void TCustomEdit::ViewKeyDown(WORD key, TShiftState shift, int keyData, char character, bool& passOn) {
    passOn = false;
    if (key == VK_ESCAPE || key == VK_RETURN)
        WantSpecialKey(key);
    if ((key == VK_F1 || !WantsAllKeys()) && OfferWindowKey(key))
        return;
    if (key != 0)
        WMKeyDown(key, shift);
    // The stroke's character was translated before either message was handled, so it follows
    // whatever became of the key; punctuation has no key code here but types all the same.
    if (character != 0)
        WMChar(character, keyData, shift);
}

void TCustomEdit::ViewKeyUp(WORD key, TShiftState shift, bool& passOn) {
    passOn = false;
    KeyUp(key, shift);
}

void TCustomEdit::ViewTextTyped(const AnsiString& typed) {
    typing = typed;
    char first = typed[1];
    WMChar(first, 0, {});
    typing = "";
}

// A window losing or regaining the activation keeps its focused control: no exit or enter.
void TCustomEdit::ViewFocusIn(FocusChange how) {
    TWinControl::ViewFocusIn(how);
    focusedByClick = how == FocusChange::Mouse;
    // The activation gave the box the focus that was on its way to it: its arrival only enters.
    if (std::exchange(enteredByActivation, false) && how != FocusChange::Window)
        return;
    enteredByActivation = how == FocusChange::Window && std::exchange(focusOnItsWay, false);
    focusOnItsWay = false;
    holdsFocus = true;
    windowReturned = how == FocusChange::Window && !enteredByActivation;
    WMSetFocus();
    windowReturned = false;
}

void TCustomEdit::ViewFocusOut(FocusChange how) {
    enteredByActivation = false;
    // Qt makes a box its focus widget before telling it so: a message shown as the box before it
    // is left takes the focus from a box that never had it, which has nothing to leave.
    if (!std::exchange(holdsFocus, false)) {
        focusOnItsWay = how == FocusChange::Window;
        return;
    }
    focusedByClick = false;
    WMKillFocus();
    TWinControl::ViewFocusOut(how);
}

void TCustomEdit::ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    // The middle button would paste the selection behind the box's back.
    passOn = button != mbMiddle;
    if (button == mbLeft && !std::exchange(focusedByClick, false) && !CompletesTripleClick(x, y))
        WMLButtonDown(shift, x, y, passOn);
    if (passOn)
        MouseDown(button, shift, x, y);
}

void TCustomEdit::ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    passOn = button != mbMiddle;
    if (button == mbLeft)
        WMLButtonUp(shift, x, y);
    MouseUp(button, shift, x, y);
    if (button == mbLeft)
        Click();
}

void TCustomEdit::ViewDblClick(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        doubleClicked.start();
        doubleClickedAt = QPoint(x, y);
    }
    TWinControl::ViewDblClick(button, shift, x, y);
}

bool TCustomEdit::CompletesTripleClick(int x, int y) const {
    return doubleClicked.isValid() && !doubleClicked.hasExpired(QApplication::doubleClickInterval()) &&
           (QPoint(x, y) - doubleClickedAt).manhattanLength() < QApplication::startDragDistance();
}

void TCustomEdit::ViewSelectionChanged(int newAnchor, int newCaret) {
    anchor = CharacterStart(text.view(), newAnchor);
    caret = CharacterStart(text.view(), newCaret);
}

void TCustomEdit::ViewMouseEnter() {
    TWinControl::ViewMouseEnter();
    CMMouseEnter();
}

void TCustomEdit::ViewMouseLeave() {
    TWinControl::ViewMouseLeave();
    CMMouseLeave();
}

void TCustomEdit::ViewPaint(QPainter& painter) {
    WMPaint(painter);
}

void TCustomEdit::ViewHintShow(AnsiString& hint, int& x, int& y) {
    CMHintShow(hint, x, y);
}

int TCustomEdit::TextLineMinHeight() const {
    const int font = QFontMetrics(Font.ToQFont()).height();
    const int system = QFontMetrics(QApplication::font()).height();
    return font + std::min(font, system) / 4;
}

int TCustomEdit::SpinEditMinHeight() const {
    return TextLineMinHeight() + 2 + (GetBorderStyle() == bsSingle ? 4 : 0);
}

void TCustomEdit::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::WantSpecialKey(WORD&) {}

void TCustomEdit::WMKeyDown(WORD& key, TShiftState shift) {
    KeyDown(key, shift);
    if (key != 0)
        DefaultKeyDown(key, shift);
}

void TCustomEdit::WMChar(char& key, int, TShiftState) {
    KeyPress(key);
    if (key != 0)
        DefaultChar(key);
}

void TCustomEdit::WMSetFocus() {
    // Selecting belongs to entering the box: a window coming back to the front leaves the
    // selection as the user left it, so what is typed next goes on from there.
    if (AutoSelect && !windowReturned)
        SelectAll();
}

void TCustomEdit::WMKillFocus() {}

void TCustomEdit::WMCopy() {
    if (passwordChar == 0 && GetSelLength() > 0)
        Clipboard().SetAsText(GetSelText());
}

void TCustomEdit::WMCut() {
    if (readOnly || passwordChar != 0 || GetSelLength() == 0)
        return;
    Clipboard().SetAsText(GetSelText());
    ReplaceSelection("");
}

void TCustomEdit::WMPaste() {
    if (readOnly || !Clipboard().HasText())
        return;
    ReplaceSelection(PastedLine(Clipboard().GetAsText()));
}

void TCustomEdit::WMLButtonDown(TShiftState, int, int, bool&) {}
void TCustomEdit::WMLButtonUp(TShiftState, int, int) {}
void TCustomEdit::CMMouseEnter() {}
void TCustomEdit::CMMouseLeave() {}
void TCustomEdit::WMPaint(QPainter&) {}
void TCustomEdit::CMHintShow(AnsiString&, int&, int&) {}

void TCustomEdit::DefaultKeyDown(WORD key, TShiftState shift) {
    const bool extend = shift.Contains(ssShift);
    auto moveCaret = [&](int position) {
        position = std::clamp(position, 0, text.Length());
        if (!extend && GetSelLength() > 0 && (key == VK_LEFT || key == VK_RIGHT))
            position = key == VK_LEFT ? GetSelStart() : GetSelStart() + GetSelLength();
        SetSelection(extend ? anchor : position, position);
    };
    switch (key) {
    case VK_LEFT:
        moveCaret(PreviousCharacter(text.view(), caret));
        break;
    case VK_RIGHT:
        moveCaret(NextCharacter(text.view(), caret));
        break;
    case VK_HOME:
        moveCaret(0);
        break;
    case VK_END:
        moveCaret(text.Length());
        break;
    case VK_DELETE:
        if (readOnly)
            break;
        if (GetSelLength() == 0 && caret < text.Length())
            SetSelection(caret, NextCharacter(text.view(), caret));
        ReplaceSelection("");
        break;
    default:
        break;
    }
}

void TCustomEdit::DefaultChar(char key) {
    switch (key) {
    case 0x01:
        SelectAll();
        return;
    case 0x03:
        WMCopy();
        return;
    case 0x16:
        WMPaste();
        return;
    case 0x18:
        WMCut();
        return;
    case 0x1A:
        if (!readOnly)
            Undo();
        return;
    case '\b':
        if (readOnly)
            return;
        if (GetSelLength() == 0 && caret > 0)
            SetSelection(PreviousCharacter(text.view(), caret), caret);
        ReplaceSelection("");
        return;
    default:
        break;
    }
    if (static_cast<unsigned char>(key) < 0x20 || readOnly)
        return;
    const AnsiString typed = CharacterTyped(key);
    if (!WithinMaxLength(text.SubString(1, GetSelStart()) + typed +
                         text.SubString(GetSelStart() + GetSelLength() + 1, text.Length())))
        return;
    ReplaceSelection(typed);
}

bool TCustomEdit::WithinMaxLength(const AnsiString& newText) const {
    return MaxLength <= 0 || CharacterCount(newText.view()) <= MaxLength;
}

bool TCustomEdit::EnterText(const AnsiString& newText, int newCaret) {
    if (!WithinMaxLength(newText))
        return false;
    Undoable([&] { EditText(newText, newCaret); });
    return true;
}

AnsiString TCustomEdit::CharacterTyped(char key) const {
    return !typing.IsEmpty() && key == typing[1] ? typing : AnsiString(key);
}

void TCustomEdit::TypeCharacter(const AnsiString& character, char& key, int keyData, TShiftState shift) {
    const AnsiString typed = std::exchange(typing, character);
    key = character[1];
    TCustomEdit::WMChar(key, keyData, shift);
    typing = typed;
}

void TCustomEdit::TypeInCase(bool upper, char& key, int keyData, TShiftState shift) {
    const AnsiString typed = CharacterTyped(key);
    TypeCharacter(upper ? AnsiUpperCase(typed) : AnsiLowerCase(typed), key, keyData, shift);
}

void TCustomEdit::ReplaceSelection(const AnsiString& inserted) {
    const int start = GetSelStart();
    AnsiString fitting = inserted;
    if (MaxLength > 0) {
        const int kept = CharacterCount(text.view()) - CharacterCount(GetSelText().view());
        fitting = fitting.SubString(1, BytesOfCharacters(inserted.view(), std::max(0, MaxLength - kept)));
    }
    if (fitting.IsEmpty() && GetSelLength() == 0)
        return;
    EditText(text.SubString(1, start) + fitting + text.SubString(start + GetSelLength() + 1, text.Length()),
             start + fitting.Length());
}

void TCustomEdit::EditText(const AnsiString& newText, int newCaret) {
    RememberUndo(text, caret);
    text = newText;
    ++textChanges;
    anchor = caret = CharacterStart(text.view(), newCaret);
    nativeModified = true;
    ViewChanged();
    Change();
}

void TCustomEdit::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<EditView*>(View());
    view->updating = true;
    const QString shown = QString::fromStdString(text.str());
    if (view->text() != shown)
        view->setText(shown);
    const int viewAnchor = Utf16Position(text.view(), anchor);
    const int viewCaret = Utf16Position(text.view(), caret);
    if (viewAnchor == viewCaret)
        view->setCursorPosition(viewCaret);
    else
        view->setSelection(viewAnchor, viewCaret - viewAnchor);
    view->setReadOnly(readOnly);
    view->setEchoMode(passwordChar ? QLineEdit::Password : QLineEdit::Normal);
    view->setFrame(borderStyle == bsSingle);
    view->setTextMargins(textMargins.Left, textMargins.Top, textMargins.Right, textMargins.Bottom);
    view->setAlignment(alignment == taRightJustify ? Qt::AlignRight
                       : alignment == taCenter     ? Qt::AlignHCenter
                                                   : Qt::AlignLeft);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, clearBackground ? QColor(Qt::transparent) : ToQColor(GetColor()));
    palette.setColor(QPalette::Text, ToQColor(Font.Color));
    view->setPalette(palette);
    view->updating = false;
}
