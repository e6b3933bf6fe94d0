#include "grid/RichCells.h"

#include "framework/RichDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextLayout>

#include <cstdlib>
#include <functional>

namespace {

// Texts kept before the store starts again: more than any window shows at once.
constexpr std::size_t KeptDocuments = 1024;

// Rich text is laid out at the screen's resolution.
double ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

// The width in screen pixels that rich text a page prints width tenths of a millimetre wide is set
// in.
double PageTextWidth(int width) {
    return width * ScreenDpi() / 254.0;
}

// Runs visit for each line of the document with the top-left corner of its paragraph.
void ForEachLine(QTextDocument& document, const std::function<void(const QTextLine&, QPointF)>& visit) {
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QPointF at = layout.blockBoundingRect(block).topLeft();
        const QTextLayout& text = *block.layout();
        for (int i = 0; i < text.lineCount(); ++i)
            visit(text.lineAt(i), at);
    }
}

// Each line of the document, from its top down to its bottom.
std::vector<std::pair<double, double>> DocumentLines(QTextDocument& document) {
    std::vector<std::pair<double, double>> lines;
    ForEachLine(document, [&lines](const QTextLine& line, QPointF at) {
        lines.emplace_back(at.y() + line.y(), at.y() + line.y() + line.height());
    });
    return lines;
}

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
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(WrapModeOf(*document));
    document->setDefaultTextOption(option);
    return *documents.emplace(rtf.str(), std::move(document)).first->second;
}

std::vector<std::pair<double, double>> TRichCells::PrintedLines(const AnsiString& rtf, const TFont& font,
                                                                int width) {
    QTextDocument& document = Document(rtf);
    if (document.defaultFont() != font.ToQFont())
        document.setDefaultFont(font.ToQFont());
    const double tenths = 254.0 / ScreenDpi();
    document.setTextWidth(PageTextWidth(width));
    std::vector<std::pair<double, double>> lines = DocumentLines(document);
    for (auto& [top, bottom] : lines) {
        top *= tenths;
        bottom *= tenths;
    }
    return lines;
}

void TRichCells::Paint(TCanvas& canvas, const AnsiString& rtf, const TRect& r, const TFont& font,
                       std::optional<std::pair<int, int>> shown) {
    QTextDocument& document = Document(rtf);
    if (document.defaultFont() != font.ToQFont())
        document.setDefaultFont(font.ToQFont());
    // On a page in tenths of a millimetre the text is set at its width there, as PrintedLines sets
    // it, however large the page is drawn.
    const double pageWidth =
        canvas.GetMapMode() == MM_LOMETRIC ? PageTextWidth(std::abs(r.Right - r.Left)) : 0;
    canvas.PaintIn(r, [&](QPainter& painter, const QRectF& target) {
        // Laid out at the screen's resolution, drawn at the device's.
        const double scale = pageWidth > 0      ? target.width() / pageWidth
                             : painter.device() ? painter.device()->logicalDpiY() / ScreenDpi()
                                                : 1.0;
        const QRectF room(0, 0, target.width() / scale, target.height() / scale);
        document.setTextWidth(room.width());
        painter.save();
        painter.setClipRect(target, Qt::IntersectClip);
        painter.translate(target.topLeft());
        painter.scale(scale, scale);
        if (!shown) {
            document.drawContents(&painter, room);
        } else {
            // The lines whose middles lie in the part, each drawn whole and alone: the painter's
            // clip would leave those beside it in the page too, and the layout, given a clip,
            // still draws the line above it.
            const double down = r.Bottom != r.Top ? room.height() / (r.Bottom - r.Top) : 0;
            const double from = (shown->first - r.Top) * down;
            const double to = (shown->second - r.Top) * down;
            ForEachLine(document, [&](const QTextLine& line, QPointF at) {
                const double middle = at.y() + line.y() + line.height() / 2;
                if (middle >= from && middle < to)
                    line.draw(&painter, at);
            });
        }
        painter.restore();
    });
}
