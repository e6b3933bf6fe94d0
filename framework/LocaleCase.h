#pragma once

#include "framework/AnsiString.h"

// Upper and lower case by the user's locale, beyond ASCII too.
AnsiString AnsiUpperCase(const AnsiString& S);
AnsiString AnsiLowerCase(const AnsiString& S);
