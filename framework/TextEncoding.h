#pragma once

#include <string>
#include <string_view>

// Bytes of a text file as the UTF-8 the program holds: each UTF-8 character stays as it is, and each
// byte that is not part of one is taken as Windows-1252, the code page files of the program's past
// were written in (so a file edited in both keeps every character).
std::string TextFromFileBytes(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
// Bytes of the character at bytes[at] as TextFromFileBytes reads it: a UTF-8 character's, or 1 for
// a byte that is not part of one (a Windows-1252 character); 0 at the end.
std::size_t FileCharacterLength(std::string_view bytes, std::size_t at);
// Text (UTF-8, a stray byte taken as Windows-1252) as bytes of code page 850, the Western European
// OEM page, a character the page lacks becoming '?'; and such bytes as UTF-8.
std::string OemFromText(std::string_view text);
std::string TextFromOem(std::string_view bytes);

// Positions in UTF-8 text (bytes before the position), as the framework's strings count, against
// the UTF-16 units Qt's text views count. A position inside a character's bytes counts as the
// character's start.
int Utf16Position(std::string_view utf8, int bytePosition);
int BytePosition(std::string_view utf8, int utf16Position);
// The position at a character boundary at or before bytePosition, and the next and previous
// character's start.
int CharacterStart(std::string_view utf8, int bytePosition);
int NextCharacter(std::string_view utf8, int bytePosition);
int PreviousCharacter(std::string_view utf8, int bytePosition);
// The characters a text holds, each character beyond ASCII counted once; and the bytes its first
// count characters take.
int CharacterCount(std::string_view utf8);
int BytesOfCharacters(std::string_view utf8, int count);
