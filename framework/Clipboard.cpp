#include "framework/Clipboard.h"

#include "framework/Bitmap.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool TClipboard::HasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

AnsiString TClipboard::GetAsText() const {
    return QGuiApplication::clipboard()->text().toStdString();
}

void TClipboard::SetAsText(const AnsiString& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text.str()));
}

void TClipboard::Assign(const TBitmap& bitmap) {
    QGuiApplication::clipboard()->setImage(bitmap.Image());
}

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}
