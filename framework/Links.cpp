#include "framework/Links.h"

#include "framework/Application.h"

#include <QUrl>

void FollowLink(const AnsiString& address) {
    QString target = QString::fromStdString(address.str()).trimmed();
    if (!target.contains("://") && target.indexOf('@') > 0 &&
        !target.startsWith("mailto:", Qt::CaseInsensitive))
        target = "mailto:" + target;
    const QUrl url(target);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == "http" || scheme == "https" || scheme == "mailto"))
        ShellExecute("open", target.toStdString());
}
