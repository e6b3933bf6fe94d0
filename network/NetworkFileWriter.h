#pragma once

#include "framework/AnsiString.h"
#include "framework/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

// Writes the values of a network file, each followed by its label, and hands the text on in
// blocks, so that a large network is never held whole as text. Numbers are written as the C
// runtime writes them, with '.' whatever the locale. The values go straight into the block,
// which is what makes a file of a million sewers take seconds rather than minutes.
class NetworkFileWriter {
public:
    // Takes the next block of the file; false when it could not be written.
    using Sink = std::function<bool(std::string_view block)>;

    explicit NetworkFileWriter(Sink sink);

    // Text as it stands; a whole line holds its "\n".
    void Text(std::string_view text) { Put(text); }
    // A name or title, then the label.
    void Line(const AnsiString& value, std::string_view label) {
        Put(value.view());
        Put(label);
    }
    // As "%<width>.<decimals>f", then the label.
    void Fixed(double value, int width, int decimals, std::string_view label) {
        MakeRoom(std::max(static_cast<std::size_t>(std::max(width, 0)), FixedTextRoom));
        end = WriteFixed(end, value, width, decimals);
        Put(label);
    }
    // As "%d", then the label.
    void Integer(int value, std::string_view label) {
        constexpr std::size_t longest = 11; // "-2147483648"
        MakeRoom(longest);
        end = std::to_chars(end, end + longest, value).ptr;
        Put(label);
    }
    // Hands on the rest; false when any block could not be written.
    bool Finish();

private:
    void Put(std::string_view text) {
        MakeRoom(text.size());
        std::memcpy(end, text.data(), text.size());
        end += text.size();
    }
    void MakeRoom(std::size_t size) {
        if (static_cast<std::size_t>(limit - end) < size)
            HandOn(size);
    }
    // Hands on what the block holds and leaves room for size characters in it.
    void HandOn(std::size_t size);

    Sink sink;
    std::vector<char> block;
    char* end = nullptr;
    char* limit = nullptr;
    bool failed = false;
};
