// Pictures of HTML text: decoding and frames, the named container and the cache by address.
#include "grid/Picturecontainer.h"

#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPaintDevice>

#include <algorithm>

namespace {

// FILE:// reads no file larger than this.
constexpr qint64 LargestPictureFile = 20 * 1024 * 1024;
// The decoded frames of one picture take no more than this together: a small GIF of many frames
// on a large screen would take gigabytes. Past it the first frame alone is kept.
constexpr qsizetype LargestDecodedFrames = qsizetype{256} * 1024 * 1024;

bool StartsWith(const AnsiString& s, std::string_view prefix) {
    return s.view().starts_with(prefix);
}

} // namespace

void THTMLPicture::LoadBytes(const QByteArray& bytes) {
    data = bytes;
    frame = 1;
    nextSwitch = -1;
    tickCount = -1;
    LoadPicture();
    Changed();
}

void THTMLPicture::LoadPicture() {
    frames.clear();
    delays.clear();
    empty = true;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    qsizetype decoded = 0;
    for (QImage image; reader.read(&image);) {
        if (!IsDrawablePictureSize(image.size())) {
            frames.clear();
            delays.clear();
            break;
        }
        QImage shown = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        decoded += shown.sizeInBytes();
        if (!frames.empty() && decoded > LargestDecodedFrames) {
            frames.resize(1);
            delays.resize(1);
            break;
        }
        frames.push_back(std::move(shown));
        delays.push_back(std::max(0, reader.nextImageDelay()) / 10);
        if (!reader.supportsAnimation())
            break;
    }
    if (frames.empty())
        throw Exception("Could not load image. Invalid format");
    empty = false;
    frame = std::clamp(frame, 1, static_cast<int>(frames.size()));
}

void THTMLPicture::Changed() {
    if (OnChange)
        OnChange(this);
}

void THTMLPicture::LoadFromFile(const AnsiString& FileName) {
    QFile file(QString::fromStdString(FileName.str()));
    if (!QFileInfo(file).isFile() || file.size() > LargestPictureFile || !file.open(QIODevice::ReadOnly))
        throw EFOpenError("Cannot open file \"" + FileName.str() + "\"");
    LoadBytes(file.readAll());
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
    QByteArray bytes(static_cast<qsizetype>(Stream->GetSize() - Stream->GetPosition()), '\0');
    Stream->ReadBuffer(bytes.data(), bytes.size());
    LoadBytes(bytes);
}

void THTMLPicture::SaveToStream(TStream* Stream) const {
    Stream->WriteBuffer(data.constData(), data.size());
}

void THTMLPicture::LoadFromResourceName(unsigned, const AnsiString& Name) {
    QFile file(QString::fromStdString(":/pictures/" + Name.str()));
    if (file.open(QIODevice::ReadOnly))
        LoadBytes(file.readAll());
}

void THTMLPicture::LoadFromResourceID(unsigned Instance, int ResID) {
    LoadFromResourceName(Instance, AnsiString(std::to_string(ResID)));
}

void THTMLPicture::LoadFromURL(const AnsiString& URL) {
    const AnsiString upper = URL.UpperCase();
    if (StartsWith(upper, "RES://")) {
        ID = upper;
        LoadFromResourceName(0, URL.SubString(7, URL.Length()));
    } else if (StartsWith(upper, "FILE://")) {
        ID = upper;
        LoadFromFile(URL.SubString(8, URL.Length()));
    } else {
        this->URL = upper;
        ID = upper;
    }
}

void THTMLPicture::Assign(const THTMLPicture& Source) {
    if (&Source == this)
        return;
    data = Source.data;
    empty = Source.empty;
    frames = Source.frames;
    delays = Source.delays;
    frame = 1;
    nextSwitch = -1;
    tickCount = -1;
    Stretch = Source.Stretch;
    Changed();
}

QImage THTMLPicture::Image() const {
    return empty ? QImage() : frames[static_cast<std::size_t>(frame - 1)];
}

void THTMLPicture::Draw(TCanvas* Canvas, const TRect& rect) const {
    if (empty)
        return;
    const QImage image = Image();
    if (Stretch) {
        Canvas->StretchDraw(rect, image);
        return;
    }
    const QPaintDevice* device = Canvas->Device();
    const int dpiX = device ? device->logicalDpiX() : 96;
    const int dpiY = device ? device->logicalDpiY() : 96;
    Canvas->StretchDraw(Rect(rect.Left, rect.Top, rect.Left + image.width() * dpiX / 96,
                             rect.Top + image.height() * dpiY / 96),
                        image);
}

int THTMLPicture::GetWidth() const {
    return empty ? 0 : Image().width() * PixelsPerInchX / 96;
}

int THTMLPicture::GetHeight() const {
    return empty ? 0 : Image().height() * PixelsPerInchY / 96;
}

bool THTMLPicture::IsGIFFile() const {
    return data.size() > 4 && data.startsWith("GIF8");
}

int THTMLPicture::GetFrameCount() const {
    return IsGIFFile() && !empty ? static_cast<int>(frames.size()) : -1;
}

int THTMLPicture::GetFrameTime(int Frame) const {
    if (!IsGIFFile() || Frame < 1 || Frame > static_cast<int>(delays.size()))
        return -1;
    return delays[static_cast<std::size_t>(Frame - 1)];
}

void THTMLPicture::SetFrame(int Frame) {
    frame = empty ? Frame : std::clamp(Frame, 1, static_cast<int>(frames.size()));
    if (!data.isEmpty() && OnFrameChange)
        OnFrameChange(this);
}

void THTMLPicture::FrameNext() {
    frame = frame >= GetFrameCount() ? 1 : frame + 1;
}

void THTMLPicture::FramePrev() {
    frame = frame <= 1 ? std::max(1, GetFrameCount()) : frame - 1;
}

bool THTMLPicture::Step() {
    if (empty || GetFrameCount() <= 1)
        return false;
    bool changed = false;
    if (nextSwitch == -1)
        nextSwitch = GetFrameTime(frame);
    if (tickCount * 10 >= nextSwitch) {
        FrameNext();
        nextSwitch += GetFrameTime(frame);
        changed = true;
    }
    ++tickCount;
    return changed;
}

TPictureItem::TPictureItem() : Picture(std::make_unique<THTMLPicture>()) {}

void TPictureItem::Assign(const TPersistent& Source) {
    const auto* item = dynamic_cast<const TPictureItem*>(&Source);
    if (!item) {
        TCollectionItem::Assign(Source);
        return;
    }
    Name = item->Name;
    Tag = item->Tag;
    Picture->Assign(*item->Picture);
}

TPictureCollection::TPictureCollection(TComponent* owner)
    : TCollection([] { return std::make_unique<TPictureItem>(); }), owner(owner) {}

bool TPictureCollection::Animate() {
    bool changed = false;
    for (int i = 0; i < Count(); ++i)
        changed |= Items(i)->Picture->Step();
    return changed;
}

TPictureContainer::TPictureContainer(TComponent* owner) : TComponent(owner), Items(this) {}

THTMLPicture* TPictureContainer::FindPicture(const AnsiString& Name) const {
    const AnsiString wanted = Name.UpperCase();
    for (int i = 0; i < Items.Count(); ++i)
        if (Items.Items(i)->Name.UpperCase() == wanted)
            return Items.Items(i)->Picture.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::AddPicture() {
    pictures.push_back(std::make_unique<THTMLPicture>());
    return pictures.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const AnsiString& URL) const {
    for (const auto& picture : pictures)
        if (picture->ID == URL)
            return picture.get();
    return nullptr;
}

bool THTMLPictureCache::Animate() {
    bool changed = false;
    for (const auto& picture : pictures)
        changed |= picture->Step();
    return changed;
}
