#include "network/NetworkNames.h"

TNameFault NameFaultOf(std::string_view name) {
    if (name.empty())
        return nfEmpty;
    if (name.find_first_of(" \t\n\v\f\r") != std::string_view::npos)
        return nfBlank;
    return name.front() == '#' ? nfHash : nfNone;
}

AnsiString TypedName(const AnsiString& text) {
    return text.Trim();
}

AnsiString TypedNameRefusal(const AnsiString& name) {
    const TNameFault fault = NameFaultOf(name.view());
    if (fault != nfBlank && fault != nfHash)
        return {};
    return "The name \"" + name +
           "\" cannot be used: a sewer or junction name is one word, without blanks, " +
           "and does not begin with \"#\".";
}
