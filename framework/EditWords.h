#pragma once

#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringView>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <utility>

// The word a double click at a caret position selects in a native edit: the run of characters
// between blanks (spaces and tabs) that the position touches, so "2.64", "1,234.50" and "-3.5e2"
// are one word each; where no such run touches it, the run of blanks there. Start and end, in
// UTF-16 units.
inline std::pair<int, int> BlankDelimitedWord(QStringView text, int position) {
    const auto blank = [&](int at) { return text[at] == u' ' || text[at] == u'\t'; };
    const int length = static_cast<int>(text.size());
    position = std::clamp(position, 0, length);
    // Which run: the word on either side of the position, or the blanks around it.
    const bool word = (position > 0 && !blank(position - 1)) || (position < length && !blank(position));
    int start = position;
    while (start > 0 && blank(start - 1) != word)
        --start;
    int end = position;
    while (end < length && blank(end) != word)
        ++end;
    return {start, end};
}

// A line edit whose double click selects as a native edit's does. Qt's words end at punctuation,
// so on "2.64" it would select "64", and a digit typed over it would make another number.
template <class LineEdit> class BlankWordLineEdit : public LineEdit {
public:
    using LineEdit::LineEdit;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const QPointer<QWidget> alive(this);
        LineEdit::mouseDoubleClickEvent(event);
        if (!alive || event->button() != Qt::LeftButton || this->echoMode() != QLineEdit::Normal)
            return;
        const auto [start, end] =
            BlankDelimitedWord(this->text(), this->cursorPositionAt(event->position().toPoint()));
        this->setSelection(start, end - start);
    }
};

// Lines of text whose double click selects as a native edit's does, in the line clicked.
template <class TextEdit> class BlankWordTextEdit : public TextEdit {
public:
    using TextEdit::TextEdit;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const QPointer<QWidget> alive(this);
        TextEdit::mouseDoubleClickEvent(event);
        if (!alive || event->button() != Qt::LeftButton)
            return;
        QTextCursor cursor = this->cursorForPosition(event->position().toPoint());
        const QTextBlock line = cursor.block();
        const auto [start, end] = BlankDelimitedWord(line.text(), cursor.positionInBlock());
        cursor.setPosition(line.position() + start);
        cursor.setPosition(line.position() + end, QTextCursor::KeepAnchor);
        this->setTextCursor(cursor);
    }
};
