#pragma once

#include <string>
#include <string_view>

// Bytes of a text file as the UTF-8 the program holds: valid UTF-8 stays as it is, anything else
// is taken as Windows-1252, the code page files of the program's past were written in.
std::string TextFromFileBytes(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
