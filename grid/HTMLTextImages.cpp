// The pictures IMG sources name: the image list, system icons, the container and the cache.
#include "grid/HTMLTextLayout.h"

#include "framework/ImageList.h"
#include "grid/Picturecontainer.h"

#include <QIcon>
#include <QMimeDatabase>

#include <charconv>

namespace {

bool StartsNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(s[i])) != prefix[i])
            return false;
    return true;
}

// The icon of the name's type, found by its extension alone: the file is never read.
QImage SystemIcon(std::string_view name, int size) {
    QString iconName = QStringLiteral("folder");
    if (!name.ends_with('/')) {
        const QMimeType type = QMimeDatabase().mimeTypeForFile(
            QString::fromUtf8(name.data(), static_cast<int>(name.size())), QMimeDatabase::MatchExtension);
        iconName = type.iconName();
    }
    QIcon icon = QIcon::fromTheme(iconName, QIcon::fromTheme(QStringLiteral("text-x-generic")));
    QImage image = icon.pixmap(size, size).toImage();
    if (image.isNull()) {
        // No icon theme: an empty square keeps the room the icon takes.
        image = QImage(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
    }
    return image;
}

} // namespace

HTMLPicture FindHTMLPicture(std::string_view source, const HTMLSources& sources) {
    if (StartsNoCase(source, "IDX:")) {
        int index = -1;
        const std::string_view digits = source.substr(4);
        std::from_chars(digits.data(), digits.data() + digits.size(), index);
        return {sources.Images ? sources.Images->GetImage(index) : QImage(), false};
    }
    if (StartsNoCase(source, "SSYS:"))
        return {SystemIcon(source.substr(5), 16), false};
    if (StartsNoCase(source, "LSYS:"))
        return {SystemIcon(source.substr(5), 32), false};
    const THTMLPicture* picture = nullptr;
    if (source.find(':') == source.npos) {
        if (sources.Container)
            picture = sources.Container->FindPicture(AnsiString(source));
    } else if (source.find("://") != source.npos && sources.Cache) {
        const AnsiString address = AnsiString(source).UpperCase();
        picture = sources.Cache->FindPicture(address);
        if (!picture) {
            THTMLPicture* added = sources.Cache->AddPicture();
            added->Asynchronous = false;
            added->ID = address;
            // A picture that does not load stays empty and is not tried again.
            try {
                added->LoadFromURL(AnsiString(source));
            } catch (const std::exception&) {
            }
            picture = added;
        }
    }
    if (!picture || picture->GetEmpty())
        return {};
    return {picture->Image(), picture->GetFrameCount() > 1};
}
