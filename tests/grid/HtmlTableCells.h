#pragma once

#include <QRegularExpression>
#include <QString>

#include <string>
#include <vector>

// The body cells of an exported HTML table, row by row: each text, with " x2" for a column span
// and " v2" for a row span.
inline std::vector<std::vector<std::string>> TableCells(const std::string& html) {
    std::vector<std::vector<std::string>> rows;
    static const QRegularExpression cell("<td( COLSPAN=(\\d+))?( ROWSPAN=(\\d+))?[^>]*>(.*)</td>");
    static const QRegularExpression tag("<[^>]*>");
    std::size_t start = 0;
    for (std::size_t end = html.find("\r\n"); end != std::string::npos; end = html.find("\r\n", start)) {
        const QString line = QString::fromStdString(html.substr(start, end - start));
        start = end + 2;
        if (line == "<tr>")
            rows.emplace_back();
        const QRegularExpressionMatch match = cell.match(line);
        if (!match.hasMatch())
            continue;
        std::string text = match.captured(5).remove(tag).toStdString();
        if (!match.captured(2).isEmpty())
            text += " x" + match.captured(2).toStdString();
        if (!match.captured(4).isEmpty())
            text += " v" + match.captured(4).toStdString();
        rows.back().push_back(text);
    }
    return rows;
}
