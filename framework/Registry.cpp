#include "framework/Registry.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

QSettings Store() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::organizationName(),
                     QCoreApplication::applicationName());
}

} // namespace

TRegistryIniFile::TRegistryIniFile(const AnsiString& Key) : Key(Key) {}

QString TRegistryIniFile::Path(const AnsiString& Section, const AnsiString& Ident) const {
    QString key = QString::fromStdString(Key.str()).replace('\\', '/');
    while (key.endsWith('/'))
        key.chop(1);
    return key + '/' + QString::fromStdString(Section.str()) + '/' + QString::fromStdString(Ident.str());
}

AnsiString TRegistryIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident,
                                        const AnsiString& Default) const {
    const QVariant value = Store().value(Path(Section, Ident));
    return value.isValid() ? AnsiString(value.toString().toStdString()) : Default;
}

void TRegistryIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident,
                                   const AnsiString& Value) {
    Store().setValue(Path(Section, Ident), QString::fromStdString(Value.str()));
}
