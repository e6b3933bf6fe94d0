// Drawing helpers of the grid's utilities.
#include "grid/Gridutil.h"

#include "framework/Bitmap.h"

#include <QFile>

#include <algorithm>

#include <string>
#include <vector>

void DrawBitmapTransp(TCanvas& Canvas, const TBitmap& Bitmap, TColor BkColor, const TRect& R) {
    if (Bitmap.Empty())
        return;
    TBitmap work;
    work.SetSize(Bitmap.Width(), Bitmap.Height());
    work.Canvas->Brush = TBrush{BkColor, bsSolid};
    work.Canvas->FillRect(Rect(0, 0, Bitmap.Width(), Bitmap.Height()));
    TBitmap transparent;
    transparent.Assign(Bitmap);
    transparent.Transparent = true;
    work.Canvas->Draw(0, 0, transparent);
    Canvas.StretchDraw(R, work);
}

void DrawBitmapResourceTransp(TCanvas& Canvas, TColor BkColor, const TRect& R,
                              const AnsiString& ResourceName) {
    const AnsiString path = ":/pictures/" + ResourceName + ".png";
    if (!QFile::exists(QString::fromStdString(path.str())))
        return;
    TBitmap bitmap;
    bitmap.LoadFromFile(path);
    DrawBitmapTransp(Canvas, bitmap, BkColor, R);
}

void DrawErrorLines(const TControl&, TCanvas& Canvas, const AnsiString& S, const TRect& R, int YOffset,
                    int ErrPos, int ErrLen) {
    // Where each character starts, counted in characters, not bytes.
    std::vector<int> starts;
    std::string prefix;
    for (char c : S.view()) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            starts.push_back(R.Left + Canvas.TextWidth(prefix));
        prefix += c;
    }
    const int count = static_cast<int>(starts.size());
    if (count == 0)
        return;
    auto at = [&](int index) { return starts[static_cast<std::size_t>(std::clamp(index, 0, count - 1))]; };
    int start = 0;
    if (ErrPos >= count) {
        start = at(ErrPos - 1) + 4;
        --ErrPos;
    } else {
        start = at(ErrPos);
    }
    const int last = ErrPos + ErrLen - 1;
    const int end = ErrPos + ErrLen >= count ? at(last) + 4 : at(last);
    const int line = R.Top + YOffset;
    std::vector<TPoint> zigzag;
    for (int x = start, step = 0; x <= end + 3; x += 3, ++step)
        zigzag.push_back(Point(x, line + (step % 2 == 0 ? 3 : 0)));
    Canvas.Pen = TPen{clRed, 2, psSolid, pmCopy};
    Canvas.Polyline(zigzag);
}
