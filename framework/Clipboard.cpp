#include "framework/Clipboard.h"

#include "framework/Bitmap.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <string_view>

namespace {

const QMimeData* Current() {
    return QGuiApplication::clipboard()->mimeData();
}

} // namespace

TClipboard::TClipboard() = default;
TClipboard::~TClipboard() = default;

void TClipboard::Open() {
    ++openCount;
}

void TClipboard::Close() {
    if (openCount == 0)
        return;
    --openCount;
    HandOverUnlessOpen();
}

bool TClipboard::HasText() const {
    const QMimeData* data = Current();
    return data && data->hasText();
}

bool TClipboard::HasFormat(const AnsiString& MimeType) const {
    const QMimeData* data = Current();
    return data && data->hasFormat(QString::fromStdString(MimeType.str()));
}

AnsiString TClipboard::GetAsText() const {
    return QGuiApplication::clipboard()->text().toStdString();
}

void TClipboard::SetAsText(const AnsiString& text) {
    Data().setText(QString::fromStdString(text.str()));
    HandOverUnlessOpen();
}

AnsiString TClipboard::GetAsBytes(const AnsiString& MimeType) const {
    const QMimeData* data = Current();
    if (!data)
        return {};
    const QByteArray bytes = data->data(QString::fromStdString(MimeType.str()));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void TClipboard::SetAsBytes(const AnsiString& MimeType, const AnsiString& bytes) {
    Data().setData(QString::fromStdString(MimeType.str()),
                   QByteArray(bytes.c_str(), static_cast<qsizetype>(bytes.Length())));
    HandOverUnlessOpen();
}

QMimeData& TClipboard::Data() {
    if (!pending)
        pending = std::make_unique<QMimeData>();
    return *pending;
}

void TClipboard::HandOverUnlessOpen() {
    if (openCount == 0 && pending)
        QGuiApplication::clipboard()->setMimeData(pending.release());
}

void TClipboard::Assign(const TBitmap& bitmap) {
    SetAsImage(bitmap.Image());
}

void TClipboard::SetAsImage(const QImage& image) {
    Data().setImageData(image);
    HandOverUnlessOpen();
}

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}

AnsiString PastedLine(const AnsiString& pasted) {
    const auto lineEnd = pasted.view().find_first_of("\r\n");
    return lineEnd == std::string_view::npos ? pasted : pasted.SubString(1, static_cast<int>(lineEnd));
}
