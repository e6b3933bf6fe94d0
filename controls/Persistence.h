#pragma once

#include "framework/AnsiString.h"
#include "framework/Persistent.h"

enum TPersistenceLocation { plInifile, plRegistry };

// Where a box keeps its value between runs: an INI file (Key its name; one without a folder lives
// in the program's settings folder) or the registry store (Key its key), under Section with the
// box's Name as ident.
class TPersistence : public TPersistent {
public:
    bool Enable = false;
    AnsiString Key;
    AnsiString Section;
    TPersistenceLocation Location = plInifile;

    // Default is returned when the entry is missing.
    AnsiString Read(const AnsiString& ident, const AnsiString& Default);
    void Write(const AnsiString& ident, const AnsiString& value);

private:
    // The INI file's path; an empty Key becomes the program's name with ".INI".
    AnsiString IniFileName();
};
