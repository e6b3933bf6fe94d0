#include "framework/IniFiles.h"
#include "framework/Label.h"
#include "framework/Registry.h"
#include "tests/controls/TypedEditSupport.h"
#include "tests/support/ScriptedResponder.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

TEST(TypedEditLabel, StandsFourPixelsOffByDefault) {
    TypedEditForm form;
    TTypedEdit& box = *form.Box;
    box.SetBounds(100, 50, 80, 21);
    box.SetLabelPosition(lpLeftCenter);
    box.SetLabelCaption("Datum level");
    const TLabel& label = *box.GetLabel();
    const QFontMetrics metrics(box.GetLabelFont().ToQFont());
    const int lw = metrics.horizontalAdvance("Datum level");
    const int lh = metrics.height();
    EXPECT_EQ(label.Height(), lh);
    // A 13-pixel label stands at 50 + (21 - 13) div 2 = 54.
    EXPECT_EQ(label.Top(), 50 + (21 - lh) / 2);
    EXPECT_EQ(label.Left(), 100 - lw - 4);
    box.SetLabelPosition(lpTopLeft);
    EXPECT_EQ(label.Top(), 50 - lh - 4);
    box.SetLabelPosition(lpBottomCenter);
    EXPECT_EQ(label.Top(), 50 + 21 + 4);
    EXPECT_EQ(label.Left(), 100 + (80 - lw) / 2);
}

TEST(TypedEditLabel, TakesACopyOfItsFontAndStandsAgainWhenItChanges) {
    TypedEditForm form;
    TTypedEdit& box = *form.Box;
    box.SetBounds(200, 50, 80, 21);
    box.SetLabelCaption("Datum level");
    const int smallLeft = box.GetLabel()->Left();
    TFont big;
    big.SetSize(16);
    box.SetLabelFont(big);
    big.SetSize(30);
    EXPECT_EQ(box.GetLabel()->Font.Size, 16);
    EXPECT_LT(box.GetLabel()->Left(), smallLeft);
    box.SetLabelTransparent(true);
    EXPECT_TRUE(box.GetLabelTransparent());
}

// A window still being laid out, with a labelled box, until the test ends the layout.
struct LayingOutForm : TForm {
    LayingOutForm() : TForm(nullptr) {
        Box->SetParent(this);
        Box->SetBounds(200, 50, 80, 21);
    }
    using TForm::EndLayout;
    TTypedEdit* Box = new TTypedEdit(this);
};

TEST(TypedEditLabel, TakesTheBoxsFontOnlyWhileItsWindowIsLaidOut) {
    LayingOutForm form;
    TTypedEdit* box = form.Box;
    box->SetLabelCaption("Datum level");
    const int smallHeight = box->GetLabel()->Height();
    box->Font.SetName("Arial");
    box->Font.SetSize(14);
    EXPECT_EQ(box->GetLabelFont().Name, "Arial");
    EXPECT_EQ(box->GetLabelFont().Size, 14);
    EXPECT_EQ(box->GetLabel()->Font.Size, 14);
    EXPECT_GT(box->GetLabel()->Height(), smallHeight);
    form.EndLayout();
    box->Font.SetSize(20);
    EXPECT_EQ(box->GetLabelFont().Size, 14);
    EXPECT_EQ(box->GetLabel()->Font.Size, 14);
}

TEST_F(ShownBox, AFocusLabelIsBoldWhileTheBoxHasTheFocus) {
    box.SetLabelCaption("Datum level");
    box.FocusLabel = true;
    const TLabel& label = *box.GetLabel();
    EXPECT_EQ(label.Font.Style & fsBold, 0u);
    FocusOn(box);
    EXPECT_NE(label.Font.Style & fsBold, 0u);
    Leave();
    EXPECT_EQ(label.Font.Style & fsBold, 0u);
}

TEST(TypedEditURL, LooksLikeAnAddressWithSchemeOrMailbox) {
    const struct {
        const char* value;
        bool url;
    } rows[] = {{"a://b", true}, {"x@y", true}, {"@y", false}, {"plain", false}, {"", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        TTypedEdit box(nullptr);
        box.SetText(row.value);
        EXPECT_EQ(box.TestURL(), row.url);
    }
}

TEST(TypedEditURL, TheLookFollowsTheText) {
    TTypedEdit box(nullptr);
    box.URLColor = clFuchsia;
    box.SetText("https://example.org");
    EXPECT_EQ(box.Font.Style & fsUnderline, 0u);
    box.SetShowURL(true);
    EXPECT_NE(box.Font.Style & fsUnderline, 0u);
    EXPECT_EQ(box.Font.Color, clFuchsia);
    EXPECT_EQ(box.GetCursor(), crHandPoint);
    box.SetText("no address");
    EXPECT_EQ(box.Font.Style & fsUnderline, 0u);
    EXPECT_EQ(box.Font.Color, clWindowText);
    EXPECT_EQ(box.GetCursor(), crDefault);
    box.SetWindowText("me@example.org");
    EXPECT_EQ(box.Font.Color, clFuchsia);
    box.SetShowURL(false);
    EXPECT_EQ(box.Font.Style & fsUnderline, 0u);
}

TEST_F(ShownBox, AClickOnTheFocusedBoxOpensOnlyWebAndMailAddresses) {
    box.SetShowURL(true);
    const struct {
        const char* value;
        const char* opened;
    } rows[] = {
        {"https://example.org/a", "https://example.org/a"},
        {"file:///etc/passwd", nullptr},
        {"x@y", "mailto:x@y"},
        {"mailto:x@y", "mailto:x@y"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        box.SetText(row.value);
        FocusOn(box);
        Responder().Clear();
        QTest::mouseClick(box.View(), Qt::LeftButton, {}, QPoint(5, 5));
        if (row.opened) {
            ASSERT_EQ(Responder().Opened.size(), 1u);
            EXPECT_EQ(Responder().Opened[0], row.opened);
        } else {
            EXPECT_TRUE(Responder().Opened.empty());
        }
    }
    // The click that brings the focus opens nothing.
    box.SetText("https://example.org");
    Leave();
    Responder().Clear();
    QTest::mouseClick(box.View(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Responder().Opened.empty());
    // Selecting all picks the address after its scheme.
    FocusOn(box);
    box.SelectAll();
    EXPECT_EQ(box.GetSelText(), "example.org");
}

QImage Picture(TControl& control) {
    UpdateStaleViews();
    return control.View()->grab().toImage();
}

TEST_F(ShownBox, FlatBoxesDrawTheirLineOrFrame) {
    box.SetFlatLineColor(clRed);
    box.SetFlat(true);
    const int w = box.Width();
    const int h = box.Height();
    const QColor red(255, 0, 0);
    QImage picture = Picture(box);
    EXPECT_EQ(picture.pixelColor(10, h - 1), red);
    EXPECT_EQ(picture.pixelColor(w - 1, h - 1), red);
    EXPECT_NE(picture.pixelColor(10, 0), red);
    EXPECT_NE(picture.pixelColor(0, 10), red);
    EXPECT_EQ(box.GetBorderStyle(), bsNone);
    EXPECT_EQ(box.GetColor(), form->GetColor());
    box.SetSoftBorder(true);
    picture = Picture(box);
    for (const QPoint at : {QPoint(10, h - 1), QPoint(10, 0), QPoint(0, 10), QPoint(w - 1, 10)}) {
        SCOPED_TRACE(at.x() * 1000 + at.y());
        EXPECT_EQ(picture.pixelColor(at), red);
    }
    box.SetFlat(false);
    EXPECT_EQ(box.GetBorderStyle(), bsSingle);
    EXPECT_EQ(box.GetColor(), clWindow);
}

TEST_F(ShownBox, TheFocusBorderIsSunkenUnderTheMouseOrWithTheFocus) {
    form->SetColor(0x00FF00);
    box.SetFlat(true);
    box.SetFocusBorder(true);
    const int w = box.Width();
    const int h = box.Height();
    const QColor parent(0, 255, 0);
    QImage picture = Picture(box);
    EXPECT_EQ(picture.pixelColor(0, 0), parent);
    EXPECT_EQ(picture.pixelColor(1, 1), parent);
    box.ViewMouseEnter();
    picture = Picture(box);
    EXPECT_EQ(picture.pixel(0, 0), ToQColor(clBtnShadow).rgb());
    EXPECT_EQ(picture.pixel(w - 1, h - 1), ToQColor(clBtnHighlight).rgb());
    EXPECT_EQ(picture.pixel(1, 1), ToQColor(clBtnFace).rgb());
    box.ViewMouseLeave();
    EXPECT_EQ(Picture(box).pixelColor(0, 0), parent);
    FocusOn(box);
    EXPECT_EQ(Picture(box).pixel(0, 0), ToQColor(clBtnShadow).rgb());
}

TEST_F(ShownBox, ATransparentBoxShowsItsParentsColour) {
    form->SetColor(0x00FF00);
    const QPoint inside(box.Left() + box.Width() - 10, box.Top() + box.Height() / 2);
    EXPECT_NE(Picture(*form).pixelColor(inside), QColor(0, 255, 0));
    box.SetTransparent(true);
    EXPECT_EQ(Picture(*form).pixelColor(inside), QColor(0, 255, 0));
}

// A float box of two decimals between "L=" and " m", keeping its value.
struct KeptBoxForm : TForm {
    KeptBoxForm(TPersistenceLocation location, const AnsiString& key, const AnsiString& section)
        : TForm(nullptr) {
        Box->Name = "DatumTypedEdit";
        Box->SetParent(this);
        Box->SetEditType(etFloat);
        Box->SetPrecision(2);
        Box->SetPrefix("L=");
        Box->SetSuffix(" m");
        Box->SetText("7");
        Box->Persistence.Enable = true;
        Box->Persistence.Location = location;
        Box->Persistence.Key = key;
        Box->Persistence.Section = section;
        EndLayout();
    }
    TTypedEdit* Box = new TTypedEdit(this);
};

TEST(TypedEditPersistence, TheShownTextIsKeptAndComesBack) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir folder;
    const AnsiString iniFile = folder.filePath("boxes.ini").toStdString();
    const AnsiString registryKey = "Software\\DrenvalaTests\\" + IntToStr(QCoreApplication::applicationPid());
    const struct {
        TPersistenceLocation location;
        AnsiString key;
    } rows[] = {{plInifile, iniFile}, {plRegistry, registryKey}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.location);
        {
            KeptBoxForm form(row.location, row.key, "Datum");
            EXPECT_EQ(form.Box->GetWindowText(), "L=7.00 m");
            form.Box->SetText("12.5");
        }
        const AnsiString kept =
            row.location == plInifile
                ? TIniFile(iniFile).ReadString("Datum", "DatumTypedEdit", "@")
                : TRegistryIniFile(registryKey).ReadString("Datum", "DatumTypedEdit", "@");
        EXPECT_EQ(kept, "L=12.50 m");
        KeptBoxForm again(row.location, row.key, "Datum");
        EXPECT_EQ(again.Box->GetText(), "12.50");
        // A missing entry leaves the text.
        KeptBoxForm other(row.location, row.key, "Other");
        EXPECT_EQ(other.Box->GetText(), "7.00");
        other.Box->Persistence.Enable = false;
        again.Box->Persistence.Enable = false;
    }
    // What the box would not take from the keyboard does not come back either.
    TIniFile(iniFile).WriteString("Datum", "DatumTypedEdit", "L=abc m");
    KeptBoxForm refused(plInifile, iniFile, "Datum");
    EXPECT_EQ(refused.Box->GetWindowText(), "L=0.00 m");
    refused.Box->Persistence.Enable = false;
}

TEST(TypedEditPersistence, AnIniFileWithoutAFolderIsTheProgramsOwn) {
    QStandardPaths::setTestModeEnabled(true);
    const QString file = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                             .filePath("controls_tests.INI");
    QFile::remove(file);
    {
        KeptBoxForm form(plInifile, "", "Datum");
        EXPECT_EQ(form.Box->Persistence.Key, "controls_tests.INI");
    }
    EXPECT_EQ(TIniFile(file.toStdString()).ReadString("Datum", "DatumTypedEdit", "@"), "L=7.00 m");
    QFile::remove(file);
}

} // namespace
