#include "framework/RtfParser.h"

#include "framework/TextEncoding.h"

#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <set>

namespace {

// Groups whose text is no part of what shows.
const std::set<std::string_view> SkippedDestinations = {
    "author",   "buptim",     "comment",           "creatim", "doccomm",  "fldinst", "footer",  "footerf",
    "footerl",  "footerr",    "footnote",          "header",  "headerf",  "headerl", "headerr", "info",
    "keywords", "listtable",  "listoverridetable", "object",  "operator", "pict",    "printim", "revtim",
    "rsidtbl",  "stylesheet", "subject",           "title",   "xmlnstbl"};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void AppendCodePoint(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Bytes of a Windows code page as UTF-8; Windows-1252 when the platform knows no other page of
// that number.
std::string TextFromCodePage(std::string_view bytes, int codePage) {
    if (codePage != 1252) {
        QStringDecoder decoder(("windows-" + std::to_string(codePage)).c_str());
        if (decoder.isValid())
            return QString(decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))))
                .toStdString();
    }
    std::string text;
    for (const char byte : bytes)
        text += TextFromFileBytes(std::string_view(&byte, 1));
    return text;
}

// The Windows code page of a font's character set ("\fcharsetN"); 0 for the ANSI, default and
// symbol sets, whose bytes are in the document's own page.
int CharsetCodePage(int charset) {
    static constexpr std::pair<int, int> pages[] = {
        {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},  {136, 950}, {161, 1253}, {162, 1254},
        {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250}, {255, 437}};
    const auto page = std::find_if(std::begin(pages), std::end(pages),
                                   [charset](const auto& entry) { return entry.first == charset; });
    return page != std::end(pages) ? page->second : 0;
}

// Whether byte opens a character of two bytes in a Windows double-byte code page.
bool IsLeadByte(int codePage, unsigned char byte) {
    switch (codePage) {
    case 932:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
        return byte >= 0x81 && byte <= 0xFE;
    case 1361:
        return (byte >= 0x84 && byte <= 0xD3) || (byte >= 0xD8 && byte <= 0xDE) ||
               (byte >= 0xE0 && byte <= 0xF9);
    default:
        return false;
    }
}

// The characters that open and close groups and begin control words.
bool IsSyntax(char c) {
    return c == '\\' || c == '{' || c == '}';
}

// Whether an ASCII character may close a character of two bytes in a double-byte code page.
bool IsAsciiTrailByte(int codePage, char c) {
    switch (codePage) {
    case 949:
        return IsLetter(c);
    case 1361:
        return c >= 0x31 && c <= 0x7E;
    default:
        return c >= 0x40 && c <= 0x7E;
    }
}

} // namespace

void RtfParser::Parse(RtfSink& target) {
    sink = &target;
    while (at < rtf.size()) {
        const char c = rtf[at++];
        if (c == '\\' && at < rtf.size() && rtf[at] == '\'') {
            ++at;
            Hex();
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x80 && Current().Where != Destination::ColorTable) {
            EmitByte(c, false);
            continue;
        }
        if (awaitsTrailByte) {
            // A brace or backslash as it stands is the document's own; escaped ("\{", "\}",
            // "\\"), it is a byte of the text, which may close the character.
            const bool escaped = c == '\\' && at < rtf.size() && IsSyntax(rtf[at]);
            const char byte = escaped ? rtf[at] : c;
            if ((escaped || !IsSyntax(c)) && IsAsciiTrailByte(BytesCodePage(), byte)) {
                if (escaped)
                    ++at;
                EmitByte(byte, escaped);
                continue;
            }
        }
        // A line end of the file is nothing of the text, not even the end of a character's bytes.
        if (c == '\r' || c == '\n')
            continue;
        Flush();
        // The stand-ins of a "\uN" belong to its group: either brace ends them.
        if (c == '{' || c == '}')
            fallbackLeft = 0;
        if (c == '{') {
            groups.push_back(groups.back());
        } else if (c == '}') {
            if (groups.size() > 1)
                groups.pop_back();
        } else if (c == '\\') {
            Control();
        } else if (c == ';' && (Current().Where == Destination::FontTable ||
                                Current().Where == Destination::ColorTable)) {
            EndTableEntry();
        } else if (Current().Where != Destination::ColorTable) {
            Emit(std::string_view(&c, 1));
        }
    }
    Flush();
}

void RtfParser::EndTableEntry() {
    if (Current().Where == Destination::FontTable) {
        Fonts.emplace_back(fontNumber, fontName);
        if (fontCodePage != 0)
            fontCodePages.emplace(fontNumber, fontCodePage);
        fontName.clear();
    } else {
        Colors.push_back(colorSet ? color : RtfColor{});
        color = {};
        colorSet = false;
    }
}

void RtfParser::EmitByte(char byte, bool escaped) {
    if (fallbackLeft > 0) {
        --fallbackLeft;
        return;
    }
    // In a named code page escaped and raw bytes read alike, so one character may mix them.
    if (escaped != bytesEscaped && BytesCodePage() == 0)
        Flush();
    bytesEscaped = escaped;
    bytes += byte;
    // Kept as the bytes come, not read again from the first: a paragraph's run may be long.
    awaitsTrailByte = !awaitsTrailByte && IsLeadByte(BytesCodePage(), static_cast<unsigned char>(byte));
}

void RtfParser::Flush() {
    if (bytes.empty())
        return;
    // Bytes as they stand in a text that names no code page are read as the program's own files
    // are: UTF-8 kept, any other byte Windows-1252.
    const int page = BytesCodePage();
    const std::string text = bytesEscaped || page != 0 ? TextFromCodePage(bytes, page != 0 ? page : 1252)
                                                       : TextFromFileBytes(bytes);
    bytes.clear();
    awaitsTrailByte = false;
    Deliver(text);
}

void RtfParser::Emit(std::string_view text) {
    if (fallbackLeft > 0) {
        --fallbackLeft;
        return;
    }
    Deliver(text);
}

void RtfParser::Deliver(std::string_view text) {
    // The writer leaves a NUL out, so reading does too: a text reads back as it was written.
    if (text.find('\0') != std::string_view::npos) {
        std::string kept(text);
        std::erase(kept, '\0');
        Deliver(kept);
        return;
    }
    if (text.empty())
        return;
    if (Current().Where == Destination::Text)
        sink->Text(text, Current().Format);
    else if (Current().Where == Destination::FontTable)
        fontName += text;
}

int RtfParser::BytesCodePage() const {
    const Group& group = groups.back();
    if (group.Where == Destination::FontTable)
        return fontCodePage != 0 ? fontCodePage : codePage;
    const auto font = fontCodePages.find(group.Format.Font);
    return font != fontCodePages.end() ? font->second : codePage;
}

void RtfParser::Control() {
    if (at >= rtf.size())
        return;
    const char c = rtf[at];
    if (!IsLetter(c)) {
        ++at;
        Symbol(c);
        return;
    }
    const std::size_t start = at;
    while (at < rtf.size() && IsLetter(rtf[at]))
        ++at;
    const std::string_view word = rtf.substr(start, at - start);
    bool hasParameter = false;
    int parameter = 0;
    const std::size_t numberStart = at;
    if (at < rtf.size() && rtf[at] == '-')
        ++at;
    while (at < rtf.size() && IsDigit(rtf[at]))
        ++at;
    if (at > numberStart && IsDigit(rtf[at - 1]) &&
        std::from_chars(rtf.data() + numberStart, rtf.data() + at, parameter).ec == std::errc()) {
        hasParameter = true;
    } else if (!(at > numberStart && IsDigit(rtf[at - 1]))) {
        at = numberStart;
    }
    if (at < rtf.size() && rtf[at] == ' ')
        ++at;
    Word(word, hasParameter, parameter);
}

void RtfParser::Symbol(char c) {
    switch (c) {
    case '\\':
    case '{':
    case '}':
        Emit(std::string_view(&c, 1));
        break;
    case '~':
        Emit("\xC2\xA0");
        break;
    case '_':
        Emit("-");
        break;
    case '*':
        Current().Where = Destination::Skipped;
        break;
    case '\r':
    case '\n':
        if (Current().Where == Destination::Text)
            sink->ParagraphBreak(Current().Format);
        break;
    default:
        break;
    }
}

void RtfParser::Hex() {
    int byte = 0;
    if (at + 2 > rtf.size() ||
        std::from_chars(rtf.data() + at, rtf.data() + at + 2, byte, 16).ptr != rtf.data() + at + 2)
        return;
    at += 2;
    if (Current().Where != Destination::ColorTable)
        EmitByte(static_cast<char>(byte), true);
}

// A character beyond the first plane comes as two halves.
void RtfParser::Unicode(std::uint32_t code) {
    if (code >= 0xD800 && code < 0xDC00) {
        highHalf = code;
        return;
    }
    if (code >= 0xDC00 && code < 0xE000)
        code = highHalf ? 0x10000 + ((highHalf - 0xD800) << 10) + (code - 0xDC00) : 0xFFFD;
    highHalf = 0;
    std::string character;
    AppendCodePoint(character, code);
    Emit(character);
}

void RtfParser::Word(std::string_view word, bool hasParameter, int parameter) {
    Group& group = Current();
    RtfFormat& format = group.Format;
    const bool on = !hasParameter || parameter != 0;
    if (group.Where == Destination::FontTable && word == "f") {
        fontNumber = parameter;
        fontCodePage = 0;
    } else if (group.Where == Destination::FontTable && word == "fcharset" && hasParameter) {
        fontCodePage = CharsetCodePage(parameter);
    } else if (group.Where == Destination::ColorTable &&
               (word == "red" || word == "green" || word == "blue")) {
        (word == "red"     ? color.Red
         : word == "green" ? color.Green
                           : color.Blue) = std::clamp(parameter, 0, 255);
        colorSet = true;
    } else if (word == "fonttbl") {
        group.Where = Destination::FontTable;
    } else if (word == "colortbl") {
        group.Where = Destination::ColorTable;
    } else if (SkippedDestinations.contains(word)) {
        group.Where = Destination::Skipped;
    } else if (word == "ansicpg" && hasParameter) {
        codePage = parameter > 0 ? parameter : 1252;
    } else if (word == "uc" && hasParameter) {
        group.UnicodeFallback = std::max(parameter, 0);
    } else if (word == "u" && hasParameter) {
        Unicode(static_cast<std::uint32_t>(parameter < 0 ? parameter + 65536 : parameter) & 0xFFFF);
        fallbackLeft = group.UnicodeFallback;
    } else if (group.Where != Destination::Text) {
        return;
    } else if (word == "par") {
        sink->ParagraphBreak(format);
    } else if (word == "line") {
        sink->LineBreak(format);
    } else if (word == "tab") {
        Emit("\t");
    } else if (word == "plain") {
        format = RtfFormat{};
    } else if (word == "b") {
        format.Bold = on;
    } else if (word == "i") {
        format.Italic = on;
    } else if (word == "ul") {
        format.Underline = on;
    } else if (word == "ulnone") {
        format.Underline = false;
    } else if (word == "strike") {
        format.StrikeOut = on;
    } else if (word == "fs" && hasParameter && parameter > 0) {
        format.Size = std::min(parameter, 3276);
    } else if (word == "f" && hasParameter) {
        format.Font = parameter;
    } else if (word == "cf" && hasParameter) {
        format.Color = std::max(parameter, 0);
    } else if ((word == "highlight" || word == "cb") && hasParameter) {
        format.Highlight = std::max(parameter, 0);
    } else if (word == "up") {
        format.Offset = hasParameter ? std::clamp(parameter, -3276, 3276) : 6;
    } else if (word == "dn") {
        format.Offset = hasParameter ? -std::clamp(parameter, -3276, 3276) : -6;
    } else if (word == "super") {
        format.Script = 1;
    } else if (word == "sub") {
        format.Script = -1;
    } else if (word == "nosupersub") {
        format.Script = 0;
    } else if (word == "bin" && hasParameter && parameter > 0) {
        at = std::min(rtf.size(), at + static_cast<std::size_t>(parameter));
    }
}
