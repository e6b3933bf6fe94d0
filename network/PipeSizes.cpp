#include "network/PipeSizes.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr int FewestFileSizes = 3;
constexpr int MostFileSizes = 20;

// One line without its line end ("\n" or "\r\n"); nothing at the end of the file.
std::optional<std::string> ReadLine(std::ifstream& file) {
    std::string line;
    if (!std::getline(file, line))
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// An integer at the start of the text, after blanks and an optional sign, as "%d" reads it;
// one too large for an int is taken as the largest (or smallest) int.
std::optional<int> LeadingInteger(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start);
    const bool negative = text.front() == '-';
    if (text.front() == '+' || negative)
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end == text.data())
        return std::nullopt;
    if (error == std::errc::result_out_of_range || value > std::numeric_limits<int>::max())
        return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    return static_cast<int>(negative ? -value : value);
}

// The whole text as a positive finite number with '.' as the decimal point, whatever the locale.
std::optional<double> PipeMillimetres(const AnsiString& text) {
    const std::string_view digits = text.view();
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

std::optional<PipeSizeList> FilePipeSizes(std::ifstream& file) {
    const auto marker = ReadLine(file);
    if (!marker || *marker != "#DRENVALA_DAT")
        return std::nullopt;
    for (;;) {
        const auto line = ReadLine(file);
        if (!line)
            return std::nullopt;
        if (AnsiString(*line).Trim().UpperCase() == "PIPE_SIZES")
            break;
    }
    const auto countLine = ReadLine(file);
    const auto count = countLine ? LeadingInteger(*countLine) : std::nullopt;
    if (!count || *count < FewestFileSizes)
        return std::nullopt;
    const int taken = std::min(*count, MostFileSizes);
    const auto sizesLine = ReadLine(file);
    if (!sizesLine)
        return std::nullopt;
    const std::vector<AnsiString> entries = SplitLine(*sizesLine, ",", static_cast<std::size_t>(taken));
    if (static_cast<int>(entries.size()) < taken)
        return std::nullopt;
    PipeSizeList sizes;
    for (int i = 0; i < taken; ++i) {
        const AnsiString& text = entries[static_cast<std::size_t>(i)];
        const auto millimetres = PipeMillimetres(text);
        if (!millimetres)
            return std::nullopt;
        sizes.push_back({text, *millimetres});
    }
    return sizes;
}

} // namespace

PipeSizeList BuiltInPipeSizes() {
    PipeSizeList sizes;
    for (int millimetres = 50; millimetres <= 500; millimetres += 25)
        sizes.push_back({AnsiString(std::to_string(millimetres)), static_cast<double>(millimetres)});
    sizes.push_back({"520", 520});
    return sizes;
}

PipeSizeList ReadPipeSizes(const AnsiString& path) {
    std::ifstream file(path.str(), std::ios::binary);
    if (!file)
        return BuiltInPipeSizes();
    return FilePipeSizes(file).value_or(BuiltInPipeSizes());
}

std::vector<AnsiString> SplitLine(std::string_view line, std::string_view separator, std::size_t most) {
    std::vector<AnsiString> parts;
    std::size_t from = 0;
    // An empty separator occurs nowhere, so the whole line is one part.
    for (std::size_t at = separator.empty() ? line.npos : line.find(separator);
         at != line.npos && parts.size() < most; at = line.find(separator, from)) {
        parts.push_back(AnsiString(line.substr(from, at - from)).Trim());
        from = at + separator.size();
    }
    if (from < line.size() && parts.size() < most)
        parts.push_back(AnsiString(line.substr(from)).Trim());
    return parts;
}
