#pragma once

#include <QString>

#include <string>
#include <vector>

// A PDF file as poppler's tools read it, run as processes of their own.
int PdfPageCount(const QString& file);
// The text of each page, in reading order.
std::vector<std::string> PdfPageTexts(const QString& file);

// A picture placed in a PDF: on which page, its size in pixels and how many of them an inch holds.
struct PdfImage {
    int Page, Width, Height, PixelsPerInchX, PixelsPerInchY;
};
std::vector<PdfImage> PdfImages(const QString& file);
