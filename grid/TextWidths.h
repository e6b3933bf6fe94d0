#pragma once

#include "framework/Graphics.h"

#include <memory>
#include <string_view>
#include <vector>

class QPaintDevice;

// Widths of texts as the canvas measures them (TCanvas::TextWidth) with a font on a device (none:
// the screen), for sizing columns over many cells and laying out tagged text. Texts of printable ASCII add up
// the advances of their characters and the kerning of each pair of neighbours, both asked once per font;
// other texts (and those where ligatures may join three letters) are measured whole, each once while the
// store lasts.
class TextWidths {
public:
    TextWidths();
    ~TextWidths();
    TextWidths(const TextWidths&) = delete;
    TextWidths& operator=(const TextWidths&) = delete;

    int Width(const TFont& font, std::string_view text, const QPaintDevice* device = nullptr);
    // The width before rounding, so that pieces measured apart add up: Width of plain ASCII is
    // the rounded sum of its pieces' extents and the kerning where they meet.
    double Extent(const TFont& font, std::string_view text, const QPaintDevice* device = nullptr);
    // What setting after right after before adds beyond their own advances; 0 beyond printable
    // ASCII.
    double Kerning(const TFont& font, char before, char after, const QPaintDevice* device = nullptr);
    // The height of a line of text (TCanvas::TextHeight).
    int Height(const TFont& font, const QPaintDevice* device = nullptr);
    // A line's room in a font, kept: Qt looks its font up again each time it is asked.
    struct Line {
        int Ascent;
        int Descent;
        int Height;
    };
    const Line& LineOf(const TFont& font, const QPaintDevice* device = nullptr);

private:
    struct FontTable;
    FontTable& TableOf(const TFont& font, const QPaintDevice* device);

    std::vector<std::unique_ptr<FontTable>> tables;
};
