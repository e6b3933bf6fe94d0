// The grid editor's view of several lines, for cells whose texts hold line breaks.
#include "framework/ControlView.h"
#include "framework/EditWords.h"
#include "framework/Grids.h"
#include "framework/TextEncoding.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include <string>
#include <string_view>

namespace {

// The text as the view shows it: a CR LF, a CR alone or an LF alone is one line break.
QString ShownLines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            lines += text[i];
        }
    }
    return QString::fromStdString(lines);
}

// A position in the text (bytes before it) as a position in the view, and back.
int ShownPosition(std::string_view text, int bytePosition) {
    return static_cast<int>(ShownLines(text.substr(0, static_cast<std::size_t>(bytePosition))).size());
}

int TextPosition(std::string_view text, int shownPosition) {
    int shown = 0;
    int at = 0;
    const int length = static_cast<int>(text.size());
    while (at < length && shown < shownPosition) {
        const bool crLf = text[static_cast<std::size_t>(at)] == '\r' && at + 1 < length &&
                          text[static_cast<std::size_t>(at) + 1] == '\n';
        const int next = crLf ? at + 2 : NextCharacter(text, at);
        // A character of four bytes takes two units in the view.
        shown += next - at == 4 ? 2 : 1;
        at = next;
    }
    return at;
}

// The view of several lines: shows the editor's text and selection, hands every key stroke to
// the editor and reports the selection the mouse makes.
class LinesView : public BlankWordTextEdit<ControlView<QPlainTextEdit>> {
public:
    explicit LinesView(TInplaceEdit& edit)
        : BlankWordTextEdit<ControlView<QPlainTextEdit>>(edit), edit(edit) {
        setContextMenuPolicy(Qt::NoContextMenu);
        setAcceptDrops(false);
        setAttribute(Qt::WA_InputMethodEnabled, false);
        setFrameStyle(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Without the grid's tabs, Tab leaves for the next control as in a single line.
        setTabChangesFocus(true);
        document()->setDocumentMargin(0);
        // The margins around the lines show the editor's colour, not the cell beneath.
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
        connect(this, &QPlainTextEdit::selectionChanged, this, [this] { ReportSelection(); });
        connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { ReportSelection(); });
    }

    // The text's margins, as a single line's: that one keeps 2 pixels more at its left, and its
    // text, centred, stands 2 pixels lower than the first of several lines would.
    void SetMargins(const TRect& margins) {
        setViewportMargins(margins.Left + 2, margins.Top + 2, margins.Right, margins.Bottom);
    }

    bool updating = false;

private:
    void ReportSelection() {
        if (updating)
            return;
        const QTextCursor cursor = textCursor();
        const std::string_view text = edit.GetWindowText().view();
        CallFromView(edit, [&] {
            edit.ViewSelectionChanged(TextPosition(text, cursor.anchor()),
                                      TextPosition(text, cursor.position()));
        });
    }

    TInplaceEdit& edit;
};

} // namespace

TInplaceEdit::~TInplaceEdit() {
    delete standby.data();
}

void TInplaceEdit::SetMultiLine(bool MultiLine, bool WrapLines) {
    wrapLines = WrapLines;
    if (MultiLine == multiLine) {
        ViewChanged();
        return;
    }
    QWidget* shown = View();
    QWidget* next = standby;
    if (!next) {
        next = new LinesView(*this);
        KeepTabs(*next);
    }
    const bool hadFocus = shown->hasFocus();
    next->setParent(shown->parentWidget());
    shown->hide();
    standby = shown;
    SetView(next);
    multiLine = MultiLine;
    UpdateView();
    next->setVisible(GetVisible());
    if (hadFocus)
        next->setFocus();
}

void TInplaceEdit::UpdateLinesView() {
    TWinControl::UpdateView();
    auto* view = static_cast<LinesView*>(View());
    view->updating = true;
    const std::string_view text = GetWindowText().view();
    const QString shown = ShownLines(text);
    if (view->toPlainText() != shown)
        view->setPlainText(shown);
    QTextCursor cursor = view->textCursor();
    cursor.setPosition(ShownPosition(text, GetSelStart()));
    cursor.setPosition(ShownPosition(text, GetSelStart() + GetSelLength()), QTextCursor::KeepAnchor);
    view->setTextCursor(cursor);
    view->setReadOnly(GetReadOnly());
    view->setLineWrapMode(wrapLines ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    view->SetMargins(margins);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, ToQColor(GetColor()));
    palette.setColor(QPalette::Text, ToQColor(Font.Color));
    view->setPalette(palette);
    view->updating = false;
}

bool TInplaceEdit::MoveCaretLine(int Delta) {
    if (!multiLine)
        return false;
    UpdateLinesView();
    auto* view = static_cast<LinesView*>(View());
    const std::string_view text = GetWindowText().view();
    QTextCursor cursor = view->textCursor();
    cursor.setPosition(ShownPosition(text, GetSelStart() + GetSelLength()));
    const int before = cursor.position();
    if (!cursor.movePosition(Delta < 0 ? QTextCursor::Up : QTextCursor::Down) || cursor.position() == before)
        return false;
    SetSelStart(TextPosition(text, cursor.position()));
    return true;
}

int TInplaceEdit::CharAt(int x, int y) {
    if (!multiLine)
        return CharFromPos(x);
    UpdateLinesView();
    auto* view = static_cast<LinesView*>(View());
    return TextPosition(GetWindowText().view(), view->cursorForPosition(QPoint(x, y)).position());
}
