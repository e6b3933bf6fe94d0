#include "tests/support/PdfPages.h"

#include <QProcess>
#include <QRegularExpression>

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
