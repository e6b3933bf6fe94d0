#include "grid/CellGraphic.h"

#include "framework/Picture.h"
#include "framework/StringList.h"

#include <algorithm>
#include <cmath>

TCellGraphic::~TCellGraphic() {
    switch (CellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
        if (OwnsObject)
            delete Object;
        break;
    case ctIcon:
        if (OwnsObject)
            delete SecondObject;
        break;
    case ctComment:
        delete Object;
        break;
    case ctBitButton:
        delete SecondObject;
        break;
    default:
        break;
    }
}

void TCellGraphic::Place(TCellType type, TCellHAlign hAlign, TCellVAlign vAlign) {
    CellType = type;
    HAlign = hAlign;
    VAlign = vAlign;
}

void TCellGraphic::SetBitmap(TObject* ABitmap, bool ATransparent, TCellHAlign hAlign, TCellVAlign vAlign) {
    Place(ctBitmap, hAlign, vAlign);
    Object = ABitmap;
    Transparent = ATransparent;
}

void TCellGraphic::SetIcon(TObject* AIcon, TCellHAlign hAlign, TCellVAlign vAlign) {
    Place(ctIcon, hAlign, vAlign);
    SecondObject = AIcon;
}

void TCellGraphic::SetImageIdx(int Index, TCellHAlign hAlign, TCellVAlign vAlign) {
    Place(ctImageList, hAlign, vAlign);
    Number = Index;
}

void TCellGraphic::SetDataImage(int Index, TCellHAlign hAlign, TCellVAlign vAlign) {
    Place(ctDataImage, hAlign, vAlign);
    Number = Index;
}

void TCellGraphic::SetCheckBox(bool Checked, bool Data, bool Flag, TCellHAlign hAlign, TCellVAlign vAlign) {
    Place(Data ? ctDataCheckBox : ctCheckBox, hAlign, vAlign);
    State = Checked;
    Transparent = Flag;
}

void TCellGraphic::SetAngle(int AAngle) {
    CellType = ctRotated;
    while (AAngle < 0)
        AAngle += 360;
    while (AAngle > 360)
        AAngle -= 360;
    Angle = static_cast<short>(AAngle);
}

void TCellGraphic::SetMultiImage(int ACol, int ARow, int Direction, TCellHAlign hAlign, TCellVAlign vAlign,
                                 TIntListChangeEvent Handler) {
    Place(ctImages, hAlign, vAlign);
    auto images = std::make_unique<TIntList>(ACol, ARow);
    images->OnChange = std::move(Handler);
    Object = images.get();
    made = std::move(images);
    State = Direction == 0;
}

void TCellGraphic::SetPicture(TObject* APicture, bool ATransparent, TStretchMode AStretchMode, int Padding,
                              TCellHAlign hAlign, TCellVAlign vAlign) {
    Place(ctPicture, hAlign, vAlign);
    Object = APicture;
    Transparent = ATransparent;
    StretchMode = AStretchMode;
    Number = Padding;
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool ATransparent, TStretchMode AStretchMode,
                                  int Padding, TCellHAlign hAlign, TCellVAlign vAlign) {
    SetPicture(APicture, ATransparent, AStretchMode, Padding, hAlign, vAlign);
    CellType = ctFilePicture;
}

void TCellGraphic::SetButton(int Width, int Height, const AnsiString& Caption, TCellHAlign hAlign,
                             TCellVAlign vAlign) {
    Place(ctButton, hAlign, vAlign);
    Number = (Width & 0xFFFF) | (Height << 16);
    State = false;
    auto captions = std::make_unique<TStringList>();
    captions->Add(Caption);
    Object = captions.get();
    made = std::move(captions);
}

void TCellGraphic::SetBitButton(int Width, int Height, const AnsiString& Caption, TObject* Glyph,
                                TCellHAlign hAlign, TCellVAlign vAlign) {
    SetButton(Width, Height, Caption, hAlign, vAlign);
    CellType = ctBitButton;
    SecondObject = Glyph;
}

TPoint TCellGraphic::GetPictureSize(int AvailableWidth, int AvailableHeight, bool) const {
    int w = 0, h = 0;
    if (CellType == ctPicture) {
        if (const auto* picture = dynamic_cast<const TPicture*>(Object)) {
            w = picture->Width();
            h = picture->Height();
        }
    } else if (CellType == ctFilePicture) {
        if (const auto* picture = dynamic_cast<const TFilePicture*>(Object)) {
            w = picture->Width();
            h = picture->Height();
        }
    } else {
        return Point(0, 0);
    }
    const int aw = AvailableWidth - Number;
    const int ah = AvailableHeight - Number;
    // Halves to even, as the runtime rounds.
    auto round = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    const double rw = w < 1 ? 1.0 : static_cast<double>(aw) / w;
    const double rh = h < 1 ? 1.0 : static_cast<double>(ah) / h;
    const bool fits = w <= aw && h <= ah;
    switch (StretchMode) {
    case noStretch:
        return Point(w, h);
    case Stretch:
        return Point(aw, ah);
    case StretchWithAspectRatio:
        return rw >= rh ? Point(round(w * rh), ah) : Point(aw, round(h * rw));
    case Shrink:
        return fits ? Point(w, h) : Point(aw, ah);
    case ShrinkWithAspectRatio:
        if (fits)
            return Point(w, h);
        return std::min(rw, 1.0) < std::min(rh, 1.0) ? Point(aw, round(h * std::min(rw, 1.0)))
                                                     : Point(round(w * std::min(rh, 1.0)), ah);
    }
    return Point(w, h);
}
