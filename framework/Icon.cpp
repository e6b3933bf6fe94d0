#include "framework/Icon.h"

#include "framework/Exceptions.h"

void TIcon::LoadFromFile(const AnsiString& fileName) {
    QImage loaded;
    if (!loaded.load(QString::fromStdString(fileName.str())))
        throw EInvalidGraphic("Icon image is not valid");
    SetImage(loaded);
}
