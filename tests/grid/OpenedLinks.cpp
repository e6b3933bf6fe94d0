#include "tests/grid/OpenedLinks.h"

#include <QDesktopServices>

namespace {
const char* const Schemes[] = {"http", "https", "mailto", "file"};
}

OpenedLinks::OpenedLinks() {
    for (const char* scheme : Schemes)
        QDesktopServices::setUrlHandler(scheme, this, "Open");
}

OpenedLinks::~OpenedLinks() {
    for (const char* scheme : Schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void OpenedLinks::Open(const QUrl& url) {
    links.push_back(url.toString().toStdString());
}
