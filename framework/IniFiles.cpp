#include "framework/IniFiles.h"

#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/NumberFormat.h"
#include "framework/TextEncoding.h"

#include <algorithm>
#include <cctype>

namespace {

// What a read trims off the ends of section names, keys and values.
constexpr std::string_view Blanks = " \t";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsBlank(char c) {
    return Blanks.find(c) != std::string_view::npos;
}

// The value on one line: each line break (CR LF, CR or LF) becomes a blank, so that no part of it
// can be read as a key or section of its own.
std::string OneLine(std::string_view value) {
    std::string line;
    line.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
            ++i;
        line += value[i] == '\r' || value[i] == '\n' ? ' ' : value[i];
    }
    return line;
}

// What ReadString would give back unchanged: a value that begins or ends with a blank, or is
// enclosed in a pair of quotes, is written in quotes, which the read takes off again.
std::string Stored(std::string_view value) {
    const bool blankEdge = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    if (!blankEdge && !quoted)
        return std::string(value);
    std::string inQuotes;
    inQuotes.reserve(value.size() + 2);
    inQuotes.append(1, '"').append(value).append(1, '"');
    return inQuotes;
}

// The section a "[name]" line opens, if it is one.
bool SectionLine(std::string_view line, std::string_view& name) {
    line = Trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    name = Trimmed(line.substr(1, line.size() - 2));
    return true;
}

} // namespace

TIniFile::TIniFile(const AnsiString& FileName) : FileName(FileName) {
    std::string bytes;
    if (!ReadFileBytes(FileName, bytes))
        return;
    const std::string text = TextFromFileBytes(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
}

int TIniFile::FindKey(const AnsiString& Section, const AnsiString& Ident, int& sectionEnd) const {
    bool inSection = false;
    sectionEnd = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const std::string_view line = lines[static_cast<std::size_t>(i)];
        std::string_view name;
        if (SectionLine(line, name)) {
            if (inSection)
                return -1;
            inSection = SameName(name, Section.view());
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (!Trimmed(line).empty())
            sectionEnd = i + 1;
        const auto equals = line.find('=');
        if (equals != std::string_view::npos && SameName(Trimmed(line.substr(0, equals)), Ident.view()))
            return i;
    }
    return -1;
}

AnsiString TIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident,
                                const AnsiString& Default) const {
    int sectionEnd = 0;
    const int at = FindKey(Section, Ident, sectionEnd);
    if (at < 0)
        return Default;
    const std::string_view line = lines[static_cast<std::size_t>(at)];
    std::string_view value = Trimmed(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return AnsiString(value);
}

int TIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const {
    int value = Default;
    return TryStrToInt(ReadString(Section, Ident, ""), value) ? value : Default;
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
    std::vector<std::string> written = lines;
    int sectionEnd = 0;
    const int at = FindKey(Section, Ident, sectionEnd);
    const std::string entry = Ident.str() + "=" + Stored(OneLine(Value.view()));
    if (at >= 0) {
        written[static_cast<std::size_t>(at)] = entry;
    } else if (sectionEnd >= 0) {
        written.insert(written.begin() + sectionEnd, entry);
    } else {
        if (!written.empty() && !Trimmed(written.back()).empty())
            written.emplace_back();
        written.push_back("[" + Section.str() + "]");
        written.push_back(entry);
    }
    std::string bytes;
    for (const std::string& line : written)
        bytes += line + "\r\n";
    if (!WriteFileBytes(FileName, bytes))
        throw EFCreateError("Cannot create file " + FileName);
    lines = std::move(written);
}

void TIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}
