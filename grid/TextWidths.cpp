#include "grid/TextWidths.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <unordered_map>

namespace {

constexpr int FirstPrintable = 32;
constexpr int Printables = 127 - FirstPrintable;
// Whole texts remembered per font before the store starts again.
constexpr std::size_t MostRemembered = 1 << 16;

// Fonts count their sizes in the device's pixels per inch; 0 for the screen's.
int DpiOf(const QPaintDevice* device) {
    return device ? device->logicalDpiY() : 0;
}

bool Printable(char c) {
    return c >= FirstPrintable && c < FirstPrintable + Printables;
}

} // namespace

struct TextWidths::FontTable {
    FontTable(const TFont& font, const QPaintDevice* device)
        : Size(font.Size), Style(font.Style), Dpi(DpiOf(device)), Metrics(font.ToQFont(), device),
          MetricsF(font.ToQFont(), device), Line{Metrics.ascent(), Metrics.descent(), Metrics.height()} {
        advances.fill(std::nan(""));
        kerning.fill(std::nan(""));
    }

    double Advance(int c) {
        double& advance = advances[static_cast<std::size_t>(c - FirstPrintable)];
        if (std::isnan(advance))
            advance = MetricsF.horizontalAdvance(QChar(c));
        return advance;
    }

    // What a pair of neighbours takes beyond their own advances (negative when kerned closer).
    double Kerning(int a, int b) {
        double& kern =
            kerning[static_cast<std::size_t>((a - FirstPrintable) * Printables + b - FirstPrintable)];
        if (std::isnan(kern))
            kern = MetricsF.horizontalAdvance(QString(QChar(a)) + QChar(b)) - Advance(a) - Advance(b);
        return kern;
    }

    int Whole(std::string_view text) { return Remembered(remembered, text, Metrics); }
    // Unrounded, for pieces that are added up.
    double WholeExtent(std::string_view text) { return Remembered(rememberedExtents, text, MetricsF); }

    int Size;
    unsigned Style;
    int Dpi;
    QFontMetrics Metrics;
    QFontMetricsF MetricsF;
    TextWidths::Line Line;

private:
    template <typename Value, typename FontMetrics>
    static Value Remembered(std::unordered_map<std::string, Value>& store, std::string_view text,
                            const FontMetrics& metrics) {
        if (store.size() >= MostRemembered)
            store.clear();
        const auto [at, added] = store.try_emplace(std::string(text), 0);
        if (added)
            at->second = metrics.horizontalAdvance(
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        return at->second;
    }

    std::array<double, Printables> advances;
    std::array<double, Printables * Printables> kerning;
    std::unordered_map<std::string, int> remembered;
    std::unordered_map<std::string, double> rememberedExtents;
};

TextWidths::TextWidths() = default;
TextWidths::~TextWidths() = default;

TextWidths::FontTable& TextWidths::TableOf(const TFont& font, const QPaintDevice* device) {
    const int dpi = DpiOf(device);
    for (const auto& table : tables)
        if (table->Size == font.Size && table->Style == font.Style && table->Dpi == dpi)
            return *table;
    return *tables.emplace_back(std::make_unique<FontTable>(font, device));
}

namespace {

bool Simple(std::string_view text) {
    return text.find("ff") == std::string_view::npos &&
           std::all_of(text.begin(), text.end(), [](char c) { return Printable(c); });
}

// Advances come in 64ths of a pixel, so their sum is exact, in any grouping.
template <typename Table> double AdvancesOf(Table& table, std::string_view text) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        width += table.Advance(text[i]);
        if (i > 0)
            width += table.Kerning(text[i - 1], text[i]);
    }
    return width;
}

} // namespace

int TextWidths::Width(const TFont& font, std::string_view text, const QPaintDevice* device) {
    FontTable& table = TableOf(font, device);
    if (!Simple(text))
        return table.Whole(text);
    // It rounds as the whole text's width.
    return static_cast<int>(std::floor(AdvancesOf(table, text) + 0.5));
}

double TextWidths::Extent(const TFont& font, std::string_view text, const QPaintDevice* device) {
    FontTable& table = TableOf(font, device);
    return Simple(text) ? AdvancesOf(table, text) : table.WholeExtent(text);
}

double TextWidths::Kerning(const TFont& font, char before, char after, const QPaintDevice* device) {
    if (!Printable(before) || !Printable(after))
        return 0;
    return TableOf(font, device).Kerning(before, after);
}

int TextWidths::Height(const TFont& font, const QPaintDevice* device) {
    return TableOf(font, device).Line.Height;
}

const TextWidths::Line& TextWidths::LineOf(const TFont& font, const QPaintDevice* device) {
    return TableOf(font, device).Line;
}
