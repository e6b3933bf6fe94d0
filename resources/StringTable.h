#pragma once

#include "framework/AnsiString.h"

// The program's string table: captions, hints and messages by id. An unknown id gives "".
AnsiString LoadStr(int id);
