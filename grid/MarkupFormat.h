#pragma once

#include "framework/AnsiString.h"

#include <string>
#include <string_view>

// Pieces of the HTML and XML exports.

// "&", "<", ">" and the double quote as entities, so a text shows as it stands.
std::string EscapeMarkup(std::string_view text);
// A text holding "://" or "mailto:" made a link to itself, in quotes; it shows whole with
// URLFull, else from after "://" or "mailto:" (at most 255 characters). A text already holding
// "</" stays as it is.
AnsiString WithLinks(const AnsiString& text, bool URLFull);
