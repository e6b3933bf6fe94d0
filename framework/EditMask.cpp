#include "framework/EditMask.h"

#include "framework/DateTime.h"
#include "framework/TextEncoding.h"

#include <algorithm>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

char WithCase(char c, int textCase) {
    if (textCase > 0 && c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    if (textCase < 0 && c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    return c;
}

bool Required(char kind) {
    return kind == '0' || kind == 'L' || kind == 'A' || kind == 'C';
}

} // namespace

TEditMask ParseEditMask(const AnsiString& editMask) {
    TEditMask mask;
    std::string_view text = editMask.view();
    // The last two fields, when given: ";save;blank".
    if (const auto last = text.rfind(';'); last != std::string_view::npos && last > 0) {
        const auto middle = text.rfind(';', last - 1);
        if (middle != std::string_view::npos && last - middle == 2) {
            mask.SaveLiterals = text[middle + 1] != '0';
            if (last + 1 < text.size())
                mask.Blank = text[last + 1];
            text = text.substr(0, middle);
        } else if (text.size() - last == 2) {
            mask.SaveLiterals = text[last + 1] != '0';
            text = text.substr(0, last);
        }
    }
    int textCase = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        TMaskPlace place;
        if (c == '<' && i + 1 < text.size() && text[i + 1] == '>') {
            textCase = 0;
            ++i;
            continue;
        }
        if (c == '>' || c == '<') {
            textCase = c == '>' ? 1 : -1;
            continue;
        }
        if (c == '\\' && i + 1 < text.size()) {
            place.Literal = text[++i];
        } else if (std::string_view("09#LlAaCc").find(c) != std::string_view::npos) {
            place.Kind = c;
            place.Case = textCase;
        } else {
            place.Literal = c == ':' ? TimeSeparator : c == '/' ? DateSeparator : c;
        }
        mask.Places.push_back(place);
    }
    return mask;
}

char MaskCharacter(const TMaskPlace& place, char key) {
    bool fits = false;
    switch (place.Kind) {
    case '0':
    case '9':
        fits = IsDigit(key);
        break;
    case '#':
        fits = IsDigit(key) || key == '+' || key == '-';
        break;
    case 'L':
    case 'l':
        fits = IsLetter(key);
        break;
    case 'A':
    case 'a':
        fits = IsLetter(key) || IsDigit(key);
        break;
    case 'C':
    case 'c':
        fits = static_cast<unsigned char>(key) >= 0x20 && static_cast<unsigned char>(key) < 0x80;
        break;
    default:
        break;
    }
    return fits ? WithCase(key, place.Case) : 0;
}

AnsiString BlankMaskText(const TEditMask& mask) {
    std::string text;
    for (const TMaskPlace& place : mask.Places)
        text += place.Kind ? mask.Blank : place.Literal;
    return text;
}

AnsiString MaskedText(const TEditMask& mask, const AnsiString& editText) {
    std::string text;
    const std::string_view shown = editText.view();
    for (std::size_t i = 0; i < mask.Places.size() && i < shown.size(); ++i) {
        if (mask.Places[i].Kind == 0) {
            if (mask.SaveLiterals)
                text += shown[i];
        } else {
            text += shown[i] == mask.Blank ? ' ' : shown[i];
        }
    }
    return text;
}

AnsiString EditTextOf(const TEditMask& mask, const AnsiString& text) {
    std::string shown = BlankMaskText(mask).str();
    const std::string_view from = text.view();
    // A text without literals has one character for each place, a blank read as a space among
    // them, so a space stays in its place even where it looks like a literal.
    const auto places = std::count_if(mask.Places.begin(), mask.Places.end(),
                                      [](const TMaskPlace& place) { return place.Kind != 0; });
    const bool holdsLiterals = CharacterCount(from) > places;
    int next = 0;
    for (std::size_t i = 0; i < mask.Places.size() && next < text.Length(); ++i) {
        const TMaskPlace& place = mask.Places[i];
        const char c = from[static_cast<std::size_t>(next)];
        if (place.Kind == 0) {
            if (mask.SaveLiterals || (holdsLiterals && c == place.Literal))
                next = NextCharacter(from, next);
            continue;
        }
        // A character beyond ASCII is refused whole, leaving one place blank.
        next = NextCharacter(from, next);
        if (const char shownChar = MaskCharacter(place, c); shownChar != 0)
            shown[i] = shownChar;
    }
    return shown;
}

int NextInputPlace(const TEditMask& mask, int position) {
    while (position < mask.Length() && mask.IsLiteral(position))
        ++position;
    return position;
}

int PreviousInputPlace(const TEditMask& mask, int position) {
    --position;
    while (position >= 0 && mask.IsLiteral(position))
        --position;
    return position;
}

namespace {

std::string PlacesText(const TEditMask& mask, const AnsiString& editText) {
    std::string text = editText.str();
    if (text.size() < static_cast<std::size_t>(mask.Length()))
        text.resize(static_cast<std::size_t>(mask.Length()), mask.Blank);
    return text;
}

} // namespace

AnsiString BlankedPlaces(const TEditMask& mask, const AnsiString& editText, int start, int end) {
    std::string text = PlacesText(mask, editText);
    for (int i = start; i < end && i < mask.Length(); ++i)
        if (!mask.IsLiteral(i))
            text[static_cast<std::size_t>(i)] = mask.Blank;
    return text;
}

std::optional<TMaskTyped> TypedIntoMask(const TEditMask& mask, const AnsiString& editText, int caret,
                                        char key) {
    const auto literalAt = [&](int position) {
        return position < mask.Length() && mask.IsLiteral(position) &&
               mask.Places[static_cast<std::size_t>(position)].Literal == key;
    };
    if (literalAt(caret))
        return TMaskTyped{editText, caret + 1, false};
    const int at = NextInputPlace(mask, caret);
    const char shown = at < mask.Length() ? MaskCharacter(mask.Places[static_cast<std::size_t>(at)], key) : 0;
    if (shown == 0) {
        int literal = at;
        while (literal < mask.Length() && !mask.IsLiteral(literal))
            ++literal;
        if (!literalAt(literal))
            return std::nullopt;
        return TMaskTyped{editText, literal + 1, false};
    }
    std::string text = PlacesText(mask, editText);
    text[static_cast<std::size_t>(at)] = shown;
    // The caret stops before a literal, which typing it or the next character passes over, or
    // goes to the end when only literals follow.
    return TMaskTyped{text, NextInputPlace(mask, at + 1) == mask.Length() ? mask.Length() : at + 1, true};
}

bool MaskFilled(const TEditMask& mask, const AnsiString& editText) {
    const std::string_view shown = editText.view();
    for (std::size_t i = 0; i < mask.Places.size(); ++i)
        if (Required(mask.Places[i].Kind) && (i >= shown.size() || shown[i] == mask.Blank))
            return false;
    return true;
}
