#include "app/AboutUnit.h"
#include "framework/Bitmap.h"
#include "network/Sewernetwork.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(AboutBox, ShowsTheLastUpdateAndTheBanner) {
    const DateSettings systemDates("d/m/yyyy", '/');
    TAboutBox about(nullptr);
    // "Last update: ", one more blank, then 18 January 2011 in the format it sets.
    EXPECT_EQ(about.DateLabel->GetCaption(), "Last update:  January 18, 2011");
    EXPECT_EQ(ShortDateFormat, "mmmm d, yyyy");
    // As shown: a white panel on the window's grey, the banner's dark blue sky at its top.
    about.Show();
    const QImage shown = about.GetFormImage()->Image();
    about.Hide();
    EXPECT_NE(shown.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shown.pixel(11 + 20, 8 + 300) & 0xFFFFFF, 0xFFFFFFu);
    const QRgb sky = shown.pixel(11 + 48 + 140, 8 + 24 + 3);
    EXPECT_LT(qRed(sky), 60);
    EXPECT_GT(qBlue(sky), 80);
}

// Once the about box is built, a saved network's stamp names the month in full.
TEST(AboutBox, SetsTheDateFormatOfTheSaveStamp) {
    const DateSettings systemDates("dd/mm/yy", '/');
    TAboutBox about(nullptr);
    QTemporaryDir dir;
    const AnsiString path = (dir.path() + "/stamp.snt").toStdString();
    SimpleSewerNetwork network;
    ASSERT_EQ(network.WriteToFile(path), 0);
    QFile file(QString::fromStdString(path.str()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    file.readLine();
    file.readLine();
    const QString stamp = QString::fromUtf8(file.readLine()).trimmed();
    const QRegularExpression monthDayYearTime(
        "^(January|February|March|April|May|June|July|August|September|October|November|December) "
        "[1-9][0-9]?, [0-9]{4} .+$");
    EXPECT_TRUE(monthDayYearTime.match(stamp).hasMatch()) << stamp.toStdString();
}

} // namespace
