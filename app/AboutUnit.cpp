#include "app/AboutUnit.h"

#include "framework/DateTime.h"
#include "resources/ProgramResources.h"
#include "resources/StringTable.h"

TAboutBox* AboutBox = nullptr;

namespace {

constexpr const char* ProgramVersion = "1.25";

TLabel* NewLabel(TAboutBox* owner, TWinControl* parent, int left, int top) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetBounds(left, top, 0, 0);
    // The panel's white shows through.
    label->SetTransparent(true);
    return label;
}

} // namespace

TAboutBox::TAboutBox(TComponent* Owner) : TForm(Owner) {
    SetCaption("About");
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    SetClientSize(394, 354);

    Panel1 = new TPanel(this);
    Panel1->SetParent(this);
    Panel1->SetBounds(11, 8, 377, 313);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetColor(clWhite);

    Image2 = new TImage(this);
    Image2->SetParent(Panel1);
    Image2->SetBounds(48, 24, 280, 81);
    Image2->SetStretch(true);
    Image2->Picture.LoadFromFile(BannerPicture);

    ProgramIcon = new TImage(this);
    ProgramIcon->SetParent(Panel1);
    ProgramIcon->SetBounds(64, 140, 33, 41);
    ProgramIcon->SetStretch(true);
    ProgramIcon->Picture.LoadFromFile(IconPicture);

    ProductName = NewLabel(this, Panel1, 120, 140);
    ProductName->Font.SetSize(14);
    ProductName->Font.SetStyle(fsBold);
    Version = NewLabel(this, Panel1, 120, 176);
    DateLabel = NewLabel(this, Panel1, 120, 200);
    DateLabel->Font.SetStyle(fsBold);

    OKButton = new TButton(this);
    OKButton->SetParent(this);
    OKButton->SetBounds(160, 326, 75, 25);
    OKButton->Default = true;
    OKButton->ModalResult = mrOk;
    ActiveControl = OKButton;
    EndLayout();
    LoadCaptions();
}

void TAboutBox::LoadCaptions() {
    SetCaption(LoadStr(1350));
    Version->SetCaption(LoadStr(1352) + ProgramVersion);
    ShortDateFormat = "mmmm d, yyyy";
    DateLabel->SetCaption(LoadStr(1354) + " " + DateToStr(EncodeDate(2011, 1, 18)));
    ProductName->SetCaption(LoadStr(1356));
    OKButton->SetCaption(LoadStr(1357));
}
