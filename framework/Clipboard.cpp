#include "framework/Clipboard.h"

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

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}
