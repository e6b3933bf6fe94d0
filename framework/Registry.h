#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <QString>

// Settings kept as the registry keeps them, read and written as an INI file is: under Key (its
// '\' taken as '/'), a Section, then an Ident. The store is the user's QSettings in its native
// format.
class TRegistryIniFile : public TObject {
public:
    explicit TRegistryIniFile(const AnsiString& Key);

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                          const AnsiString& Default) const;
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value);

    const AnsiString Key;

private:
    QString Path(const AnsiString& Section, const AnsiString& Ident) const;
};
