#include "framework/Picture.h"
#include "framework/Bitmap.h"
#include "framework/Clipboard.h"
#include "framework/FileBytes.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/JPEG.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

const std::string DataDir = DRENVALA_TEST_DATA;

std::string FileBytes(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

// Whether the pixel is within a JPEG's rounding of the colour 0xRRGGBB.
bool Near(QRgb pixel, QRgb colour) {
    const auto close = [](int a, int b) { return std::abs(a - b) <= 12; };
    return close(qRed(pixel), qRed(colour)) && close(qGreen(pixel), qGreen(colour)) &&
           close(qBlue(pixel), qBlue(colour));
}

// red-blue.jpg: 16 x 8, the left 8 columns pure red, the right 8 pure blue (made with ImageMagick
// at quality 100 without chroma subsampling).
TEST(JPEG, DecodesColoursAndSizes) {
    const QImage redBlue = DecodeJPEG(FileBytes(DataDir + "/red-blue.jpg"));
    ASSERT_EQ(redBlue.size(), QSize(16, 8));
    EXPECT_TRUE(Near(redBlue.pixel(0, 0), 0xFF0000));
    EXPECT_TRUE(Near(redBlue.pixel(7, 7), 0xFF0000));
    EXPECT_TRUE(Near(redBlue.pixel(8, 0), 0x0000FF));
    EXPECT_TRUE(Near(redBlue.pixel(15, 7), 0x0000FF));

    // A one-channel file comes out as three equal channels.
    const QImage grey = DecodeJPEG(FileBytes(DataDir + "/grey.jpg"));
    ASSERT_EQ(grey.size(), QSize(8, 8));
    EXPECT_TRUE(Near(grey.pixel(4, 4), 0x808080));
}

// Each of these would end the process under libjpeg's own error handling, or paint grey over
// what is missing; the program gets an empty picture instead and goes on.
TEST(JPEG, DamagedFilesGiveNoPicture) {
    const std::string good = FileBytes(DataDir + "/red-blue.jpg");
    std::string huge = good;
    // The frame header (FFC0, length 0011, precision 08) is followed by height and width:
    // 30000 x 30000 claims 900 megapixels, 2.7 GB to hold.
    const std::size_t frame = huge.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    huge.replace(frame + 5, 4, "\x75\x30\x75\x30");
    std::string scrambledHeader = good;
    scrambledHeader.replace(frame, 2, "\xFF\x01");

    const struct {
        const char* label;
        std::string bytes;
    } rows[] = {
        {"no bytes", ""},
        {"not a JPEG", "plain text, not a picture"},
        {"start marker only", "\xFF\xD8"},
        {"cut after the headers", good.substr(0, frame + 20)},
        {"cut inside the scan", good.substr(0, good.size() - 40)},
        {"a frame header claiming gigapixels", huge},
        {"a marker libjpeg does not know", scrambledHeader},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_TRUE(DecodeJPEG(row.bytes).isNull());
    }
}

TEST(Picture, ChoosesTheDecoderByExtension) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QFile::copy(QString::fromStdString(DataDir + "/red-blue.jpg"), folder + "banner.JPEG");
    QImage png(3, 2, QImage::Format_RGB32);
    png.fill(Qt::green);
    png.save(folder + "icon.png");
    ASSERT_TRUE(WriteFileBytes((folder + "damaged.jpg").toStdString(),
                               FileBytes(DataDir + "/red-blue.jpg").substr(0, 200)));

    const struct {
        const char* file;
        int width, height;
    } rows[] = {{"banner.JPEG", 16, 8}, {"icon.png", 3, 2}, {"damaged.jpg", 0, 0}, {"missing.jpg", 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        TPicture picture;
        int changes = 0;
        picture.OnChange = [&](TObject*) { ++changes; };
        picture.LoadFromFile((folder + row.file).toStdString());
        EXPECT_EQ(picture.Width(), row.width);
        EXPECT_EQ(picture.Height(), row.height);
        EXPECT_EQ(picture.Empty(), row.width == 0);
        EXPECT_EQ(changes, 1);
    }
}

TEST(Image, StretchesItsPictureOverTheControl) {
    TForm form(nullptr);
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(0, 0, 64, 16);
    image->SetStretch(true);
    image->Picture.LoadFromFile(DataDir + "/red-blue.jpg");

    QImage shown(64, 16, QImage::Format_RGB32);
    image->View()->render(&shown);
    EXPECT_TRUE(Near(shown.pixel(4, 8), 0xFF0000));
    EXPECT_TRUE(Near(shown.pixel(28, 8), 0xFF0000));
    EXPECT_TRUE(Near(shown.pixel(36, 8), 0x0000FF));
    EXPECT_TRUE(Near(shown.pixel(60, 8), 0x0000FF));
}

TEST(Clipboard, TakesACopyOfABitmap) {
    TBitmap bitmap;
    bitmap.SetSize(5, 4);
    bitmap.Canvas->Brush.Color = clRed;
    bitmap.Canvas->FillRect(Rect(0, 0, 2, 4));
    Clipboard().Assign(bitmap);
    bitmap.SetSize(1, 1);

    const QImage pasted = QGuiApplication::clipboard()->image();
    ASSERT_EQ(pasted.size(), QSize(5, 4));
    EXPECT_EQ(pasted.pixel(1, 3) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(pasted.pixel(2, 0) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
