#pragma once

#include "framework/AnsiString.h"

// Opens a web or mail address with what the desktop has for it: only http, https and mailto are
// followed (a file named is never opened), and a bare "name@host" opens as a mail address.
void FollowLink(const AnsiString& address);
