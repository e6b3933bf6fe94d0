#pragma once

#include "framework/AnsiString.h"

#include <string_view>

// What keeps the network file from giving a sewer or junction name back as it stands: the file
// reads a name as the first blank-delimited word of its line and skips lines beginning with "#".
enum TNameFault { nfNone, nfEmpty, nfBlank, nfHash };
TNameFault NameFaultOf(std::string_view name);

// A name typed into an editor's box: the blanks around it are not part of it.
AnsiString TypedName(const AnsiString& text);

// The editors' refusal of a typed name (already trimmed) that holds a blank or begins with "#",
// naming the rule and the name; empty for any other name, an empty one included, which each
// editor reports with its own message.
AnsiString TypedNameRefusal(const AnsiString& name);
