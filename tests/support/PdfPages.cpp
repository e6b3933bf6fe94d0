#include "tests/support/PdfPages.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

int PdfPageCount(const QString& file) {
    const QRegularExpressionMatch pages =
        QRegularExpression(R"(^Pages:\s+(\d+))", QRegularExpression::MultilineOption)
            .match(Output("pdfinfo", {file}));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

std::vector<PdfImage> PdfImages(const QString& file) {
    // Two heading lines, then "page num type width height color comp bpc enc interp object ID
    // x-ppi y-ppi size ratio" a picture.
    QStringList lines = Output("pdfimages", {"-list", file}).split(QChar('\n'), Qt::SkipEmptyParts);
    std::vector<PdfImage> images;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList field = lines[i].split(QChar(' '), Qt::SkipEmptyParts);
        if (field.size() >= 14)
            images.push_back(
                {field[0].toInt(), field[3].toInt(), field[4].toInt(), field[12].toInt(), field[13].toInt()});
    }
    return images;
}

std::vector<std::string> PdfPageTexts(const QString& file) {
    // pdftotext ends every page with a form feed.
    QStringList pages = Output("pdftotext", {"-layout", file, "-"}).split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    std::vector<std::string> texts;
    for (const QString& page : pages)
        texts.push_back(page.toStdString());
    return texts;
}

std::vector<PdfWord> PdfWords(const QString& file) {
    static const QRegularExpression word(
        R"re(<word xMin="(-?[\d.]+)" yMin="(-?[\d.]+)" xMax="(-?[\d.]+)" yMax="(-?[\d.]+)">(.*)</word>)re");
    std::vector<PdfWord> words;
    int page = 0;
    for (const QString& line : Output("pdftotext", {"-bbox", file, "-"}).split(QChar('\n'))) {
        if (line.trimmed().startsWith("<page "))
            ++page;
        const QRegularExpressionMatch m = word.match(line);
        if (!m.hasMatch())
            continue;
        QString text = m.captured(5);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
        words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble(), text.toStdString()});
    }
    return words;
}

std::vector<QImage> PdfPageImages(const QString& file) {
    const QTemporaryDir dir;
    const QString prefix = dir.filePath("page");
    Output("pdftoppm", {"-r", "72", "-gray", file, prefix});
    // "page-1.pgm" on, the numbers padded to the same width: in order by name.
    std::vector<QImage> pages;
    for (const QString& name : QDir(dir.path()).entryList({"page-*.pgm"}, QDir::Files, QDir::Name))
        pages.emplace_back(dir.filePath(name));
    return pages;
}

bool PdfWordShows(const std::vector<QImage>& pages, const PdfWord& word) {
    if (word.Page < 1 || word.Page > static_cast<int>(pages.size()))
        return false;
    const QImage& page = pages[static_cast<std::size_t>(word.Page - 1)];
    const QRect box = QRect(QPoint(static_cast<int>(word.XMin), static_cast<int>(word.YMin)),
                            QPoint(static_cast<int>(word.XMax), static_cast<int>(word.YMax)))
                          .intersected(page.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                return true;
    return false;
}
