#pragma once

#include "framework/Graphics.h"

class QAbstractScrollArea;

// The common controls' flat scroll bars, drawn by our own style over a scroll area's two bars.
// Values are those of the platform's flat scroll bar calls.
enum TScrollBarKind { SB_HORZ = 0, SB_VERT = 1 };
enum TFlatScrollProp {
    WSB_PROP_CYVSCROLL = 0x1,
    WSB_PROP_CXHSCROLL = 0x2,
    WSB_PROP_CYHSCROLL = 0x4,
    WSB_PROP_CXVSCROLL = 0x8,
    WSB_PROP_VSTYLE = 0x100,
    WSB_PROP_HSTYLE = 0x200,
    WSB_PROP_VBKGCOLOR = 0x40,
    WSB_PROP_HBKGCOLOR = 0x80,
};
enum TFlatScrollMode { FSB_REGULAR_MODE = 0, FSB_ENCARTA_MODE = 1, FSB_FLAT_MODE = 2 };

// A bar's range as the platform counts it: nMax is the last unit, nPage units show at once.
struct TScrollInfo {
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
};

// Puts the flat bars in place of the area's own (regular mode until told otherwise).
bool InitializeFlatSB(QAbstractScrollArea& area);
// Gives the area back its style's own bars.
void UninitializeFlatSB(QAbstractScrollArea& area);
bool FlatSB_SetScrollProp(QAbstractScrollArea& area, int index, int value, bool redraw);
// A bar's width as drawn (the style's for one set below 1) or its style; 0 for other properties.
int FlatSB_GetScrollProp(const QAbstractScrollArea& area, int index);
bool FlatSB_ShowScrollBar(QAbstractScrollArea& area, int bar, bool show);
// Sets a bar without a scroll message, as setting it from code sends none.
int FlatSB_SetScrollInfo(QAbstractScrollArea& area, int bar, const TScrollInfo& info, bool redraw);
TScrollInfo FlatSB_GetScrollInfo(const QAbstractScrollArea& area, int bar);
