#include "tests/app/VisualEditor.h"

#include "framework/NumberFormat.h"

#include <initializer_list>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Maroon = 0x800000;
constexpr QRgb Blue = 0x0000FF;
constexpr QRgb Lime = 0x00FF00;
constexpr QRgb Red = 0xFF0000;
constexpr QRgb Yellow = 0xFFFF00;

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

struct Pixel {
    int x, y;
    QRgb colour;
};

void ExpectPixels(const QImage& image, std::initializer_list<Pixel> pixels) {
    for (const Pixel& pixel : pixels)
        EXPECT_EQ(At(image, pixel.x, pixel.y), pixel.colour) << pixel.x << ", " << pixel.y;
}

// S0 runs from J0 at world (0, 0) to J1 at (10, 0): pixels (200, 150) to (300, 150).
class VisualEditDrawing : public VisualEditor {
protected:
    void SetUp() override {
        VisualEditor::SetUp();
        UseView();
        SimpleSewerNetwork& network = NewNetwork();
        network.AddSewerAt("S0", "J0", "J1", 0, 0, 10, 0);
        network.BuildConnections();
    }

    static SimpleSewerNetwork& Network() { return *FrontForm->Network; }

    // Names alone are drawn.
    static void HideSymbols() {
        for (TSpeedButton* symbols : {VisualEditForm->SewerSpeedButton, VisualEditForm->JunctionSpeedButton,
                                      VisualEditForm->DropSpeedButton, VisualEditForm->DatumSpeedButton})
            symbols->ViewClicked();
    }

    // The paint box's size, font and ground, as its picture starts.
    static TCanvas& BlankPicture(TBitmap& picture) {
        picture.SetSize(VisualEditForm->PaintBox->Width(), VisualEditForm->PaintBox->Height());
        TCanvas& canvas = *picture.Canvas;
        canvas.Font = VisualEditForm->PaintBox->Font;
        canvas.Brush = TBrush{VisualEditForm->GetColor(), bsSolid};
        canvas.FillRect(Rect(0, 0, picture.Width(), picture.Height()));
        return canvas;
    }
};

TEST_F(VisualEditDrawing, SewersAreBlueLimeInTheirSubnetAndRedWhenSelected) {
    SimpleSewerNetwork& network = Network();
    // The square's edge is 4 pixels left of J0's point.
    ExpectPixels(Shown(), {{230, 150, Blue}, {196, 150, Maroon}, {150, 150, White}});

    network.CheckNetwork();
    VisualEditForm->SubNetsComboBoxClick();
    VisualEditForm->ShowSubNetsCheckBox->SetChecked(true);
    EXPECT_EQ(At(Shown(), 230, 150), Lime);
    VisualEditForm->SelectedSewer = network.Sewers[0];
    EXPECT_EQ(At(Shown(), 230, 150), Red);
    VisualEditForm->ClearSelection();
    EXPECT_EQ(At(Shown(), 230, 150), Lime);
}

// With names shown the squares are outlines, the sewer showing inside; without them the squares
// take the paint box's white brush.
TEST_F(VisualEditDrawing, JunctionSquaresTakeTheBrushTheDrawingBeforeLeft) {
    EXPECT_EQ(At(Shown(), 201, 150), Blue);
    VisualEditForm->SewerNameSpeedButton->ViewClicked();
    EXPECT_FALSE(VisualEditForm->SewerNameSpeedButton->GetDown());
    ExpectPixels(Shown(), {{201, 150, White}, {203, 150, Maroon}, {230, 150, Blue}});
}

TEST_F(VisualEditDrawing, TheSelectedJunctionIsRingedInRed) {
    SimpleSewerNetwork& network = Network();
    VisualEditForm->SelectedJunction = network.Junctions[1];
    const QImage shown = Shown();
    // The ring runs 3 pixels outside J1's square: from x = 293 to 306 about (300, 150).
    int red = 0;
    for (int y = 146; y <= 154; ++y)
        red += At(shown, 293, y) == Red;
    EXPECT_GT(red, 0);
    ExpectPixels(shown, {{300, 140, White}, {300, 143, Red}});
}

// Yellow 8 pixels, maroon 6, red 4 with a maroon edge, over the junction's own square.
TEST_F(VisualEditDrawing, ADatumShowsThreeSquares) {
    SimpleSewerNetwork& network = Network();
    network.SetSewerDatum("S0", true, true, 0);
    ExpectPixels(Shown(), {{196, 150, Yellow},
                           {203, 150, Yellow},
                           {204, 150, Blue},
                           {197, 150, Maroon},
                           {198, 150, Maroon},
                           {199, 150, Red},
                           {200, 150, Red},
                           {201, 150, Maroon}});
}

// The disc sits 8 pixels back from the downstream junction along the sewer; on a sewer straight
// down the screen it is worked out as if the downstream point lay a pixel to the right, and
// comes 8 pixels above it.
TEST_F(VisualEditDrawing, ADropShowsARedDiscEightPixelsBack) {
    SimpleSewerNetwork& network = Network();
    network.Sewers[0]->DownstreamEnd->DropJunction = true;
    // From (100, 50) down to (100, 150).
    network.AddSewerAt("S1", "J2", "J3", -10, 10, -10, 0);
    network.Sewers[1]->DownstreamEnd->DropJunction = true;
    // From (300, 250) back left to (200, 250).
    network.AddSewerAt("S2", "J4", "J5", 10, -10, 0, -10);
    network.Sewers[2]->DownstreamEnd->DropJunction = true;
    ExpectPixels(Shown(), {{292, 150, Red},
                           {285, 150, Blue},
                           {100, 142, Red},
                           {100, 135, Blue},
                           {208, 250, Red},
                           {215, 250, Blue}});
}

TEST_F(VisualEditDrawing, TheTogglesChooseWhatIsDrawn) {
    SimpleSewerNetwork& network = Network();
    network.SetSewerDatum("S0", true, true, 0);
    network.Sewers[0]->DownstreamEnd->DropJunction = true;
    for (TSpeedButton* toggle :
         {VisualEditForm->SewerSpeedButton, VisualEditForm->JunctionSpeedButton,
          VisualEditForm->SewerNameSpeedButton, VisualEditForm->JunctionNameSpeedButton,
          VisualEditForm->DropSpeedButton, VisualEditForm->DatumSpeedButton})
        toggle->ViewClicked();
    const QImage blank = Shown();
    for (int y = 0; y < blank.height(); ++y)
        for (int x = 0; x < blank.width(); ++x)
            ASSERT_EQ(At(blank, x, y), White) << x << ", " << y;

    // Names alone: S0's name at the sewer's middle, (250, 150), and no line.
    VisualEditForm->SewerNameSpeedButton->ViewClicked();
    const QImage names = Shown();
    EXPECT_EQ(At(names, 230, 150), White);
    int ink = 0;
    for (int y = 150; y < 165; ++y)
        for (int x = 250; x < 270; ++x)
            ink += At(names, x, y) != White;
    EXPECT_GT(ink, 0);
}

// Nothing is drawn without a network, or of a selection that is no longer in it.
TEST_F(VisualEditDrawing, ADeletedSelectionIsNotDrawn) {
    SimpleSewerNetwork& network = Network();
    VisualEditForm->SelectedSewer = network.Sewers[0];
    network.DeleteSewer("S0");
    network.AddSewerAt("S0", "J0", "J1", 0, 0, 10, 0);
    EXPECT_EQ(At(Shown(), 230, 150), Blue);
    FrontForm->ReplaceNetwork(nullptr);
    EXPECT_EQ(At(Shown(), 230, 150), White);
}

// Mended: a file may place a junction at NaN, at infinity, or so far out that its pixel overflows
// a double at this scale; the sewer to it was drawn as a line to the view's far left.
TEST_F(VisualEditDrawing, ASewerToAJunctionAtNoFinitePlaceIsLeftOut) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, double> places[] = {
        {1e308, 0}, {-1e308, 1e308}, {std::numeric_limits<double>::quiet_NaN(), 0}, {inf, -inf}};
    for (const auto& [x, y] : places) {
        SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
        Network().AddSewerAt("S1", "J1", "J2", 10, 0, x, y);
        Network().BuildConnections();
        ExpectPixels(Shown(), {{230, 150, Blue}, {150, 150, White}});
        Network().DeleteSewer("S1");
    }
}

// Names are written on the picture as the canvas writes a text: the same pixels as TextOut in the
// paint box's font, in list order, on the brush the drawing before left (clear after sewer names,
// else the paint box's own, filling behind each junction name and so over the name before it).
TEST_F(VisualEditDrawing, NamesLookAsTheCanvasWritesThem) {
    SimpleSewerNetwork& network = Network();
    // J2 and J3 a pixel apart, so that J3's ground covers part of J2's name; one name crosses the
    // view's left edge and one is not ASCII.
    network.AddSewerAt("Überlauf-7", "J2", "J3", 5, 5, 5.1, 5.1);
    network.AddSewerAt("Sewer-with-a-long-name", "J4", "J5", -24, 4, -20, -4);
    network.BuildConnections();
    struct Name {
        int x, y;
        const char* text;
    };
    // Sewer names at the middles, junction names 8 pixels right of and below the points.
    const std::vector<Name> sewerNames = {
        {250, 150, "S0"}, {250, 99, "Überlauf-7"}, {-20, 150, "Sewer-with-a-long-name"}};
    const std::vector<Name> junctionNames = {{208, 158, "J0"}, {308, 158, "J1"}, {258, 108, "J2"},
                                             {259, 107, "J3"}, {-32, 118, "J4"}, {8, 198, "J5"}};
    const struct {
        const char* label;
        bool sewerNames;
        TBrushStyle junctionNameGround;
    } rows[] = {
        {"sewer and junction names", true, bsClear},
        {"junction names alone", false, bsSolid},
    };
    HideSymbols();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        if (VisualEditForm->SewerNameSpeedButton->GetDown() != row.sewerNames)
            VisualEditForm->SewerNameSpeedButton->ViewClicked();
        TBitmap expected;
        TCanvas& canvas = BlankPicture(expected);
        canvas.Brush.Style = bsClear;
        if (row.sewerNames)
            for (const Name& name : sewerNames)
                canvas.TextOut(name.x, name.y, name.text);
        canvas.Brush.Style = row.junctionNameGround;
        for (const Name& name : junctionNames)
            canvas.TextOut(name.x, name.y, name.text);
        EXPECT_TRUE(Shown() == expected.Image());
    }
}

// A crowd of names, each a few thousand times over the picture at the widest view, looks as the
// canvas writes them one after another at every zoom, however many times the same glyph is
// written over itself.
TEST_F(VisualEditDrawing, CrowdedNamesLookAsTheCanvasWritesThemAtEveryZoom) {
    SimpleSewerNetwork& network = Network();
    // 600 sewers on a 24 x 25 grid a metre apart, each to its neighbour on the left.
    for (int k = 1; k < 600; ++k)
        network.AddSewerAt("T" + IntToStr(k), "N" + IntToStr(k), "N" + IntToStr(k - 1), k % 24 - 12.0,
                           k / 24 - 12.0, (k - 1) % 24 - 12.0, (k - 1) / 24 - 12.0);
    network.BuildConnections();
    HideSymbols();
    const struct {
        const char* label;
        double scale;
        bool sewerNames, junctionNames;
    } rows[] = {
        {"all names, whole town", 1, true, true},      {"all names, street", 10, true, true},
        {"all names, close", 40, true, true},          {"junction names, whole town", 1, false, true},
        {"sewer names, whole town", 1.5, true, false}, {"no names", 1, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        VisualEditForm->Scale = row.scale;
        if (VisualEditForm->SewerNameSpeedButton->GetDown() != row.sewerNames)
            VisualEditForm->SewerNameSpeedButton->ViewClicked();
        if (VisualEditForm->JunctionNameSpeedButton->GetDown() != row.junctionNames)
            VisualEditForm->JunctionNameSpeedButton->ViewClicked();
        TBitmap expected;
        TCanvas& canvas = BlankPicture(expected);
        const auto screen = [](double x, double y) {
            return std::pair(static_cast<int>(VisualEditForm->WorldToScreenX(x)),
                             static_cast<int>(VisualEditForm->WorldToScreenY(y)));
        };
        if (row.sewerNames) {
            canvas.Brush.Style = bsClear;
            for (const Sewer* s : network.Sewers) {
                const auto [x, y] = screen((s->UpstreamNode->X + s->DownstreamNode->X) * 0.5,
                                           (s->UpstreamNode->Y + s->DownstreamNode->Y) * 0.5);
                canvas.TextOut(x, y, s->Name);
            }
        }
        if (row.junctionNames)
            for (const SewerNode* j : network.Junctions) {
                const auto [x, y] = screen(j->X, j->Y);
                canvas.TextOut(x + 8, y + 8, j->Name);
            }
        EXPECT_TRUE(Shown() == expected.Image());
    }
}

} // namespace
