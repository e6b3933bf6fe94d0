#pragma once

#include "framework/AnsiString.h"
#include "framework/Geometry.h"
#include "framework/Graphics.h"
#include "grid/Gridobj.h"

#include <array>
#include <memory>

enum TCellType {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton
};
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };

// What a cell shows besides its text: a bitmap, icon, picture, check box, button, images or a
// rotated text, with how it is placed. What it frees with itself depends on its kind: a bitmap,
// radio list, picture or file picture (and an icon) only when it owns them; images, a comment,
// a button's caption and a bit button's glyph always.
class TCellGraphic : public TObject {
public:
    ~TCellGraphic() override;

    void SetBitmap(TObject* ABitmap, bool ATransparent, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetIcon(TObject* AIcon, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetImageIdx(int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetDataImage(int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetCheckBox(bool Checked, bool Data, bool Flag, TCellHAlign HAlign, TCellVAlign VAlign);
    // Brought into 0..360: -30 gives 330, 361 gives 1, 360 stays.
    void SetAngle(int AAngle);
    void SetMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign,
                       TIntListChangeEvent Handler);
    void SetPicture(TObject* APicture, bool ATransparent, TStretchMode AStretchMode, int Padding,
                    TCellHAlign HAlign, TCellVAlign VAlign);
    void SetFilePicture(TFilePicture* APicture, bool ATransparent, TStretchMode AStretchMode, int Padding,
                        TCellHAlign HAlign, TCellVAlign VAlign);
    void SetButton(int Width, int Height, const AnsiString& Caption, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetBitButton(int Width, int Height, const AnsiString& Caption, TObject* Glyph, TCellHAlign HAlign,
                      TCellVAlign VAlign);
    // The drawn size of a picture or file picture in the available room less the padding,
    // halves rounded to even; (0, 0) for other kinds.
    TPoint GetPictureSize(int AvailableWidth, int AvailableHeight, bool Flag) const;

    TCellType CellType = ctNone;
    TObject* Object = nullptr;
    // The icon of ctIcon, the glyph of ctBitButton.
    TObject* SecondObject = nullptr;
    TCellVAlign VAlign = vaTop;
    TCellHAlign HAlign = haLeft;
    // Image index, data image index, picture padding, or a button's width (low 16 bits) and
    // height (high 16 bits).
    int Number = 0;
    bool Transparent = false;
    bool OwnsObject = false;
    bool State = false;
    short Angle = 0;
    TStretchMode StretchMode = noStretch;
    TColor Color = clNone;
    // A progress bar's colours: filled, empty, and in the extended form the text's on each.
    std::array<TColor, 4> ProgressColors{clNone, clNone, clNone, clNone};
    // Two marks any kind of graphic can carry.
    short Marker1 = 0;
    short Marker2 = 0;
    // Where the painter last placed a button, from the cell's top-left corner.
    TPoint ButtonPosition{0, 0};

private:
    void Place(TCellType type, TCellHAlign hAlign, TCellVAlign vAlign);
    // What the graphic made for itself: image lists and button captions.
    std::unique_ptr<TObject> made;
};
