#include "framework/Bitmap.h"
#include "framework/Form.h"

std::unique_ptr<TBitmap> TForm::GetFormImage() const {
    auto image = std::make_unique<TBitmap>();
    image->SetSize(ClientWidth(), ClientHeight());
    if (!image->Empty())
        ClientView()->render(image->Canvas->Device());
    return image;
}
