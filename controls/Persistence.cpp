#include "controls/Persistence.h"

#include "framework/IniFiles.h"
#include "framework/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

AnsiString TPersistence::IniFileName() {
    if (Key.IsEmpty())
        Key = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString() + ".INI";
    const QString key = QString::fromStdString(Key.str());
    if (QFileInfo(key).fileName() != key)
        return Key;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(key).toStdString();
}

AnsiString TPersistence::Read(const AnsiString& ident, const AnsiString& Default) {
    if (Location == plRegistry)
        return TRegistryIniFile(Key).ReadString(Section, ident, Default);
    return TIniFile(IniFileName()).ReadString(Section, ident, Default);
}

void TPersistence::Write(const AnsiString& ident, const AnsiString& value) {
    if (Location == plRegistry)
        TRegistryIniFile(Key).WriteString(Section, ident, value);
    else
        TIniFile(IniFileName()).WriteString(Section, ident, value);
}
