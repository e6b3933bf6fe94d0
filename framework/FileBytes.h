#pragma once

#include "framework/AnsiString.h"

#include <string>
#include <string_view>

// Whole files as bytes.

// False when the file cannot be opened for reading (missing, a directory); a read that fails
// once the file is open raises EInOutError.
bool ReadFileBytes(const AnsiString& FileName, std::string& Bytes);

// Writes Bytes as the file's new content, or after its old bytes with Append (a missing file is
// then created). The file changes only once everything is written, so a failure keeps it as it
// was. False when the file cannot be created, or, appending, an existing file cannot be read; a
// write that fails raises EInOutError with the system's reason and the file name.
bool WriteFileBytes(const AnsiString& FileName, std::string_view Bytes, bool Append = false);
