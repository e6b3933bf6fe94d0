#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <string>
#include <vector>

// A settings file of "[section]" lines, each followed by its "key=value" lines. Sections and keys
// match whatever their case; a value read loses the blanks around it and a pair of quotes
// enclosing it, so a value written that would lose either is written in quotes. A value is written
// on one line, each line break in it as a blank. Every write goes to the file at once; a file that
// cannot be written raises EFCreateError and stays as it was.
class TIniFile : public TObject {
public:
    // A missing file reads as an empty one.
    explicit TIniFile(const AnsiString& FileName);

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                          const AnsiString& Default) const;
    // The default also for a value that is no whole number.
    int ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const;
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value);
    void WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value);

    const AnsiString FileName;

private:
    // The line of the key within the section, or -1; with a section of its own when missing.
    int FindKey(const AnsiString& Section, const AnsiString& Ident, int& sectionEnd) const;

    std::vector<std::string> lines;
};
