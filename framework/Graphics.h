#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <QColor>
#include <QFont>

#include <cstdint>

// 0x00BBGGRR for direct colours; 0x80000000 plus the index for system colours.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor SystemColor(unsigned index) {
    return 0x80000000u | index;
}
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clNone = 0x1FFFFFFF;

// The colour as RGB, system colours resolved through the application's palette.
QColor ToQColor(TColor color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font as a value. A copy takes the look, not the change handler: the handler belongs to the
// control that owns the original.
class TFont : public TObject {
public:
    TFont() = default;
    TFont(const TFont& other)
        : Name(other.Name), Size(other.Size), Color(other.Color), Style(other.Style),
          PixelsPerInch(other.PixelsPerInch), height(other.height), heightSize(other.heightSize),
          heightPixelsPerInch(other.heightPixelsPerInch) {}
    TFont& operator=(const TFont& other) {
        Assign(other);
        return *this;
    }

    AnsiString Name = "MS Sans Serif";
    int Size = 8;
    TColor Color = clWindowText;
    unsigned Style = 0;
    // The resolution the font's pixel height is counted in.
    int PixelsPerInch = 96;
    TNotifyEvent OnChange;

    void SetName(const AnsiString& name);
    void SetSize(int size);
    void SetColor(TColor color);
    void SetStyle(unsigned style);
    // The character height in pixels, negative as the framework gives it: -Size x PixelsPerInch
    // / 72, rounded; or the height last set, while Size and PixelsPerInch stay as it left them.
    int GetHeight() const;
    void SetHeight(int value);
    void Assign(const TFont& other);
    // Made again only when the size or style changed since the last call.
    const QFont& ToQFont() const;

private:
    void Changed();

    // The height SetHeight was given, exact where Size rounds it to whole points.
    int height = 0;
    int heightSize = 0;
    int heightPixelsPerInch = 0;
    mutable QFont qtFont;
    mutable int qtFontSize = 0;
    mutable unsigned qtFontStyle = 0;
    mutable bool qtFontMade = false;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How a pen's colour meets the pixels under it; the exclusive-or modes draw a line that a second
// drawing removes.
enum TPenMode { pmCopy, pmNotCopy, pmNot, pmXor, pmNotXor, pmBlack, pmWhite, pmNop };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};
