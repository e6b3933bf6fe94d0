#pragma once

#include "framework/AnsiString.h"
#include "framework/Geometry.h"
#include "framework/Graphics.h"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class TCanvas;
class TImageList;
class TPictureContainer;
class THTMLPictureCache;

// What a text with HTML tags is drawn or measured with, besides the canvas's font and brush.
struct THTMLRenderContext {
    // Pictures named in IMG sources: by name, by address.
    TPictureContainer* Container = nullptr;
    THTMLPictureCache* Cache = nullptr;
    // "IDX:n" sources.
    const TImageList* Images = nullptr;
    // The point whose anchor the result reports, if any.
    std::optional<TPoint> Mouse;
    // False: measure only.
    bool Paint = true;
    TColor ShadowColor = clGray;
    // The hovered anchor's background and text colours; clNone keeps them.
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor AnchorColor = clBlue;
    // Pixel lengths of the tags (indents, offsets, lines) times this; printing passes the
    // printer's resolution over the screen's.
    double Scale = 1.0;
    // The blink phase: blinking text shows only while it is on.
    bool BlinkOn = true;
    // The resolution pictures are sized for, so that they keep to the text on a page drawn
    // smaller than its device; 0: the canvas's device's.
    int PixelsPerInch = 0;
};

struct THTMLRenderResult {
    // The HREF of the anchor under Mouse.
    AnsiString Anchor;
    // The visible text, a line break as CR LF.
    AnsiString PlainText;
    TPoint Size;
    int Lines = 0;
    // Where each line lies, from its top down to its bottom, from the text's top.
    std::vector<std::pair<int, int>> LineSpans;
};

// Draws (or measures) text in rect with the canvas's font as the starting font; true when
// context.Mouse lies on an anchor. Painting, measuring and hit testing share one layout.
bool RenderHTMLText(TCanvas& canvas, const AnsiString& text, const TRect& rect,
                    const THTMLRenderContext& context, THTMLRenderResult& result);

// Where text laid out on one canvas is painted on a page in tenths of a millimetre (MM_LOMETRIC,
// y upward): the page point of the layout's top-left corner, the tenths each of its pixels takes,
// and, for a part of a text going on over pages, the lines that show: those whose middles lie
// from the first pixel below its top down to above the second.
struct THTMLPagePlacement {
    TPoint TopLeft;
    double PixelTenths = 1;
    std::optional<std::pair<int, int>> Shown;
};

// Lays text out in rect on measure, as RenderHTMLText does, and paints that very layout on page:
// the same words on the same lines, whatever page draws it how large.
void PaintHTMLTextOnPage(TCanvas& measure, const AnsiString& text, const TRect& rect,
                         const THTMLRenderContext& context, TCanvas& page,
                         const THTMLPagePlacement& placement);

// A colour value of a tag: "#RRGGBB" (hexadecimal, either case) or a colour name such as
// "clRed" in any case; anything else is black.
TColor HTMLColorValue(std::string_view value);

// "<BR>" and "<HR>" (any case) as CR LF, every other tag removed; a "<" that no ">" closes
// stays with the rest of the text.
AnsiString HTMLToPlainText(const AnsiString& S);
// The same without the line breaks.
AnsiString HTMLStrip(const AnsiString& S);
// CR becomes "<BR>" with AsBreaks (else it is dropped); LF is dropped.
AnsiString LineBreaksToHTML(const AnsiString& S, bool AsBreaks);
// The first "<#...>" becomes "#..." without its marks.
AnsiString FirstLinkToText(const AnsiString& S);
// Where visible character n (from 1, tags not counted) stands in the tagged text; n one past
// the last visible character gives the length + 1; anything else 0.
int VisibleToTaggedPos(const AnsiString& S, int n);
// Position (from 1) of Word in S after the first Start characters, 0 when absent.
int HTMLFind(const AnsiString& Word, const AnsiString& S, int Start, bool IgnoreCase);
// Every occurrence of Word in the visible text wrapped in "<Tag>" ... "</Tag>"; an empty Word
// changes nothing.
AnsiString HiLight(const AnsiString& S, const AnsiString& Word, const AnsiString& Tag, bool CaseSensitive);
// Every "<Tag>" and "</Tag>" (any case) removed.
AnsiString UnHiLight(const AnsiString& S, const AnsiString& Tag);
