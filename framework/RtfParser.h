#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The character formatting a run of rich text carries, as its control words set it.
struct RtfFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    // Half points.
    int Size = 24;
    int Font = 0;
    // Indexes of the colour table; 0 is the automatic colour.
    int Color = 0;
    int Highlight = 0;
    // Half points up (negative: down).
    int Offset = 0;
    // 1 superscript, -1 subscript.
    int Script = 0;

    bool operator==(const RtfFormat&) const = default;
};

struct RtfColor {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
};

// What a reader of rich text makes of it: runs of UTF-8 text with their formatting, breaks.
class RtfSink {
public:
    virtual ~RtfSink() = default;
    virtual void Text(std::string_view text, const RtfFormat& format) = 0;
    virtual void LineBreak(const RtfFormat& format) = 0;
    virtual void ParagraphBreak(const RtfFormat& format) = 0;
};

// Reads rich text: groups, control words and symbols; the font and colour tables kept; "\*"
// destinations and unknown words skipped; "\'hh" and the text's own 8-bit bytes in the document's
// code page ("\ansicpgN", Windows-1252 unless it names another the platform knows) or in that of
// the font's character set ("\fcharsetN"), a character of a double-byte page whole whether its
// bytes are escaped or not and though its second byte is ASCII, the text's bytes of a document that names
// neither as UTF-8 where they form it, "\uN" with "\ucN" stand-ins (up to the group's edge), in the text and
// in font names, where "\;" is a ';' of the name; a NUL left out. Never fails: a truncated or
// unbalanced text gives what it holds.
class RtfParser {
public:
    explicit RtfParser(std::string_view rtf) : rtf(rtf) {}
    void Parse(RtfSink& sink);

    // Font names by "\fN" number, colours by table index (entry 0 the automatic colour).
    std::vector<std::pair<int, std::string>> Fonts;
    std::vector<RtfColor> Colors;

private:
    enum class Destination { Text, Skipped, FontTable, ColorTable };
    struct Group {
        Destination Where = Destination::Text;
        int UnicodeFallback = 1;
        RtfFormat Format;
    };

    Group& Current() { return groups.back(); }
    void Emit(std::string_view text);
    // A byte of the code page, "\'hh" (escaped) or one of the text that may begin UTF-8; kept
    // until the run of such bytes ends, as a character may take more than one.
    void EmitByte(char byte, bool escaped);
    void Flush();
    // Text for the current destination, without any NUL.
    void Deliver(std::string_view text);
    // The code page of the bytes being read: the font's, where its character set names one; 0 when
    // neither the font nor the document names one.
    int BytesCodePage() const;
    void Control();
    void Symbol(char c);
    void Hex();
    void Unicode(std::uint32_t code);
    void Word(std::string_view word, bool hasParameter, int parameter);
    void EndTableEntry();

    std::string_view rtf;
    RtfSink* sink = nullptr;
    std::size_t at = 0;
    std::vector<Group> groups{Group{}};
    int fallbackLeft = 0;
    std::uint32_t highHalf = 0;
    std::string bytes;
    bool bytesEscaped = false;
    // The bytes kept end with the first byte of a character of two in a double-byte code page,
    // whose second byte may be ASCII.
    bool awaitsTrailByte = false;
    // The document's code page; 0 while it names none.
    int codePage = 0;
    std::string fontName;
    int fontNumber = 0;
    // The code page of the font table entry being read (0: the document's), and of each font
    // whose character set names one.
    int fontCodePage = 0;
    std::map<int, int> fontCodePages;
    RtfColor color;
    bool colorSet = false;
};
