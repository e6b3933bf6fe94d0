#include "grid/DataGridCheck.h"

AnsiString TCapitalCheck::Correct(int, int, const AnsiString& Value) {
    std::string text = Value.str();
    // The text starts as if a sentence had just ended before it.
    char twoBack = '.';
    char oneBack = ' ';
    for (char& c : text) {
        const char current = c;
        if (oneBack == ' ' && (twoBack == '.' || twoBack == '!' || twoBack == '?') && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        twoBack = oneBack;
        oneBack = current;
    }
    return AnsiString(std::move(text));
}

AnsiString ReplaceOnce(const AnsiString& Text, const AnsiString& Old, const AnsiString& New) {
    std::string text = Text.str();
    const std::size_t at = Old.IsEmpty() ? std::string::npos : text.find(Old.view());
    if (at != std::string::npos)
        text.replace(at, static_cast<std::size_t>(Old.Length()), New.view());
    return AnsiString(std::move(text));
}
