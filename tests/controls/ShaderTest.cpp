#include "controls/Shader.h"

#include "framework/Form.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct ShaderForm : TForm {
    ShaderForm() : TForm(nullptr) {
        Shader->SetParent(this);
        Shader->SetBounds(0, 0, 60, 90);
        EndLayout();
    }
    QImage Picture() {
        Show();
        UpdateStaleViews();
        return Shader->View()->grab().toImage();
    }
    TShader* Shader = new TShader(this);
};

TEST(Shader, OneStepPaintsAllInTheFirstColourAndNoStepsCountAsOne) {
    for (const int steps : {1, 0}) {
        SCOPED_TRACE(steps);
        ShaderForm form;
        form.Shader->SetFromColor(0x3080C0); // blue 0x30, green 0x80, red 0xC0
        form.Shader->SetSteps(static_cast<std::uint16_t>(steps));
        const QImage picture = form.Picture();
        for (const QPoint at : {QPoint(0, 0), QPoint(59, 89), QPoint(30, 45)})
            EXPECT_EQ(picture.pixelColor(at), QColor(0xC0, 0x80, 0x30));
        EXPECT_EQ(form.Shader->GetSteps(), 1);
    }
}

TEST(Shader, BandsRoundTheirHalvesToEven) {
    ShaderForm form;
    const QImage picture = form.Picture();
    // 20 bands of 4.5 rows from blue 255 to 0, 12.75 a band. Band i starts at row
    // nearbyint(4.5 i): band 1 at 4, band 3 at 14 (13.5), band 6 at 27, band 19 at 86 (85.5).
    const struct {
        int row;
        int blue;
    } rows[] = {
        {0, 255},  {3, 255}, {4, 242}, // 255 + nearbyint(-12.75) = 242
        {13, 229},                     // band 2: nearbyint(-25.5) = -26
        {14, 217},                     // band 3: nearbyint(-38.25) = -38
        {27, 179},                     // band 6: nearbyint(-76.5) = -76
        {86, 13},  {89, 13},           // band 19: nearbyint(-242.25) = -242
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        EXPECT_EQ(picture.pixelColor(10, row.row), QColor(0, 0, row.blue));
    }
}

TEST(Shader, SideBySideBandsRunFromLeftToRight) {
    ShaderForm form;
    form.Shader->SetDirection(true);
    form.Shader->SetSteps(2);
    form.Shader->SetToColor(0x0000FF);
    const QImage picture = form.Picture();
    // Two bands of 30 columns, the second half-way: red 0 + nearbyint(127.5) = 128, blue
    // 255 + nearbyint(-127.5) = 127.
    EXPECT_EQ(picture.pixelColor(29, 50), QColor(0, 0, 255));
    EXPECT_EQ(picture.pixelColor(31, 50), QColor(128, 0, 127));
}

} // namespace
