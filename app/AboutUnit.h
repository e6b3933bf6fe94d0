#pragma once

#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Panel.h"

// The about box: the program's banner, icon, name, version and last update. Its first instance is
// the splash shown while the program starts. Building it sets the process's short date format,
// which every later date the program writes follows.
class TAboutBox : public TForm {
public:
    explicit TAboutBox(TComponent* Owner);

    TPanel* Panel1;
    TImage* Image2;
    TImage* ProgramIcon;
    TLabel* ProductName;
    TLabel* Version;
    TLabel* DateLabel;
    TButton* OKButton;

private:
    void LoadCaptions();
};

extern TAboutBox* AboutBox;
