#pragma once

#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/CommonDialogs.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/RadioButton.h"
#include "framework/RadioGroup.h"

class TPrintSettings;

// The small dialog in which the user lays the results table out for printing: a title, date,
// time and page numbers, borders, fit, centring, automatic widths, orientation and the print
// font. The opener shows the settings in effect; "Apply" writes the choices into the results
// grid's print settings.
class TPrintSetupForm : public TForm {
public:
    explicit TPrintSetupForm(TComponent* Owner);

    void LoadCaptions();
    // Writes the choices into the results grid's print settings and closes.
    void ApplyButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    // The print font, chosen from the present one, applies at once.
    void Button8Click(TObject* Sender);
    // The controls as the settings stand: what the next print will use. The title box is the
    // opener's to fill, with the network's title.
    void ShowSettings(const TPrintSettings& Settings);
    // The choices as settings; a title goes to the top centre of every page. A position, or a
    // fit, already on stays as it is while its control stays on.
    void ApplyTo(TPrintSettings& Settings) const;

    TButton* ApplyButton;
    TButton* CancelButton;
    TGroupBox* GroupBox2;
    TLabel* Label7;
    TEdit* TitleEdit;
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox5;
    TCheckBox* CheckBox6;
    TCheckBox* CheckBox7;
    TCheckBox* CheckBox4;
    TLabel* Label8;
    TRadioButton* RadioButton1;
    TRadioButton* RadioButton2;
    TRadioButton* RadioButton3;
    TRadioGroup* OrientationRadioGroup;
    TButton* Button8;
    TFontDialog* FontDialog1;
};

extern TPrintSetupForm* PrintSetupForm;
