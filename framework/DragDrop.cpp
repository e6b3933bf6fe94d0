#include "framework/DragDrop.h"

#include "framework/Dialogs.h"

#include <QMimeData>
#include <QUrl>

namespace {

bool rtfAware[2] = {false, false};

const char* const RTFFormats[] = {"text/rtf", "application/rtf"};

} // namespace

void SetRTFAware(TDropFamily family, bool value) {
    rtfAware[static_cast<int>(family)] = value;
}

bool RTFAware(TDropFamily family) {
    return rtfAware[static_cast<int>(family)];
}

int StandardEffect(TShiftState shift) {
    return shift.Contains(ssCtrl) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

TEnumFormats::TEnumFormats(const QMimeData& data) : data(data) {}

bool TEnumFormats::HasText() const {
    return data.hasFormat("text/plain");
}

bool TEnumFormats::HasRTF() const {
    return data.hasFormat(RTFFormats[0]) || data.hasFormat(RTFFormats[1]);
}

bool TEnumFormats::HasFile() const {
    std::vector<AnsiString> files;
    return SomeFiles(files);
}

AnsiString TEnumFormats::Text() const {
    return HasText() ? AnsiString(data.text().toStdString()) : AnsiString();
}

AnsiString TEnumFormats::RTF() const {
    for (const char* format : RTFFormats)
        if (data.hasFormat(format))
            return data.data(format).toStdString();
    return {};
}

bool TEnumFormats::SomeFiles(std::vector<AnsiString>& files) const {
    files.clear();
    if (!data.hasFormat("text/uri-list"))
        return false;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toStdString());
    return !files.empty();
}

void TAEDropTarget::DropText(TPoint, const AnsiString&) {}
void TAEDropTarget::DropRTF(TPoint, const AnsiString&) {}
void TAEDropTarget::DropFiles(TPoint, const std::vector<AnsiString>&) {}

void TAEDropTarget::DragMouseMove(TPoint, bool& allow) {
    allow = true;
}

int TAEDropTarget::DragEnter(const QMimeData& data, TShiftState shift, TPoint) {
    const TEnumFormats formats(data);
    accept = formats.HasText() || formats.HasFile() || (formats.HasRTF() && RTFAware(family));
    KeyState = shift;
    return accept ? StandardEffect(shift) : DROPEFFECT_NONE;
}

int TAEDropTarget::DragOver(TShiftState shift, TPoint point) {
    KeyState = shift;
    const int effect = accept ? StandardEffect(shift) : DROPEFFECT_NONE;
    bool allow = true;
    DragMouseMove(point, allow);
    return allow ? effect : DROPEFFECT_NONE;
}

int TAEDropTarget::Drop(const QMimeData& data, TShiftState shift, TPoint point) {
    KeyState = shift;
    if (!accept)
        return DROPEFFECT_NONE;
    const TEnumFormats formats(data);
    if (formats.HasRTF() && RTFAware(family))
        DropRTF(point, formats.RTF());
    else if (formats.HasText())
        DropText(point, formats.Text());
    if (std::vector<AnsiString> files; formats.SomeFiles(files))
        DropFiles(point, files);
    return StandardEffect(shift);
}

std::unique_ptr<QMimeData> SourceData(TDropFamily family, const AnsiString& text, const AnsiString& rtf) {
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(text.str()));
    if (RTFAware(family))
        data->setData(RTFFormats[0], QByteArray::fromStdString(rtf.str()));
    return data;
}

int StartTextDoDragDrop(TDropFamily family, QObject& source, const AnsiString& text, const AnsiString& rtf,
                        int allowedEffects, int& effect) {
    effect = CurrentDialogResponder().DoDragDrop(source, SourceData(family, text, rtf), allowedEffects);
    return effect == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}
