#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Printer.h"
#include "framework/Screen.h"

#include <algorithm>

std::unique_ptr<TBitmap> TForm::GetFormImage() const {
    auto image = std::make_unique<TBitmap>();
    image->SetSize(ClientWidth(), ClientHeight());
    if (!image->Empty())
        ClientView()->render(image->Canvas->Device());
    return image;
}

bool TForm::Print() const {
    const std::unique_ptr<TBitmap> image = GetFormImage();
    TPrinter& printer = *Printer();
    printer.Title = GetCaption();
    if (!printer.BeginDoc())
        return false;
    const ScopedPrintJob job(printer);
    // A screen pixel becomes as many printer pixels as the two resolutions differ; a window
    // larger than the sheet shrinks to it rather than lose its right or bottom part.
    const int screen = Screen ? Screen->PixelsPerInch() : 96;
    const double width = static_cast<double>(image->Width()) * printer.PixelsPerInchX() / screen;
    const double height = static_cast<double>(image->Height()) * printer.PixelsPerInchY() / screen;
    const double fit = std::min({1.0, printer.PageWidth() / width, printer.PageHeight() / height});
    printer.Canvas->StretchDraw(Rect(0, 0, static_cast<int>(width * fit), static_cast<int>(height * fit)),
                                *image);
    printer.EndDoc();
    return true;
}
