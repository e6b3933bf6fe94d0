#include "controls/SpinText.h"

#include "controls/MaskNumber.h"
#include "controls/TypedText.h"
#include "framework/NumberFormat.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A run of places a character is typed into, and the literals after it.
struct MaskRun {
    int Start = 0;
    int Places = 0;
    std::string Literals;
};

std::vector<MaskRun> RunsOf(const TEditMask& mask) {
    std::vector<MaskRun> runs(1);
    for (int i = 0; i < mask.Length(); ++i) {
        if (mask.IsLiteral(i)) {
            runs.back().Literals += mask.Places[static_cast<std::size_t>(i)].Literal;
            continue;
        }
        if (!runs.back().Literals.empty())
            runs.push_back({i, 0, {}});
        ++runs.back().Places;
    }
    return runs;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The edit text of a value's text in mask; nothing when a piece does not fit its places.
std::optional<AnsiString> FitIntoMask(const TEditMask& mask, std::string_view text) {
    std::string shown = BlankMaskText(mask).str();
    std::size_t next = 0;
    for (const MaskRun& run : RunsOf(mask)) {
        const std::size_t found =
            run.Literals.empty() ? std::string_view::npos : text.find(run.Literals, next);
        std::string_view piece = text.substr(next, std::min(found, text.size()) - next);
        // Literals before the first place stand whether the text has them or not.
        if (run.Places == 0 && found == std::string_view::npos)
            piece = {};
        if (piece.size() > static_cast<std::size_t>(run.Places))
            return std::nullopt;
        // A blank that is a figure would read as one: pieces go to the right, led by zeros.
        const bool zeroLed = BlankIsFigure(mask);
        const bool toTheRight = !run.Literals.empty() || zeroLed;
        // A negative number keeps its sign first: "-5" in three places is "-05".
        std::string signedPiece;
        if (toTheRight && piece.size() > 1 && piece[0] == '-' && AllDigits(piece.substr(1))) {
            signedPiece = "-" + std::string(static_cast<std::size_t>(run.Places) - piece.size(), '0');
            signedPiece += piece.substr(1);
            piece = signedPiece;
        }
        const int lead = toTheRight ? run.Places - static_cast<int>(piece.size()) : 0;
        for (int k = 0; k < run.Places; ++k) {
            const TMaskPlace& place = mask.Places[static_cast<std::size_t>(run.Start + k)];
            const int from = k - lead;
            char& shownAt = shown[static_cast<std::size_t>(run.Start + k)];
            if (from < 0) {
                if ((AllDigits(piece) || zeroLed) && MaskCharacter(place, '0') != 0)
                    shownAt = '0';
            } else if (from < static_cast<int>(piece.size())) {
                shownAt = MaskCharacter(place, piece[static_cast<std::size_t>(from)]);
                if (shownAt == 0)
                    return std::nullopt;
            }
        }
        if (found != std::string_view::npos)
            next = found + run.Literals.size();
        else if (run.Places > 0)
            next = text.size();
    }
    if (next < text.size())
        return std::nullopt;
    return shown;
}

// A date, time or hex text that an edit text of mask holds: its blanks left out unless figures.
AnsiString ValueInMask(const TEditMask& mask, std::string_view editText) {
    if (!BlankIsFigure(mask))
        return MaskedText(mask, AnsiString(editText)).Trim();
    std::string text;
    for (std::size_t i = 0; i < mask.Places.size() && i < editText.size(); ++i)
        if (mask.SaveLiterals || !mask.IsLiteral(static_cast<int>(i)))
            text += editText[i];
    return AnsiString(text).Trim();
}

// Shows the edit text shown when what it holds reads as the value text does.
bool ShowReadingBack(TCustomMaskEdit& edit, const std::optional<AnsiString>& shown, const AnsiString& text,
                     AnsiString (*held)(const TEditMask& mask, std::string_view editText), TSpinReader read) {
    double wanted = 0;
    double reads = 0;
    if (!shown || !read(text, wanted) || !read(held(edit.Mask(), shown->view()), reads) || reads != wanted)
        return false;
    edit.SetWindowText(*shown);
    return true;
}

} // namespace

bool ReadSpinInt(const AnsiString& text, double& value) {
    int whole = 0;
    if (!TryStrToInt(text, whole))
        return false;
    value = whole;
    return true;
}

bool ReadSpinFloat(const AnsiString& text, double& value) {
    return TryStrToFloat(text, value);
}

bool ReadSpinDate(const AnsiString& text, double& value) {
    return TryStrToDate(text, value) || TryStrToDateTime(text, value);
}

bool ReadSpinTime(const AnsiString& text, double& value) {
    return TryStrToTime(text, value);
}

bool ReadSpinHex(const AnsiString& text, double& value) {
    const AnsiString digits = text.SubString(3, text.Length());
    if (digits.IsEmpty() || !std::all_of(digits.view().begin(), digits.view().end(), IsHexDigit))
        return false;
    value = HexToInt(digits);
    return true;
}

AnsiString SpinValueText(const TCustomMaskEdit& edit) {
    return edit.IsMasked() ? ValueInMask(edit.Mask(), edit.GetWindowText().view()) : edit.GetWindowText();
}

bool WriteSpinValue(TCustomMaskEdit& edit, const AnsiString& text, TSpinReader read) {
    if (!edit.IsMasked()) {
        edit.SetWindowText(text);
        return true;
    }
    return ShowReadingBack(edit, FitIntoMask(edit.Mask(), text.view()), text, ValueInMask, read);
}

AnsiString SpinNumberText(const TCustomMaskEdit& edit) {
    return edit.IsMasked() ? NumberInMask(edit.Mask(), edit.GetWindowText().view()) : edit.GetWindowText();
}

int SpinNumberCaret(const TCustomMaskEdit& edit) {
    if (!edit.IsMasked())
        return edit.GetSelStart();
    const std::string_view before =
        edit.GetWindowText().view().substr(0, static_cast<std::size_t>(edit.GetSelStart()));
    return NumberInMask(edit.Mask(), before).Length();
}

bool WriteSpinNumber(TCustomMaskEdit& edit, const AnsiString& text, TSpinReader read) {
    if (!edit.IsMasked()) {
        edit.SetWindowText(text);
        return true;
    }
    return ShowReadingBack(edit, MaskTextOfNumber(edit.Mask(), text.view()), text, NumberInMask, read);
}

bool ReadShownDate(const TCustomMaskEdit& edit, const TShownDate& shown, TDateTime& value) {
    if (!shown.Text.IsEmpty() && edit.GetWindowText() == shown.Text) {
        value = shown.Value;
        return true;
    }
    return ReadSpinDate(SpinValueText(edit), value);
}
