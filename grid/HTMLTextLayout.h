#pragma once

// The HTML engine's inside: tokens, the style of a run, and the laid-out lines that painting,
// measuring and hit testing share.
#include "framework/Graphics.h"

#include <QImage>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TImageList;
class TPictureContainer;
class THTMLPictureCache;
class QPaintDevice;
class TFont;

struct HTMLAttribute {
    // Upper case.
    std::string Name;
    std::string Value;
};

struct HTMLToken {
    bool IsTag = false;
    bool Closing = false;
    // A tag's name in upper case, or a run's text with its entities read.
    std::string Text;
    std::vector<HTMLAttribute> Attributes;

    // The attribute's value, empty when absent.
    std::string_view Attribute(std::string_view name) const;
    bool HasAttribute(std::string_view name) const;
};

// Tags, attributes and entities read from text; a "<" that no ">" closes is text.
std::vector<HTMLToken> TokenizeHTML(std::string_view text);

struct HTMLRunStyle {
    int Size = 8;
    unsigned Style = 0;
    // clNone: the canvas's font colour.
    TColor Color = clNone;
    TColor Background = clNone;
    bool Error = false;
    bool Shadow = false;
    bool Highlight = false;
    bool Blink = false;
    // Index into the layout's anchors, -1 outside one.
    int Anchor = -1;
    int Angle = 0;
};

enum class HTMLRunKind { Text, Image, Rule };

struct HTMLRun {
    HTMLRunKind Kind = HTMLRunKind::Text;
    // From the rectangle's left edge; the box's top from the line's baseline.
    int X = 0;
    int Width = 0;
    int Ascent = 0;
    int Descent = 0;
    // Moves the run's baseline down (subscript) or up (negative).
    int Shift = 0;
    std::string Text;
    HTMLRunStyle Style;
    // An image's picture in the layout's Pictures, -1 for none.
    int Picture = -1;
    // A picture of several frames: its area is filled first.
    bool Animated = false;
};

struct HTMLLine {
    std::vector<HTMLRun> Runs;
    int Top = 0;
    int Height = 0;
    int Ascent = 0;
    // From the rectangle's left edge.
    int Left = 0;
    int Right = 0;
    TColor Background = clNone;
};

struct HTMLLayout {
    std::vector<HTMLLine> Lines;
    std::vector<std::string> Anchors;
    std::string PlainText;
    int Width = 0;
    int Height = 0;
    TColor BodyColor = clNone;
    QImage BodyPicture;
    // The images' pictures, apart so that text runs carry none.
    std::vector<QImage> Pictures;
    // Pictures may change, so such a layout is not kept.
    bool UsesPictures = false;
};

struct HTMLSources {
    TPictureContainer* Container = nullptr;
    THTMLPictureCache* Cache = nullptr;
    const TImageList* Images = nullptr;
    // Pictures' pixels per inch; 0: the device's.
    int PixelsPerInch = 0;
};

// The lines of text set in font on device (none: the screen), broken to width pixels (0: no
// limit); kept and shared for the same text, font, width, scale and resolution.
std::shared_ptr<const HTMLLayout> LayOutHTML(std::string_view text, const TFont& font, int width,
                                             double scale, const QPaintDevice* device,
                                             const HTMLSources& sources);

// The picture an IMG source names, at its own size in 96-dpi pixels; null when none.
struct HTMLPicture {
    QImage Image;
    bool Animated = false;
};
HTMLPicture FindHTMLPicture(std::string_view source, const HTMLSources& sources);
