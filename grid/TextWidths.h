#pragma once

#include "framework/Graphics.h"

#include <memory>
#include <string_view>
#include <vector>

// Widths of texts as the canvas measures them (TCanvas::TextWidth) with a font, for sizing
// columns over many cells. Texts of printable ASCII add up the advances of their characters and
// the kerning of each pair of neighbours, both asked once per font; other texts (and those
// where ligatures may join three letters) are measured whole, each once while the store lasts.
class TextWidths {
public:
    TextWidths();
    ~TextWidths();
    TextWidths(const TextWidths&) = delete;
    TextWidths& operator=(const TextWidths&) = delete;

    int Width(const TFont& font, std::string_view text);
    // The height of a line of text (TCanvas::TextHeight).
    int Height(const TFont& font);

private:
    struct FontTable;
    FontTable& TableOf(const TFont& font);

    std::vector<std::unique_ptr<FontTable>> tables;
};
