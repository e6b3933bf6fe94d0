#include "framework/RichEdit.h"

#include "framework/ControlView.h"
#include "framework/FlagScope.h"
#include "framework/RichDocument.h"

#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QTextEdit& EditOf(const TRichEdit& edit) {
    return *static_cast<QTextEdit*>(edit.View());
}

// The point size characters of format show in.
double PointsOf(const QTextCharFormat& format, const QTextDocument& document) {
    return format.fontPointSize() > 0 ? format.fontPointSize() : document.defaultFont().pointSizeF();
}

} // namespace

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QTextEdit>(*this);
    view->setAcceptRichText(false);
    view->setTabChangesFocus(true);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setLineWrapMode(QTextEdit::FixedPixelWidth);
    QTextDocument* document = view->document();
    document->setUndoRedoEnabled(true);
    // Raised once the document is laid out again, so that its size is the new one. A text read
    // in from code asks for its size once, when it is all in.
    QObject::connect(document, &QTextDocument::contentsChanged, view, [this] {
        if (loading)
            return;
        CallFromView(*this, [this] {
            ViewTextChanged();
            NoteSize();
        });
    });
    // Typed, pasted in or deleted: the wrapping follows the text as it now stands.
    QObject::connect(document, &QTextDocument::contentsChange, view, [this](int, int, int) {
        if (!loading)
            ChooseWrapping();
    });
    QObject::connect(view, &QTextEdit::cursorPositionChanged, view,
                     [this] { CallFromView(*this, [this] { ViewSelectionMoved(); }); });
    QObject::connect(view, &QTextEdit::selectionChanged, view,
                     [this] { CallFromView(*this, [this] { ViewSelectionMoved(); }); });
    SetView(view);
    Font.OnChange = [this](TObject*) {
        Document().setDefaultFont(Font.ToQFont());
        NoteSize();
        TControl::ViewChanged();
    };
    Document().setDefaultFont(Font.ToQFont());
    SetBounds(0, 0, 185, 89);
    SetColor(clWindow);
    TabStop = true;
}

QTextDocument& TRichEdit::Document() const {
    return *EditOf(*this).document();
}

void TRichEdit::SetRichText(std::string_view rtf) {
    {
        const FlagScope quiet(loading);
        const QSignalBlocker quietView(&EditOf(*this));
        // Without a page the document is not laid out: it is, once, when the text is in and
        // its wrapping chosen.
        const QSizeF page = Document().pageSize();
        Document().setPageSize(QSizeF(0, 0));
        RtfToDocument(rtf, Document());
        ChooseWrapping();
        Document().setPageSize(page);
        EditOf(*this).setTextCursor(QTextCursor(&Document()));
    }
    Document().setModified(false);
    NoteSize();
    reportedStart = 0;
    reportedLength = 0;
    if (OnChange)
        OnChange(this);
}

std::string TRichEdit::GetRichText() const {
    return IsEmpty() ? std::string() : DocumentToRtf(Document());
}

void TRichEdit::Clear() {
    SetRichText("");
}

bool TRichEdit::IsEmpty() const {
    return Document().isEmpty();
}

bool TRichEdit::GetModified() const {
    return Document().isModified();
}

void TRichEdit::SetModified(bool value) {
    Document().setModified(value);
}

int TRichEdit::GetTextLen() const {
    return Document().characterCount() - 1;
}

int TRichEdit::GetSelStart() const {
    return EditOf(*this).textCursor().selectionStart();
}

void TRichEdit::SetSelStart(int position) {
    QTextCursor cursor = EditOf(*this).textCursor();
    cursor.setPosition(std::clamp(position, 0, GetTextLen()));
    EditOf(*this).setTextCursor(cursor);
}

int TRichEdit::GetSelLength() const {
    const QTextCursor cursor = EditOf(*this).textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TRichEdit::SetSelLength(int length) {
    QTextCursor cursor = EditOf(*this).textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(std::clamp(start + length, 0, GetTextLen()), QTextCursor::KeepAnchor);
    EditOf(*this).setTextCursor(cursor);
}

void TRichEdit::SetSelection(int anchor, int caret) {
    QTextCursor cursor(&Document());
    cursor.setPosition(std::clamp(anchor, 0, GetTextLen()));
    cursor.setPosition(std::clamp(caret, 0, GetTextLen()), QTextCursor::KeepAnchor);
    EditOf(*this).setTextCursor(cursor);
}

void TRichEdit::SelectAll() {
    EditOf(*this).selectAll();
}

unsigned TRichEdit::GetSelStyle() const {
    QTextCursor cursor = EditOf(*this).textCursor();
    // A selection's style is its first character's, the one after its start.
    if (cursor.hasSelection()) {
        const int start = cursor.selectionStart();
        cursor.setPosition(start + 1);
    }
    const QTextCharFormat format = cursor.charFormat();
    unsigned style = 0;
    if (format.fontWeight() >= QFont::Bold)
        style |= fsBold;
    if (format.fontItalic())
        style |= fsItalic;
    if (format.fontUnderline())
        style |= fsUnderline;
    if (format.fontStrikeOut())
        style |= fsStrikeOut;
    return style;
}

void TRichEdit::SetSelStyle(unsigned style) {
    QTextCharFormat format;
    format.setFontWeight(style & fsBold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style & fsItalic);
    format.setFontUnderline(style & fsUnderline);
    format.setFontStrikeOut(style & fsStrikeOut);
    EditOf(*this).mergeCurrentCharFormat(format);
}

void TRichEdit::SetSelOffset(int twips) {
    // Twips to the half points rich text counts offsets in.
    const int halfPoints = twips / 10;
    QTextEdit& edit = EditOf(*this);
    QTextCursor cursor = edit.textCursor();
    if (!cursor.hasSelection()) {
        QTextCharFormat format;
        SetRaisedBy(format, halfPoints, PointsOf(cursor.charFormat(), Document()));
        edit.mergeCurrentCharFormat(format);
        return;
    }
    // Each run of one size separately: the offset shows as a share of the run's own size. The
    // runs are found first, since formatting one may merge it with its neighbours.
    struct Run {
        int From, To;
        double Points;
    };
    std::vector<Run> runs;
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = Document().findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(start, fragment.position());
            const int to = std::min(end, fragment.position() + fragment.length());
            if (from < to)
                runs.push_back({from, to, PointsOf(fragment.charFormat(), Document())});
        }
    }
    cursor.beginEditBlock();
    for (const Run& each : runs) {
        QTextCursor run(&Document());
        run.setPosition(each.From);
        run.setPosition(each.To, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        SetRaisedBy(format, halfPoints, each.Points);
        run.mergeCharFormat(format);
    }
    cursor.endEditBlock();
}

int TRichEdit::GetSelOffset() const {
    QTextCursor cursor = EditOf(*this).textCursor();
    if (cursor.hasSelection())
        cursor.setPosition(cursor.selectionStart() + 1);
    // Half points to twips.
    return RaisedBy(cursor.charFormat()) * 10;
}

void TRichEdit::SetBorderStyle(TBorderStyle value) {
    borderStyle = value;
    TControl::ViewChanged();
}

void TRichEdit::SetWordWrap(bool value) {
    wordWrap = value;
    Resize();
}

void TRichEdit::ChooseWrapping() {
    EditOf(*this).setWordWrapMode(WrapModeOf(Document()));
}

void TRichEdit::SetTextInset(int pixels) {
    Document().setDocumentMargin(pixels);
    NoteSize();
}

void TRichEdit::ViewTextChanged() {
    if (OnChange)
        OnChange(this);
}

void TRichEdit::ViewSelectionMoved() {
    const int start = GetSelStart();
    const int length = GetSelLength();
    if (start == reportedStart && length == reportedLength)
        return;
    reportedStart = start;
    reportedLength = length;
    if (OnSelectionChange)
        OnSelectionChange(this);
}

void TRichEdit::NoteSize() {
    const QSizeF size = Document().size();
    const TRect needed =
        Rect(0, 0, static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())));
    if (needed == requested)
        return;
    requested = needed;
    RequestSize(needed);
}

void TRichEdit::RequestSize(const TRect& rect) {
    if (OnResizeRequest)
        OnResizeRequest(this, rect);
}

void TRichEdit::Resize() {
    TWinControl::Resize();
    // The text is laid out at the edit's width now, shown or not, so that its size is known.
    QTextEdit& edit = EditOf(*this);
    edit.setLineWrapMode(wordWrap ? QTextEdit::FixedPixelWidth : QTextEdit::NoWrap);
    edit.setLineWrapColumnOrWidth(Width());
    NoteSize();
}

void TRichEdit::UpdateView() {
    TWinControl::UpdateView();
    QTextEdit& edit = EditOf(*this);
    edit.setFrameShape(borderStyle == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Base, ToQColor(GetColor()));
    palette.setColor(QPalette::Text, ToQColor(Font.Color));
    edit.setPalette(palette);
}
