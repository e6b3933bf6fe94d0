#include "reports/FileNumber.h"

#include "framework/NumberFormat.h"

#include <algorithm>
#include <string>
#include <string_view>

bool ReadFileNumber(const AnsiString& text, double& value) {
    if (TryStrToFloat(text, value))
        return true;
    if (DecimalSeparator == '.')
        return false;
    std::string dotted = text.str();
    std::replace(dotted.begin(), dotted.end(), '.', DecimalSeparator);
    return TryStrToFloat(std::string_view(dotted), value);
}
