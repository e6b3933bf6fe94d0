#include "grid/TextLines.h"

#include "framework/TextEncoding.h"

#include <algorithm>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Byte offset of the 0-based character index, the text's size beyond its end.
std::size_t CharOffset(std::string_view text, int index) {
    std::size_t at = 0;
    for (int n = 0; n < index && at < text.size(); ++n)
        at += FileCharacterLength(text, at);
    return at;
}

} // namespace

std::string TextOfFileBytes(std::string bytes, bool CtrlZEnds) {
    if (CtrlZEnds && bytes.ends_with('\x1A'))
        bytes.pop_back();
    if (bytes.starts_with(ByteOrderMark))
        bytes.erase(0, ByteOrderMark.size());
    // UTF-8, as nearly every file is, stays where it is.
    return IsValidUtf8(bytes) ? std::move(bytes) : TextFromFileBytes(bytes);
}

void KeepLeadingByteOrderMark(std::string& text) {
    if (text.starts_with(ByteOrderMark))
        text.insert(0, ByteOrderMark);
}

std::size_t FindAnyOf(std::string_view text, std::size_t from, char a, char b, char c) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin + std::min(from, text.size());
    while (p != end && *p != a && *p != b && *p != c)
        ++p;
    return static_cast<std::size_t>(p - begin);
}

std::size_t LineBreakAt(std::string_view text, std::size_t i) {
    if (i >= text.size())
        return 0;
    if (text[i] == '\r')
        return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
    return text[i] == '\n' ? 1 : 0;
}

bool LineReader::Next(std::string_view& line) {
    if (at >= text.size())
        return false;
    const std::size_t end =
        ends == LineEnds::Any ? FindAnyOf(text, at, '\r', '\n', '\n') : FindAnyOf(text, at, '\r', '\r', '\r');
    line = text.substr(at, end - at);
    at = end + LineBreakAt(text, end);
    return true;
}

std::string TextForCells(long long cells) {
    // Most cells of the program's tables are short numbers; a longer text grows the buffer as usual.
    constexpr long long BytesPerCell = 32;
    constexpr long long MostReserved = 1LL << 30;
    std::string text;
    text.reserve(static_cast<std::size_t>(std::clamp(cells * BytesPerCell, 0LL, MostReserved)));
    return text;
}

int CharCount(std::string_view text) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); at += FileCharacterLength(text, at))
        ++count;
    return count;
}

std::string_view CharSpan(std::string_view text, int start, int count) {
    const std::size_t from = CharOffset(text, start);
    const std::string_view rest = text.substr(from);
    return rest.substr(0, CharOffset(rest, count));
}
