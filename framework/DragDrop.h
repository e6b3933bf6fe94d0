#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"
#include "framework/Geometry.h"

#include <memory>
#include <vector>

class QMimeData;
class QObject;
class QPixmap;

// What a drop does, as the drag-and-drop protocol counts it.
constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;
// How a drag ended.
constexpr int DRAGDROP_S_DROP = 0x40100;
constexpr int DRAGDROP_S_CANCEL = 0x40101;

// Rich text is offered and taken only where its family is aware of it: one flag for the edit
// boxes, one for the grids, so that one family turning it on does not change what the other drops.
enum class TDropFamily { Boxes, Grids };
void SetRTFAware(TDropFamily family, bool value);
bool RTFAware(TDropFamily family);

// Copy with Ctrl held, else move.
int StandardEffect(TShiftState shift);

// A grid's column, dragged by its header: its real index, signed 32-bit little-endian.
inline constexpr char MimeGridColumn[] = "application/x-drenvala-grid-column";

// The formats a drag brings, one bit each.
enum TDropFormat { dfText, dfFile, dfCol, dfRTF };
struct TDropFormats {
    unsigned Bits = 0;
    bool Contains(TDropFormat format) const { return (Bits & (1u << format)) != 0; }
    TDropFormats& operator<<(TDropFormat format) {
        Bits |= 1u << format;
        return *this;
    }
};

// The formats a dropped data object offers: plain text ("text/plain"), rich text ("text/rtf" or
// "application/rtf"), local files ("text/uri-list") and a grid's column.
class TEnumFormats {
public:
    explicit TEnumFormats(const QMimeData& data);

    bool HasText() const;
    bool HasRTF() const;
    bool HasFile() const;
    bool HasCol() const;
    // Empty where the format is not offered.
    AnsiString Text() const;
    AnsiString RTF() const;
    // -1 where no column is offered or its bytes are too few.
    int Col() const;
    // The local files offered; true when there is one at least.
    bool SomeFiles(std::vector<AnsiString>& files) const;

private:
    const QMimeData& data;
};

// What a drop target does with a drag passing over it and dropped on it; a control overrides the
// hooks. Points are in the control's own coordinates.
class TAEDropTarget {
public:
    explicit TAEDropTarget(TDropFamily family) : family(family) {}
    virtual ~TAEDropTarget() = default;

    // What the target takes; rich text counts as text.
    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptCols = false;

    // Each drop answers whether it took effect; one that wrote nothing is no move, so the source
    // keeps what it offered.
    virtual bool DropText(TPoint point, const AnsiString& text);
    virtual bool DropRTF(TPoint point, const AnsiString& rtf);
    // A column dropped takes the place of the empty texts beside it.
    virtual bool DropCol(TPoint point, int col);
    virtual bool DropFiles(TPoint point, const std::vector<AnsiString>& files);
    // allow false refuses the drop at point.
    virtual void DragMouseMove(TPoint point, bool& allow);

    // The drag events; each returns the effect the drop would have, Drop the effect it had. An
    // empty rich text is none: the text beside it drops.
    int DragEnter(const QMimeData& data, TShiftState shift, TPoint point);
    int DragOver(TShiftState shift, TPoint point);
    virtual void DragLeave() {}
    int Drop(const QMimeData& data, TShiftState shift, TPoint point);

protected:
    // The keys held at the last drag event, and what the drag brings.
    TShiftState KeyState;
    TDropFormats Formats;
    // Set by a drop that took only part of what it was given: it answers copy, so that a move
    // leaves the source whole.
    bool PartTaken = false;

private:
    TDropFamily family;
    bool accept = false;
};

// A control that takes drops: its view hands the drag events to its target, when it has one.
class TDropSite {
public:
    virtual TAEDropTarget* DropTarget() = 0;

protected:
    ~TDropSite() = default;
};

// The data a drag from a control carries: the text, and the rich text while its family is aware.
std::unique_ptr<QMimeData> SourceData(TDropFamily family, const AnsiString& text, const AnsiString& rtf);
// The data a column drag carries: the column, with empty texts beside it so that a target taking
// text takes the column.
std::unique_ptr<QMimeData> ColumnData(int col);
// Runs a drag of the text from source until it is dropped or given up, through the dialog seam;
// returns DRAGDROP_S_DROP with the effect the drop had, or DRAGDROP_S_CANCEL (effect none).
int StartTextDoDragDrop(TDropFamily family, QObject& source, const AnsiString& text, const AnsiString& rtf,
                        int allowedEffects, int& effect);
// The same for a column, label following the pointer by its bottom-left corner.
int StartColDoDragDrop(QObject& source, int col, const QPixmap& label, int allowedEffects, int& effect);
