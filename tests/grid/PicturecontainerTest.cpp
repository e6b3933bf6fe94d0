#include "grid/Picturecontainer.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Icon.h"
#include "framework/Panel.h"
#include "framework/Picture.h"
#include "grid/Gridobj.h"
#include "grid/HTMLText.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/HTMLPictures.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const AnsiString ThreeFrames = AnsiString(DRENVALA_TEST_DATA "/grid/three-frames.gif");

TEST(Picturecontainer, GifFramesAndSteps) {
    THTMLPicture picture;
    picture.LoadFromFile(ThreeFrames);
    EXPECT_EQ(picture.GetFrameCount(), 3);
    EXPECT_EQ(picture.GetFrameTime(1), 10);
    EXPECT_EQ(picture.GetFrameTime(3), 30);
    EXPECT_EQ(picture.GetFrameTime(4), -1);
    picture.SetFrame(3);
    picture.FrameNext();
    EXPECT_EQ(picture.GetFrame(), 1);
    picture.FramePrev();
    EXPECT_EQ(picture.GetFrame(), 3);
    EXPECT_EQ(picture.Image().pixel(0, 0) & 0xFFFFFF, 0x0000FFu);

    // Delays of 10, 20, 30 hundredths and 100 ms ticks: the frame turns at ticks 3, 5 and 8.
    THTMLPicture fresh;
    fresh.LoadFromFile(ThreeFrames);
    std::vector<int> changedAt;
    std::vector<int> frames;
    for (int step = 1; step <= 8; ++step)
        if (fresh.Step()) {
            changedAt.push_back(step);
            frames.push_back(fresh.GetFrame());
        }
    EXPECT_EQ(changedAt, (std::vector<int>{3, 5, 8}));
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 1}));
}

// A GIF of frames one pixel each, every one shown for a tenth of a second, on a logical screen
// of width x height: a pixel of colour 0 coded as clear, 0, end in 3-bit codes (0x44 0x01).
QByteArray OnePixelFramesGif(int width, int height, int count) {
    QByteArray gif("GIF89a");
    const auto word = [&gif](int value) {
        gif += static_cast<char>(value & 0xFF);
        gif += static_cast<char>(value >> 8);
    };
    word(width);
    word(height);
    gif += QByteArray("\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF", 9);
    for (int i = 0; i < count; ++i) {
        gif += QByteArray("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);
        gif += QByteArray("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
        gif += QByteArray("\x02\x02\x44\x01\x00", 5);
    }
    return gif + "\x3B";
}

// Frames of 2000 x 2000 pixels take 16 MB each decoded: 40 of them, 640 MB, are more than a
// picture may take, so only the first is kept.
TEST(Picturecontainer, FramesKeptWithinTheirMemory) {
    struct Row {
        int side, count, frames;
    } rows[] = {{20, 40, 40}, {2000, 10, 10}, {2000, 40, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.count) + " frames of " + std::to_string(row.side));
        THTMLPicture picture;
        LoadBytes(picture, OnePixelFramesGif(row.side, row.side, row.count));
        EXPECT_EQ(picture.GetFrameCount(), row.frames);
        EXPECT_EQ(picture.GetFrameTime(1), 10);
        EXPECT_EQ(picture.Image().width(), row.side);
        picture.SetFrame(row.count);
        EXPECT_EQ(picture.GetFrame(), row.frames);
    }
}

TEST(Picturecontainer, BitmapHasNoFrames) {
    THTMLPicture picture;
    LoadBytes(picture, PngBytes(16, 8));
    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(picture.GetFrameCount(), -1);
    EXPECT_FALSE(picture.Step());
    EXPECT_EQ(picture.GetWidth(), 16);
    EXPECT_EQ(picture.GetHeight(), 8);
}

TEST(Picturecontainer, BytesThatAreNoPicture) {
    THTMLPicture picture;
    EXPECT_EQ(ErrorText([&] { LoadBytes(picture, QByteArray("no picture at all")); }),
              "Could not load image. Invalid format");
    EXPECT_TRUE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 0);
}

// A bitmap file of 83 bytes declaring width x height pixels of one bit each, most of them missing
// from it: a 14-byte file header, a 40-byte information header, two colours and 21 bytes of pixels.
QByteArray BitmapDeclaring(std::int32_t width, std::int32_t height) {
    QByteArray bmp(83, '\0');
    const auto put = [&bmp](int at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp[at + i] = static_cast<char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, 83, 4);
    put(10, 62, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 1, 2);
    put(58, 0xFFFFFF, 4);
    return bmp;
}

// Qt scales a picture drawn into a rectangle in 16.16 fixed point: a side above 32767 pixels drawn
// into one pixel overflows it, so no loader takes such a picture.
TEST(Picturecontainer, PicturesLargerThanDrawingTakesAreRefused) {
    const struct {
        const char* label;
        int width, height;
        bool loads;
    } rows[] = {
        {"4194309 x 5", 4194309, 5, false},
        {"as wide as drawing takes", 32767, 1, true},
        {"a pixel wider", 32768, 1, false},
        {"a pixel higher than drawing takes", 1, 32768, false},
    };
    QTemporaryDir folder;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const QByteArray bytes = BitmapDeclaring(row.width, row.height);
        const QString path = folder.filePath("wide.bmp");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const AnsiString name = path.toStdString();

        THTMLPicture html;
        EXPECT_EQ(ErrorText([&] { LoadBytes(html, bytes); }),
                  row.loads ? "no error" : "Could not load image. Invalid format");
        EXPECT_EQ(html.GetWidth(), row.loads ? row.width : 0);
        THTMLPicture fromFile;
        EXPECT_EQ(ErrorText([&] { fromFile.LoadFromFile(name); }) == "no error", row.loads);
        TPicture cellPicture;
        cellPicture.LoadFromFile(name);
        EXPECT_EQ(cellPicture.Empty(), !row.loads);
        TFilePicture filePicture;
        EXPECT_EQ(ErrorText<EInvalidGraphic>([&] { filePicture.SetFileName(name); }) == "no error",
                  row.loads);
        TBitmap bitmap;
        EXPECT_EQ(ErrorText<EInvalidGraphic>([&] { bitmap.LoadFromFile(name); }) == "no error", row.loads);
        TIcon icon;
        EXPECT_EQ(ErrorText<EInvalidGraphic>([&] { icon.LoadFromFile(name); }) == "no error", row.loads);
        if (!row.loads)
            continue;
        // The widest it takes, drawn into a single pixel.
        html.Stretch = true;
        QImage sheet(1, 1, QImage::Format_RGB32);
        TCanvas canvas;
        canvas.SetImage(&sheet);
        html.Draw(&canvas, Rect(0, 0, 1, 1));
        canvas.StretchDraw(Rect(0, 0, 1, 1), cellPicture);
    }
}

TEST(Picturecontainer, FindsByNameAndAddress) {
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items.Add();
    item->Name = "Logo";
    LoadBytes(*item->Picture, PngBytes(4, 4));
    EXPECT_EQ(container.FindPicture("logo"), item->Picture.get());
    EXPECT_EQ(container.FindPicture("other"), nullptr);

    THTMLPictureCache cache;
    THTMLPicture* file = cache.AddPicture();
    file->LoadFromURL("file://" + ThreeFrames);
    EXPECT_FALSE(file->GetEmpty());
    EXPECT_EQ(cache.FindPicture(("FILE://" + ThreeFrames).UpperCase()), file);
    // Nothing is fetched: the picture stays empty, found by its address.
    THTMLPicture* web = cache.AddPicture();
    web->Asynchronous = false;
    web->LoadFromURL("http://example.com/a.gif");
    EXPECT_TRUE(web->GetEmpty());
    EXPECT_EQ(cache.FindPicture("HTTP://EXAMPLE.COM/A.GIF"), web);
}

TEST(Picturecontainer, ImagePositions) {
    TPanel form(nullptr);
    THTMLImage image(&form);
    LoadBytes(*image.HTMLPicture, PngBytes(30, 20));
    struct Row {
        TPicturePosition position;
        std::vector<TRect> expected;
    } rows[] = {
        {bpTopLeft, {Rect(0, 0, 30, 20)}},      {bpTopRight, {Rect(70, 0, 100, 20)}},
        {bpBottomLeft, {Rect(0, 80, 30, 100)}}, {bpBottomRight, {Rect(70, 80, 100, 100)}},
        {bpCenter, {Rect(35, 40, 65, 60)}},     {bpStretched, {Rect(0, 0, 100, 100)}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.position);
        image.SetPicturePosition(row.position);
        EXPECT_EQ(image.PictureRects(), row.expected);
    }
    image.SetPicturePosition(bpTiled);
    const std::vector<TRect> tiles = image.PictureRects();
    // Four across (0, 30, 60, 90) and five down (0, 20, ..., 80).
    ASSERT_EQ(tiles.size(), 20u);
    EXPECT_EQ(tiles.back(), Rect(90, 80, 120, 100));
}

TEST(Picturecontainer, ImageTakesThePixelsPerInchOfWhereItIsDrawn) {
    TPanel form(nullptr);
    THTMLImage image(&form);
    LoadBytes(*image.HTMLPicture, PngBytes(30, 20));
    struct Row {
        int dpi;
        TPoint size;
    } rows[] = {{96, Point(30, 20)}, {192, Point(60, 40)}, {48, Point(15, 10)}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dpi);
        QImage sheet(100, 100, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        sheet.setDotsPerMeterX(static_cast<int>(row.dpi / 0.0254 + 0.5));
        sheet.setDotsPerMeterY(static_cast<int>(row.dpi / 0.0254 + 0.5));
        {
            QPainter painter(&sheet);
            image.ViewPaint(painter);
        }
        TPoint red = Point(0, 0);
        while (red.x < sheet.width() && sheet.pixel(red.x, 0) == qRgb(255, 0, 0))
            ++red.x;
        while (red.y < sheet.height() && sheet.pixel(0, red.y) == qRgb(255, 0, 0))
            ++red.y;
        EXPECT_EQ(red, row.size);
        EXPECT_EQ(image.PictureRects(), std::vector<TRect>{Rect(0, 0, row.size.x, row.size.y)});
    }
}

TEST(Picturecontainer, PicturesInHTMLText) {
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items.Add();
    item->Name = "Square";
    LoadBytes(*item->Picture, PngBytes(16, 16));
    struct Row {
        const char* text;
        int dpi;
        int width;
        TPoint size;
    } rows[] = {
        {"<IMG SRC=\"square\">", 96, 200, Point(16, 16)},
        {"<IMG SRC=\"square\">", 192, 200, Point(32, 32)},
        {"<IMG SRC=\"square\" WIDTH=\"32\" HEIGHT=\"32\">", 96, 200, Point(32, 32)},
        // No room left beside the first: the second starts the next line.
        {"<IMG SRC=\"square\"><IMG SRC=\"square\">", 96, 20, Point(16, 32)},
        {"<IMG SRC=\"missing\">", 96, 200, Point(0, 0)},
        {"<IMG SRC=\"missing\" WIDTH=\"8\" HEIGHT=\"4\">", 96, 200, Point(8, 4)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text + std::string(" at ") + std::to_string(row.dpi));
        QImage sheet(200, 100, QImage::Format_RGB32);
        sheet.setDotsPerMeterX(static_cast<int>(row.dpi / 0.0254 + 0.5));
        sheet.setDotsPerMeterY(static_cast<int>(row.dpi / 0.0254 + 0.5));
        TCanvas canvas;
        canvas.SetImage(&sheet);
        THTMLRenderContext context;
        context.Container = &container;
        context.Paint = false;
        THTMLRenderResult result;
        RenderHTMLText(canvas, row.text, Rect(0, 0, row.width, 100), context, result);
        EXPECT_EQ(result.Size, row.size);
    }
}

} // namespace
