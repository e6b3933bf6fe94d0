#include "network/NetworkFileReader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace {

constexpr std::size_t BlockSize = 256 * 1024;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.substr(i);
}

// A number written as the program writes it ("-12.345", at most 15 digits) is one quotient of two
// doubles that hold their values exactly, which division rounds as from_chars would; false where
// the text may say more (an exponent, more digits) and from_chars must read it.
bool PlainDecimal(std::string_view text, double& value) {
    static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int MostDigits = 15;
    std::size_t at = text.size() > 0 && text[0] == '-' ? 1 : 0;
    const auto isDigit = [&text](std::size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };
    std::uint64_t whole = 0;
    int digits = 0;
    int decimals = 0;
    for (; isDigit(at); ++at, ++digits)
        whole = whole * 10 + static_cast<std::uint64_t>(text[at] - '0');
    if (digits == 0)
        return false;
    if (at < text.size() && text[at] == '.')
        for (++at; isDigit(at); ++at, ++digits, ++decimals)
            whole = whole * 10 + static_cast<std::uint64_t>(text[at] - '0');
    if (digits > MostDigits || (at < text.size() && (text[at] == '.' || text[at] == 'e' || text[at] == 'E')))
        return false;
    const double magnitude = static_cast<double>(whole) / PowersOfTen[decimals];
    value = text[0] == '-' ? -magnitude : magnitude;
    return true;
}

// A number at the start of the line, after blanks. from_chars reads a '-' with the digits, so
// the whole range of an int is read, but takes no '+'.
template <class Number> bool ScanNumber(std::string_view line, Number& value) {
    std::string_view text = SkipBlanks(line);
    if constexpr (std::is_same_v<Number, double>)
        if (PlainDecimal(text, value))
            return true;
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-')
            return false;
    }
    Number scanned{};
    if (std::from_chars(text.data(), text.data() + text.size(), scanned).ec != std::errc())
        return false;
    value = scanned;
    return true;
}

} // namespace

bool NetworkFileReader::NextLine(std::string_view& line) {
    std::size_t end = rest.find('\n');
    while (end == std::string_view::npos) {
        const std::size_t searched = rest.size();
        if (!ReadMore())
            break;
        end = rest.find('\n', searched);
    }
    if (rest.empty())
        return false;
    std::string_view found = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    // A title or date would otherwise keep the carriage returns before its line end.
    while (!found.empty() && found.back() == '\r')
        found.remove_suffix(1);
    last = found;
    line = found;
    return true;
}

bool NetworkFileReader::ReadMore() {
    if (ended)
        return false;
    lastKept.assign(last);
    last = lastKept;
    const std::size_t kept = rest.size();
    if (kept > 0)
        std::memmove(buffer.data(), rest.data(), kept);
    // A line longer than a block makes the buffer grow with it.
    if (buffer.size() < kept + BlockSize)
        buffer.resize(kept + BlockSize);
    const std::size_t got =
        std::min(source(buffer.data() + kept, buffer.size() - kept), buffer.size() - kept);
    ended = got == 0;
    rest = std::string_view(buffer.data(), kept + got);
    return !ended;
}

std::string_view NetworkFileReader::ValueLine(Part part) {
    std::string_view line;
    do {
        if (!NextLine(line)) {
            switch (part) {
            case NetworkPart:
                Fail(last);
            case SewerPart:
                throw ENetworkFileError("Error reading network data file.");
            case SewerEndOrJunctionPart:
                throw ENetworkFileError("Error reading network data file." + AnsiString(last));
            }
        }
    } while (!line.empty() && line[0] == '#');
    return line;
}

AnsiString NetworkFileReader::Name(Part part) {
    const std::string_view text = SkipBlanks(ValueLine(part));
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    return text.substr(0, end);
}

void NetworkFileReader::Double(double& value, Part part) {
    ScanNumber(ValueLine(part), value);
}

void NetworkFileReader::Integer(int& value, Part part) {
    ScanNumber(ValueLine(part), value);
}

void NetworkFileReader::Flag(bool& value, Part part) {
    int number = 0;
    if (ScanNumber(ValueLine(part), number))
        value = number == 1;
}

int NetworkFileReader::Count(Part part) {
    const std::string_view line = ValueLine(part);
    int count = 0;
    if (!ScanNumber(line, count) || count < 0)
        Fail(line);
    return count;
}

void NetworkFileReader::SkipValueLines(int count, Part part) {
    for (int i = 0; i < count; ++i)
        ValueLine(part);
}

void NetworkFileReader::Fail(const AnsiString& detail) {
    throw ENetworkFileError("Error reading network data file: " + detail);
}
