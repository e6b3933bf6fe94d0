#include "framework/DragDrop.h"

#include "framework/Dialogs.h"

#include <QMimeData>
#include <QPixmap>
#include <QUrl>

#include <cstdint>
#include <utility>

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

bool TEnumFormats::HasCol() const {
    return data.hasFormat(MimeGridColumn);
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

int TEnumFormats::Col() const {
    const QByteArray bytes = data.data(MimeGridColumn);
    if (bytes.size() < 4)
        return -1;
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = bits << 8 | static_cast<std::uint8_t>(bytes[i]);
    return static_cast<std::int32_t>(bits);
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

bool TAEDropTarget::DropText(TPoint, const AnsiString&) {
    return false;
}

bool TAEDropTarget::DropRTF(TPoint, const AnsiString&) {
    return false;
}

bool TAEDropTarget::DropCol(TPoint, int) {
    return false;
}

bool TAEDropTarget::DropFiles(TPoint, const std::vector<AnsiString>&) {
    return false;
}

void TAEDropTarget::DragMouseMove(TPoint, bool& allow) {
    allow = true;
}

int TAEDropTarget::DragEnter(const QMimeData& data, TShiftState shift, TPoint) {
    const TEnumFormats formats(data);
    accept = (formats.HasText() && AcceptText) || (formats.HasFile() && AcceptFiles) ||
             (formats.HasRTF() && RTFAware(family) && AcceptText) || (formats.HasCol() && AcceptCols);
    Formats = {};
    const std::pair<bool, TDropFormat> offered[] = {{formats.HasText(), dfText},
                                                    {formats.HasFile(), dfFile},
                                                    {formats.HasCol(), dfCol},
                                                    {formats.HasRTF(), dfRTF}};
    for (const auto& [has, format] : offered)
        if (has)
            Formats << format;
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
    bool dropped = false;
    PartTaken = false;
    if (formats.HasCol())
        dropped = DropCol(point, formats.Col());
    else if (formats.HasRTF() && RTFAware(family) && !formats.RTF().IsEmpty())
        dropped = DropRTF(point, formats.RTF());
    else if (formats.HasText())
        dropped = DropText(point, formats.Text());
    if (std::vector<AnsiString> files; formats.SomeFiles(files))
        dropped = DropFiles(point, files) || dropped;
    if (!dropped)
        return DROPEFFECT_NONE;
    return PartTaken ? DROPEFFECT_COPY : StandardEffect(shift);
}

std::unique_ptr<QMimeData> SourceData(TDropFamily family, const AnsiString& text, const AnsiString& rtf) {
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(text.str()));
    if (RTFAware(family))
        data->setData(RTFFormats[0], QByteArray::fromStdString(rtf.str()));
    return data;
}

std::unique_ptr<QMimeData> ColumnData(int col) {
    auto data = std::make_unique<QMimeData>();
    data->setData("text/plain", QByteArray());
    data->setData(RTFFormats[0], QByteArray());
    const auto bits = static_cast<std::uint32_t>(col);
    QByteArray bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(static_cast<char>(bits >> shift & 0xFF));
    data->setData(MimeGridColumn, bytes);
    return data;
}

namespace {

int RunDrag(QObject& source, std::unique_ptr<QMimeData> data, const QPixmap& label, int allowedEffects,
            int& effect) {
    effect = CurrentDialogResponder().DoDragDrop(source, std::move(data), allowedEffects, label);
    return effect == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}

} // namespace

int StartTextDoDragDrop(TDropFamily family, QObject& source, const AnsiString& text, const AnsiString& rtf,
                        int allowedEffects, int& effect) {
    return RunDrag(source, SourceData(family, text, rtf), QPixmap(), allowedEffects, effect);
}

int StartColDoDragDrop(QObject& source, int col, const QPixmap& label, int allowedEffects, int& effect) {
    return RunDrag(source, ColumnData(col), label, allowedEffects, effect);
}
