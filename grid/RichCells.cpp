#include "grid/RichCells.h"

#include "framework/RichDocument.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

// Texts kept before the store starts again: more than any window shows at once.
constexpr std::size_t KeptDocuments = 1024;

} // namespace

QTextDocument& TRichCells::Document(const AnsiString& rtf) {
    auto found = documents.find(rtf.str());
    if (found != documents.end())
        return *found->second;
    if (documents.size() >= KeptDocuments)
        documents.clear();
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(1);
    RtfToDocument(rtf.view(), *document);
    return *documents.emplace(rtf.str(), std::move(document)).first->second;
}

void TRichCells::Paint(TCanvas& canvas, const AnsiString& rtf, const TRect& r, const TFont& font) {
    QTextDocument& document = Document(rtf);
    if (document.defaultFont() != font.ToQFont())
        document.setDefaultFont(font.ToQFont());
    canvas.PaintIn(r, [&](QPainter& painter, const QRectF& target) {
        // Laid out at the screen's resolution, drawn at the device's.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double screenDpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        const double scale = painter.device() ? painter.device()->logicalDpiY() / screenDpi : 1.0;
        const QRectF room(0, 0, target.width() / scale, target.height() / scale);
        document.setTextWidth(room.width());
        painter.save();
        painter.setClipRect(target, Qt::IntersectClip);
        painter.translate(target.topLeft());
        painter.scale(scale, scale);
        document.drawContents(&painter, room);
        painter.restore();
    });
}
