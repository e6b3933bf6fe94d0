// Laying tagged text out in lines: the one layout painting, measuring and hit testing share.
#include "grid/HTMLTextLayout.h"
#include "grid/HTMLText.h"

#include "grid/TextWidths.h"

#include <QPaintDevice>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace {

// Widths and metrics of the sizes and styles texts use, kept for every text after, since they
// depend on the device's resolution alone. Never freed: fonts must not outlive the application
// object.
TextWidths& Measures() {
    static auto& widths = *new TextWidths;
    return widths;
}

int ParseInt(std::string_view s, int fallback) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    int value = fallback;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() ? value : fallback;
}

// FONT SIZE: 1 to 5 are the HTML sizes, anything else points.
int FontSizeOf(std::string_view value, int current) {
    static constexpr std::array<int, 5> sizes{8, 10, 12, 14, 16};
    const int n = ParseInt(value, current);
    if (n >= 1 && n <= 5)
        return sizes[static_cast<std::size_t>(n - 1)];
    return std::clamp(n, 1, 144);
}

bool Upper(std::string_view value, std::string_view wanted) {
    if (value.size() != wanted.size())
        return false;
    for (std::size_t i = 0; i < value.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(value[i])) != wanted[i])
            return false;
    return true;
}

// A run of text cut before and after every blank, with the width from its start to each cut:
// each word and blank measured once. Between cuts of plain ASCII it is the width the text has
// whole; words beyond ASCII are measured whole and meet their blanks unkerned.
class WordRuler {
public:
    WordRuler(std::string_view text, const TFont& font, const QPaintDevice* device) : text(text) {
        cuts.push_back(0);
        offsets.push_back(0);
        joins.push_back(0);
        for (std::size_t from = 0; from < text.size();) {
            const std::size_t to = text[from] == ' ' ? from + 1 : std::min(text.find(' ', from), text.size());
            const double join = from > 0 ? Measures().Kerning(font, text[from - 1], text[from], device) : 0;
            joins.back() = join;
            cuts.push_back(to);
            offsets.push_back(offsets.back() + join +
                              Measures().Extent(font, text.substr(from, to - from), device));
            joins.push_back(0);
            from = to;
        }
    }

    std::size_t Cuts() const { return cuts.size(); }
    std::size_t At(std::size_t cut) const { return cuts[cut]; }
    // Whether the text goes on with a blank at the cut.
    bool Blank(std::size_t cut) const { return cuts[cut] < text.size() && text[cuts[cut]] == ' '; }
    // The width of the text between two cuts, rounded as a whole text's.
    int Width(std::size_t from, std::size_t to) const {
        return static_cast<int>(std::floor(offsets[to] - offsets[from] - joins[from] + 0.5));
    }

private:
    std::string_view text;
    std::vector<std::size_t> cuts;
    // From the text's start to each cut, and what the characters either side of a cut add.
    std::vector<double> offsets;
    std::vector<double> joins;
};

class LayoutBuilder {
public:
    static constexpr int Unbounded = 1 << 30;
    enum class Align { Left, Right, Center };

    LayoutBuilder(const TFont& font, int width, double scale, const QPaintDevice* device,
                  const HTMLSources& sources)
        : width(width > 0 ? width : Unbounded), scale(scale),
          dpi(sources.PixelsPerInch > 0 ? sources.PixelsPerInch
              : device                  ? device->logicalDpiX()
                                        : 96),
          device(device), sources(sources) {
        style.Size = font.Size;
        style.Style = font.Style;
        StartLine();
    }

    std::shared_ptr<HTMLLayout> Build(std::string_view text) {
        layout->PlainText.reserve(text.size());
        for (const HTMLToken& token : TokenizeHTML(text)) {
            if (!token.IsTag)
                AddText(token.Text);
            else if (token.Closing)
                Close(token.Text);
            else
                Open(token);
        }
        if (!line.Runs.empty())
            FinishLine();
        return std::move(layout);
    }

private:
    int Scaled(int pixels) const { return static_cast<int>(std::lround(pixels * scale)); }
    int FromDpi(int pixels) const { return pixels * dpi / 96; }
    // A tag's pen position, scaled, kept within the line's width; an unbounded line keeps room
    // after its furthest indent, so that what follows neither wraps nor overflows.
    int Indent(std::string_view value) const {
        const double furthest = std::min(width, Unbounded / 2);
        return static_cast<int>(std::clamp(std::round(ParseInt(value, 0) * scale), 0.0, furthest));
    }
    // The font of the run's size and style.
    const TFont& Font() const {
        measureFont.Size = style.Size;
        measureFont.Style = style.Style;
        return measureFont;
    }
    const TextWidths::Line& Metrics() const { return Measures().LineOf(Font(), device); }
    bool Hidden() const { return counts[Z] > 0; }

    void SetFlag(unsigned bit, int& count, bool on) {
        count = std::max(0, count + (on ? 1 : -1));
        style.Style = count > 0 ? style.Style | bit : style.Style & ~bit;
    }

    void Open(const HTMLToken& tag) {
        const std::string& name = tag.Text;
        if (name == "B")
            SetFlag(fsBold, counts[B], true);
        else if (name == "I")
            SetFlag(fsItalic, counts[I], true);
        else if (name == "U")
            SetFlag(fsUnderline, counts[U], true);
        else if (name == "S")
            SetFlag(fsStrikeOut, counts[S], true);
        else if (name == "BR")
            Break();
        else if (name == "HR")
            Rule();
        else if (name == "A")
            OpenAnchor(tag);
        else if (name == "BODY")
            Body(tag);
        else if (name == "E")
            style.Error = ++counts[E] > 0;
        else if (name == "Z")
            ++counts[Z];
        else if (name == "HI")
            style.Highlight = ++counts[HI] > 0;
        else if (name == "FONT")
            OpenFont(tag);
        else if (name == "IND")
            penX = Indent(tag.Attribute("X"));
        else if (name == "IMG")
            Image(tag);
        else if (name == "LI")
            ListItem();
        else if (name == "UL")
            ++listLevel;
        else if (name == "P")
            OpenParagraph(tag);
        else if (name == "R")
            OpenRotation(tag);
        else if (name == "SUB")
            shift = Metrics().Ascent / 3;
        else if (name == "SUP")
            shift = -Metrics().Ascent / 3;
        else if (name.starts_with("BL"))
            style.Blink = ++counts[BL] > 0;
        else if (name.starts_with("SH"))
            style.Shadow = ++counts[SH] > 0;
    }

    void Close(const std::string& name) {
        if (name == "B")
            SetFlag(fsBold, counts[B], false);
        else if (name == "I")
            SetFlag(fsItalic, counts[I], false);
        else if (name == "U")
            SetFlag(fsUnderline, counts[U], false);
        else if (name == "S")
            SetFlag(fsStrikeOut, counts[S], false);
        else if (name == "A")
            CloseAnchor();
        else if (name == "E")
            style.Error = Decrement(E) > 0;
        else if (name == "Z")
            Decrement(Z);
        else if (name == "HI")
            style.Highlight = Decrement(HI) > 0;
        else if (name == "FONT")
            CloseFont();
        else if (name == "UL")
            listLevel = std::max(0, listLevel - 1);
        else if (name == "P")
            CloseParagraph();
        else if (name == "R")
            CloseRotation();
        else if (name == "SUB" || name == "SUP")
            shift = 0;
        else if (name.starts_with("BL"))
            style.Blink = Decrement(BL) > 0;
        else if (name.starts_with("SH"))
            style.Shadow = Decrement(SH) > 0;
    }

    int Decrement(int which) { return counts[which] = std::max(0, counts[which] - 1); }

    void OpenAnchor(const HTMLToken& tag) {
        layout->Anchors.emplace_back(tag.Attribute("HREF"));
        anchorStyle = style.Style;
        style.Anchor = static_cast<int>(layout->Anchors.size()) - 1;
        style.Style |= fsUnderline;
    }

    void CloseAnchor() {
        if (style.Anchor < 0)
            return;
        style.Anchor = -1;
        style.Style = (style.Style & ~unsigned{fsUnderline}) | (anchorStyle & fsUnderline);
    }

    void OpenFont(const HTMLToken& tag) {
        fonts.push_back(style);
        if (tag.HasAttribute("COLOR"))
            style.Color = HTMLColorValue(tag.Attribute("COLOR"));
        if (tag.HasAttribute("BGCOLOR"))
            style.Background = HTMLColorValue(tag.Attribute("BGCOLOR"));
        if (tag.HasAttribute("SIZE"))
            style.Size = FontSizeOf(tag.Attribute("SIZE"), style.Size);
    }

    void CloseFont() {
        if (fonts.empty())
            return;
        const HTMLRunStyle saved = fonts.back();
        fonts.pop_back();
        style.Color = saved.Color;
        style.Background = saved.Background;
        style.Size = saved.Size;
    }

    void OpenRotation(const HTMLToken& tag) {
        angles.push_back(style.Angle);
        style.Angle = ParseInt(tag.Attribute("A"), 0) % 360;
    }

    void CloseRotation() {
        if (angles.empty())
            return;
        style.Angle = angles.back();
        angles.pop_back();
    }

    void OpenParagraph(const HTMLToken& tag) {
        if (!line.Runs.empty())
            FinishLine();
        paragraphAlign = Upper(tag.Attribute("ALIGN"), "RIGHT")    ? Align::Right
                         : Upper(tag.Attribute("ALIGN"), "CENTER") ? Align::Center
                                                                   : Align::Left;
        paragraphIndent = Indent(tag.Attribute("INDENT"));
        paragraphBackground = tag.HasAttribute("BGCOLOR") ? HTMLColorValue(tag.Attribute("BGCOLOR")) : clNone;
        penX = std::max(penX, paragraphIndent);
    }

    void CloseParagraph() {
        if (!line.Runs.empty())
            FinishLine();
        paragraphAlign = Align::Left;
        paragraphIndent = 0;
        paragraphBackground = clNone;
        penX = 0;
    }

    void Body(const HTMLToken& tag) {
        if (tag.HasAttribute("BGCOLOR"))
            layout->BodyColor = HTMLColorValue(tag.Attribute("BGCOLOR"));
        if (tag.HasAttribute("BACKGROUND")) {
            layout->BodyPicture = FindHTMLPicture(tag.Attribute("BACKGROUND"), sources).Image;
            layout->UsesPictures = true;
        }
    }

    void Break() {
        if (Hidden())
            return;
        FinishLine();
        layout->PlainText += "\r\n";
    }

    void Rule() {
        if (Hidden())
            return;
        if (!line.Runs.empty())
            FinishLine();
        HTMLRun run;
        run.Kind = HTMLRunKind::Rule;
        run.Width = width == Unbounded ? 0 : width;
        run.Ascent = std::max(2, Scaled(3));
        run.Descent = std::max(1, Scaled(1));
        line.Runs.push_back(std::move(run));
        FinishLine();
        layout->PlainText += "\r\n";
    }

    void ListItem() {
        if (Hidden())
            return;
        if (!line.Runs.empty())
            FinishLine();
        penX = std::max(penX, Scaled(12 * listLevel));
        const std::string bullet = listLevel % 2 == 1 ? "\u2022" : "o";
        PlaceText(bullet + " ");
    }

    void Image(const HTMLToken& tag) {
        if (Hidden())
            return;
        const std::string_view source = tag.Attribute("SRC");
        const HTMLPicture picture = FindHTMLPicture(source, sources);
        layout->UsesPictures = true;
        const bool sized = tag.HasAttribute("WIDTH") && tag.HasAttribute("HEIGHT");
        if (picture.Image.isNull() && !sized)
            return;
        int w = picture.Image.width();
        int h = picture.Image.height();
        if (tag.HasAttribute("WIDTH"))
            w = std::clamp(ParseInt(tag.Attribute("WIDTH"), 0), 0, 4096);
        if (tag.HasAttribute("HEIGHT"))
            h = std::clamp(ParseInt(tag.Attribute("HEIGHT"), 0), 0, 4096);
        HTMLRun run;
        run.Kind = HTMLRunKind::Image;
        run.Width = FromDpi(w);
        const int height = FromDpi(h);
        if (penX + run.Width > width && !line.Runs.empty())
            FinishLine();
        const int textHeight = Metrics().Height;
        const std::string_view align = tag.Attribute("ALIGN");
        // Raised by half the text's height: its bottom stands that far above the baseline.
        if (Upper(align, "MIDDLE"))
            run.Ascent = height + textHeight / 2;
        else if (Upper(align, "TOP"))
            run.Ascent = std::min(height, Metrics().Ascent);
        else
            run.Ascent = height;
        run.Descent = height - run.Ascent;
        if (!picture.Image.isNull()) {
            run.Picture = static_cast<int>(layout->Pictures.size());
            layout->Pictures.push_back(picture.Image);
        }
        run.Animated = picture.Animated;
        run.Style = style;
        run.X = penX;
        penX += run.Width;
        line.Runs.push_back(std::move(run));
    }

    void AddText(const std::string& text) {
        if (Hidden() || text.empty())
            return;
        layout->PlainText += text;
        if (style.Angle != 0)
            PlaceRotated(text);
        else
            PlaceText(text);
    }

    int Advance(std::string_view text) const { return Measures().Width(Font(), text, device); }

    // Words move to the next line whole; one wider than a line stays on its own. Each word is
    // measured once, so that a long text broken into many lines costs its length.
    void PlaceText(std::string_view text) {
        // Most runs fit whole: those need no ruler.
        if (const int whole = Advance(text); penX + whole <= width) {
            PlaceRun(text, whole);
            return;
        }
        const WordRuler ruler(text, Font(), device);
        const std::size_t end = ruler.Cuts() - 1;
        std::size_t start = 0;
        while (start < end) {
            if (penX + ruler.Width(start, end) <= width) {
                PlaceRun(text.substr(ruler.At(start)));
                return;
            }
            // The furthest blank before which the line's part of the text still fits.
            std::size_t fits = start;
            for (std::size_t cut = start + 1; cut < end; ++cut) {
                if (!ruler.Blank(cut))
                    continue;
                if (penX + ruler.Width(start, cut) > width)
                    break;
                fits = cut;
            }
            if (fits == start && line.Runs.empty()) {
                fits = start + 1;
                while (fits < end && !ruler.Blank(fits))
                    ++fits;
            }
            if (fits > start)
                PlaceRun(text.substr(ruler.At(start), ruler.At(fits) - ruler.At(start)));
            FinishLine();
            start = fits;
            while (start < end && ruler.Blank(start))
                ++start;
        }
    }

    void PlaceRun(std::string_view text) { PlaceRun(text, Advance(text)); }

    void PlaceRun(std::string_view text, int runWidth) {
        const TextWidths::Line& metrics = Metrics();
        HTMLRun run;
        run.Text = std::string(text);
        run.X = penX;
        run.Width = runWidth;
        run.Ascent = metrics.Ascent;
        run.Descent = metrics.Descent;
        run.Shift = shift;
        run.Style = style;
        penX += runWidth;
        line.Runs.push_back(std::move(run));
    }

    // Turned about the start of its baseline; the run takes the turned box.
    void PlaceRotated(std::string_view text) {
        const TextWidths::Line& metrics = Metrics();
        const double w = Advance(text);
        const double a = metrics.Ascent;
        const double d = metrics.Descent;
        const double angle = style.Angle * std::numbers::pi / 180;
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        double minX = 0, maxX = 0, minY = 0, maxY = 0;
        for (const auto& [x, y] :
             std::array<std::pair<double, double>, 4>{{{0, -a}, {w, -a}, {w, d}, {0, d}}}) {
            const double tx = x * c + y * s;
            const double ty = -x * s + y * c;
            minX = std::min(minX, tx);
            maxX = std::max(maxX, tx);
            minY = std::min(minY, ty);
            maxY = std::max(maxY, ty);
        }
        HTMLRun run;
        run.Text = std::string(text);
        run.X = penX;
        run.Width = static_cast<int>(std::ceil(maxX - minX));
        run.Ascent = static_cast<int>(std::ceil(-minY));
        run.Descent = static_cast<int>(std::ceil(maxY));
        run.Shift = static_cast<int>(std::lround(-minX));
        run.Style = style;
        penX += run.Width;
        line.Runs.push_back(std::move(run));
    }

    void FinishLine() {
        int ascent = 0;
        int descent = 0;
        int right = 0;
        for (const HTMLRun& run : line.Runs) {
            const int runShift = run.Style.Angle != 0 || run.Kind != HTMLRunKind::Text ? 0 : run.Shift;
            ascent = std::max(ascent, run.Ascent - runShift);
            descent = std::max(descent, run.Descent + runShift);
            right = std::max(right, run.X + run.Width);
        }
        if (line.Runs.empty()) {
            ascent = Metrics().Ascent;
            descent = Metrics().Descent;
        }
        // Without a width to align in, every line stays at the left.
        const int room = width == Unbounded ? 0 : std::max(0, width - right);
        const int offset = paragraphAlign == Align::Right    ? room
                           : paragraphAlign == Align::Center ? room / 2
                                                             : 0;
        for (HTMLRun& run : line.Runs)
            run.X += offset;
        line.Ascent = ascent;
        line.Height = ascent + descent;
        line.Top = layout->Height;
        line.Left = line.Runs.empty() ? 0 : line.Runs.front().X;
        line.Right = right + offset;
        line.Background = paragraphBackground;
        layout->Height += line.Height;
        layout->Width = std::max(layout->Width, line.Right);
        layout->Lines.push_back(std::move(line));
        StartLine();
        penX = paragraphIndent;
    }

    // Room for the runs a line mostly holds, made at once.
    void StartLine() {
        line = HTMLLine();
        line.Runs.reserve(8);
    }

    enum Counter { B, I, U, S, E, Z, HI, BL, SH, Counters };

    int width;
    double scale;
    int dpi;
    const QPaintDevice* device;
    mutable TFont measureFont;
    HTMLSources sources;
    std::shared_ptr<HTMLLayout> layout = std::make_shared<HTMLLayout>();
    HTMLLine line;
    HTMLRunStyle style;
    std::array<int, Counters> counts{};
    std::vector<HTMLRunStyle> fonts;
    std::vector<int> angles;
    unsigned anchorStyle = 0;
    int penX = 0;
    int shift = 0;
    int listLevel = 0;
    Align paragraphAlign = Align::Left;
    int paragraphIndent = 0;
    TColor paragraphBackground = clNone;
};

struct LayoutKey {
    std::string Text;
    int Size;
    unsigned Style;
    int Width;
    double Scale;
    int Dpi;
    bool operator==(const LayoutKey&) const = default;
};

struct LayoutKeyHash {
    std::size_t operator()(const LayoutKey& key) const {
        std::size_t h = std::hash<std::string>()(key.Text);
        for (const std::size_t part : {std::size_t(key.Size), std::size_t(key.Style), std::size_t(key.Width),
                                       std::hash<double>()(key.Scale), std::size_t(key.Dpi)})
            h = h * 31 + part;
        return h;
    }
};

// Laid-out texts kept for their next paint or measure; emptied when full, by count or by the
// bytes they hold, so that a few long texts laid out in narrow columns cannot hoard memory.
constexpr std::size_t KeptLayouts = 4096;
constexpr std::size_t KeptBytes = std::size_t{64} << 20;

std::size_t BytesOf(const HTMLLayout& layout, std::size_t textSize) {
    std::size_t bytes =
        2 * textSize + layout.PlainText.capacity() + layout.Lines.capacity() * sizeof(HTMLLine);
    for (const HTMLLine& line : layout.Lines)
        bytes += line.Runs.capacity() * sizeof(HTMLRun);
    return bytes;
}

} // namespace

std::shared_ptr<const HTMLLayout> LayOutHTML(std::string_view text, const TFont& font, int width,
                                             double scale, const QPaintDevice* device,
                                             const HTMLSources& sources) {
    const int dpi = device ? device->logicalDpiY() : 0;
    static std::unordered_map<LayoutKey, std::shared_ptr<const HTMLLayout>, LayoutKeyHash> kept;
    static std::size_t keptBytes = 0;
    LayoutKey key{std::string(text), font.Size, font.Style, width, scale, dpi};
    if (const auto found = kept.find(key); found != kept.end())
        return found->second;
    std::shared_ptr<const HTMLLayout> layout = LayoutBuilder(font, width, scale, device, sources).Build(text);
    if (!layout->UsesPictures) {
        const std::size_t bytes = BytesOf(*layout, text.size());
        if (kept.size() >= KeptLayouts || keptBytes + bytes > KeptBytes) {
            kept.clear();
            keptBytes = 0;
        }
        kept.emplace(std::move(key), layout);
        keptBytes += bytes;
    }
    return layout;
}
