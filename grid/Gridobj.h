#pragma once

#include "framework/CustomControl.h"
#include "framework/List.h"
#include "framework/Panel.h"

#include <array>
#include <functional>

using TIntListChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// A list of integers that remembers the cell it belongs to and tells OnChange of each change.
class TIntList : public TList {
public:
    TIntList(int ACol, int ARow) : col(ACol), row(ARow) {}

    int GetInteger(int Index) const;
    void SetInteger(int Index, int Value);
    void Add(int Value);
    void Delete(int Index);

    TIntListChangeEvent OnChange;

private:
    void Changed();

    int col;
    int row;
};

// The sort keys of a multi-column sort, in order: the column in the low 31 bits, the top bit
// set for a descending key.
class TSortIndexList : public TIntList {
public:
    using TIntList::TIntList;

    void AddIndex(int Column, bool Ascending);
    // Position of the first key on Column, or -1.
    int FindIndex(int Column) const;
    // Turns the direction of the first key on Column; nothing when there is none.
    void ToggleIndex(int Column);
};

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// A small solid lime arrow the grid places where a moved row or column would drop: a pop-up
// window placed in screen coordinates, cut to the arrow's outline.
class TArrowWindow : public TPanel {
public:
    TArrowWindow(TWinControl* AOwner, TArrowDirection ADirection);

    const TArrowDirection Direction;
    // The outline, in pixels.
    const std::array<TPoint, 7> Arrow;

protected:
    void UpdateView() override;
};

// The label the grid shows beside a row or column being moved: a bordered caption in a top-most
// window of its own.
class TPopupButton : public TCustomControl {
public:
    explicit TPopupButton(TComponent* AOwner);

    AnsiString Caption;
    bool Flat = false;

protected:
    void Paint() override;
};

// A picture known by its file, read again each time it is drawn.
class TFilePicture : public TObject {
public:
    const AnsiString& GetFileName() const { return fileName; }
    // Reads the picture's size; a file that is no readable picture raises EInvalidGraphic.
    void SetFileName(const AnsiString& value);
    int Width() const { return width; }
    int Height() const { return height; }
    // Stretched into Rect; a file that cannot be read (gone since) draws nothing.
    void DrawPicture(TCanvas& Canvas, const TRect& Rect) const;

private:
    AnsiString fileName;
    int width = 0;
    int height = 0;
};
