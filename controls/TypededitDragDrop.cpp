#include "controls/EditDropTarget.h"
#include "controls/Typededit.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

#include <algorithm>

// Drag and drop of the typed edit box's text.

TEditDropTarget::TEditDropTarget(TTypedEdit& box) : TAEDropTarget(TDropFamily::Boxes), box(box) {}

bool TEditDropTarget::DropText(TPoint point, const AnsiString& text) {
    return box.DropTextAt(point, text, KeyState.Contains(ssCtrl), PartTaken);
}

void TEditDropTarget::DragMouseMove(TPoint point, bool& allow) {
    TAEDropTarget::DragMouseMove(point, allow);
    box.MoveDropCaret(box.PosFromChar(box.CharFromPos(point.x)));
}

void TEditDropTarget::DragLeave() {
    box.EraseCaret();
}

void TTypedEdit::SetOleDropTarget(bool value) {
    oleDropTarget = value;
    if (ComponentState & csDesigning)
        return;
    dropTarget = value ? std::make_unique<TEditDropTarget>(*this) : nullptr;
    View()->setAcceptDrops(value);
}

TAEDropTarget* TTypedEdit::DropTarget() {
    return dropTarget.get();
}

TPoint TTypedEdit::PosFromChar(int position) const {
    const auto* view = static_cast<const QLineEdit*>(View());
    const QFontMetrics metrics(Font.ToQFont());
    const int frame = GetBorderStyle() == bsSingle
                          ? view->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, view)
                          : 0;
    // Qt's line edit keeps two pixels between its frame and margins and the text.
    const QMargins margins = view->textMargins();
    const QString before = QString::fromStdString(GetWindowText().SubString(1, position).str());
    return Point(frame + margins.left() + 2 + metrics.horizontalAdvance(before),
                 (Height() - metrics.height()) / 2);
}

void TTypedEdit::MoveDropCaret(TPoint point) {
    if (point == dropCaret)
        return;
    dropCaret = point;
    Invalidate();
}

void TTypedEdit::EraseCaret() {
    MoveDropCaret(Point(-1, -1));
}

bool TTypedEdit::DropTextAt(TPoint point, const AnsiString& text, bool copy, bool& part) {
    EraseCaret();
    const int start = GetSelStart();
    const int length = GetSelLength();
    int at = CharFromPos(point.x);
    if (draggingFrom && at >= start && at <= start + length)
        return false;
    AnsiString value = GetText();
    const int valueStart = PrefixLength();
    // The caret stays between prefix and suffix.
    at = std::clamp(at, valueStart, ValueEnd());
    if (draggingFrom && !copy) {
        const TValueRange range = SelectedRange();
        value.Delete(range.Start + 1, range.Length);
        if (at > valueStart + range.Start)
            at = std::max(at - range.Length, valueStart + range.Start);
    }
    // A box that could not take all of its line takes none of it, so that a move loses nothing.
    const TEntered entered = Entered(value, at - valueStart, 0, text);
    if (!entered.Taken)
        return false;
    // The move within the box and the insertion are one step to undo.
    Undoable([&] { SetSelStart(TakeEntered(entered)); });
    part = entered.Cut;
    return true;
}

void TTypedEdit::MouseMove(TShiftState shift, int x, int y) {
    TCustomEdit::MouseMove(shift, x, y);
    if (!mouseDownInSelection || !oleDropSource || GetSelLength() == 0 || !shift.Contains(ssLeft))
        return;
    mouseDownInSelection = false;
    // What a drag takes is the value's part of the selection, as a cut takes it.
    KeepSelectionInValue();
    if (GetSelLength() == 0)
        return;
    draggingFrom = true;
    int effect = DROPEFFECT_NONE;
    // Text dragged out of a read-only box, or one that may not lose it as a cut may not, can only
    // be copied: the box keeps it.
    const bool movable = !GetReadOnly() && KeepsAfterDeleting(ValueWithout(0, 0));
    const int allowed = movable ? DROPEFFECT_COPY | DROPEFFECT_MOVE : DROPEFFECT_COPY;
    const int result = StartTextDoDragDrop(TDropFamily::Boxes, *View(), GetSelText(), "", allowed, effect);
    draggingFrom = false;
    // A drop that took nothing, as one on the dragged text itself, gives no effect.
    if (result == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE && (allowed & DROPEFFECT_MOVE) &&
        GetSelLength() > 0) {
        ReplaceSelection("");
        SetModified(true);
    }
    EraseCaret();
}

void TTypedEdit::PaintDropCaret(QPainter& painter) const {
    if (dropCaret == Point(-1, -1))
        return;
    painter.setPen(ToQColor(Font.Color));
    painter.drawLine(dropCaret.x, dropCaret.y, dropCaret.x,
                     dropCaret.y + QFontMetrics(Font.ToQFont()).height() - 1);
}
