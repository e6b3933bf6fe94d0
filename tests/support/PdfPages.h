#pragma once

#include <QImage>
#include <QString>

#include <string>
#include <vector>

// A PDF file as poppler's tools read it, run as processes of their own.
int PdfPageCount(const QString& file);
// The text of each page, in reading order.
std::vector<std::string> PdfPageTexts(const QString& file);

// A word of a page as pdftotext finds it: its page (from 1), its box in points from the sheet's
// top-left corner, each glyph as wide as it advances, and its text.
struct PdfWord {
    int Page;
    double XMin, YMin, XMax, YMax;
    std::string Text;
};
std::vector<PdfWord> PdfWords(const QString& file);
// Each page rendered as poppler renders it, clipping and all, a pixel a point.
std::vector<QImage> PdfPageImages(const QString& file);
// Whether anything of a word shows there: pdftotext reads a text the clip hides as well.
bool PdfWordShows(const std::vector<QImage>& pages, const PdfWord& word);

// A picture placed in a PDF: on which page, its size in pixels and how many of them an inch holds.
struct PdfImage {
    int Page, Width, Height, PixelsPerInchX, PixelsPerInchY;
};
std::vector<PdfImage> PdfImages(const QString& file);
