#pragma once

#include <QString>

#include <string>
#include <vector>

// A PDF file as poppler's tools read it, run as processes of their own.
int PdfPageCount(const QString& file);
// The text of each page, in reading order.
std::vector<std::string> PdfPageTexts(const QString& file);
