#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"
#include "framework/Geometry.h"

#include <memory>
#include <vector>

class QMimeData;
class QObject;

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

// The formats a dropped data object offers: plain text ("text/plain"), rich text ("text/rtf" or
// "application/rtf") and local files ("text/uri-list").
class TEnumFormats {
public:
    explicit TEnumFormats(const QMimeData& data);

    bool HasText() const;
    bool HasRTF() const;
    bool HasFile() const;
    // Empty where the format is not offered.
    AnsiString Text() const;
    AnsiString RTF() const;
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

    virtual void DropText(TPoint point, const AnsiString& text);
    virtual void DropRTF(TPoint point, const AnsiString& rtf);
    virtual void DropFiles(TPoint point, const std::vector<AnsiString>& files);
    // allow false refuses the drop at point.
    virtual void DragMouseMove(TPoint point, bool& allow);

    // The drag events; each returns the effect the drop would have.
    int DragEnter(const QMimeData& data, TShiftState shift, TPoint point);
    int DragOver(TShiftState shift, TPoint point);
    virtual void DragLeave() {}
    int Drop(const QMimeData& data, TShiftState shift, TPoint point);

protected:
    // The keys held at the last drag event.
    TShiftState KeyState;

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
// Runs a drag of the text from source until it is dropped or given up, through the dialog seam;
// returns DRAGDROP_S_DROP with the effect the drop had, or DRAGDROP_S_CANCEL (effect none).
int StartTextDoDragDrop(TDropFamily family, QObject& source, const AnsiString& text, const AnsiString& rtf,
                        int allowedEffects, int& effect);
