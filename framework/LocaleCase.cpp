#include "framework/LocaleCase.h"

#include <QLocale>

AnsiString AnsiUpperCase(const AnsiString& S) {
    return QLocale().toUpper(QString::fromStdString(S.str())).toStdString();
}

AnsiString AnsiLowerCase(const AnsiString& S) {
    return QLocale().toLower(QString::fromStdString(S.str())).toStdString();
}
