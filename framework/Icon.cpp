#include "framework/Icon.h"

#include "framework/Exceptions.h"
#include "framework/Picture.h"

void TIcon::LoadFromFile(const AnsiString& fileName) {
    QImage loaded;
    if (!loaded.load(QString::fromStdString(fileName.str())) || !IsDrawablePictureSize(loaded.size()))
        throw EInvalidGraphic("Icon image is not valid");
    SetImage(loaded);
}
