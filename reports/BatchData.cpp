#include "reports/BatchData.h"

#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/NumberFormat.h"
#include "grid/CsvFormat.h"
#include "grid/TextLines.h"
#include "reports/FileNumber.h"

#include <cmath>
#include <string>
#include <utility>

namespace {

class SewerLine {
public:
    SewerLine(const AnsiString& fileName, const std::vector<AnsiString>& fields, int line)
        : fileName(fileName), fields(fields), line(line) {}

    BatchRow Row() const {
        using namespace BatchColumns;
        if (static_cast<int>(fields.size()) < FieldsNeeded)
            Refuse("line " + IntToStr(line) + ", field " + IntToStr(static_cast<int>(fields.size()) + 1) +
                   " is missing: a sewer's line has at least " + IntToStr(FieldsNeeded) + " fields.");
        BatchRow row;
        row.Line = line;
        row.Name = fields[Name];
        if (row.Name.Trim().IsEmpty())
            Refuse(Holds(Name, "a sewer name"));
        row.Length = Number(Length, "a length above 0 m");
        if (!(row.Length > 0))
            Refuse(Holds(Length, "a length above 0 m"));
        if (!TryStrToInt(fields[Houses].Trim(), row.Houses) || row.Houses < 0)
            Refuse(Holds(Houses, "a whole number of houses, 0 or more"));
        row.SupplementaryFlow = Number(SupplementaryFlow, "a flow of 0 litres per day or more");
        if (row.SupplementaryFlow < 0)
            Refuse(Holds(SupplementaryFlow, "a flow of 0 litres per day or more"));
        row.USJunction = fields[USJunction];
        row.DSJunction = fields[DSJunction];
        row.Zu = Number(USGroundLevel, "an upstream ground level in m");
        row.Zd = Number(DSGroundLevel, "a downstream ground level in m");
        return row;
    }

    [[noreturn]] void Refuse(const AnsiString& why) const {
        throw EConvertError("The data file " + fileName + " was not loaded: " + why);
    }

private:
    AnsiString Holds(int column, const char* what) const {
        return "line " + IntToStr(line) + ", field " + IntToStr(column + 1) + " holds \"" + fields[column] +
               "\", which is not " + what + ".";
    }

    double Number(int column, const char* what) const {
        double value = 0;
        if (!ReadFileNumber(fields[column], value) || !std::isfinite(value))
            Refuse(Holds(column, what));
        return value;
    }

    const AnsiString& fileName;
    const std::vector<AnsiString>& fields;
    int line;
};

bool AllEmpty(const std::vector<AnsiString>& fields) {
    for (const AnsiString& field : fields)
        if (!field.Trim().IsEmpty())
            return false;
    return true;
}

} // namespace

BatchData ReadBatchData(std::string_view text, const AnsiString& fileName) {
    const FieldTable table = ReadCsvRecords(text, ',', false);
    BatchData data;
    for (int r = 0; r < table.RowCount(); ++r) {
        std::vector<AnsiString> fields;
        fields.reserve(static_cast<std::size_t>(table.FieldCount(r)));
        for (int f = 0; f < table.FieldCount(r); ++f)
            fields.emplace_back(table.Field(r, f));
        if (AllEmpty(fields))
            continue;
        if (!data.Records.empty())
            data.Rows.push_back(SewerLine(fileName, fields, r + 1).Row());
        data.Records.push_back(std::move(fields));
    }
    if (data.Records.empty())
        throw EConvertError("The data file " + fileName + " was not loaded: it holds no lines.");
    return data;
}

BatchData ReadBatchFile(const AnsiString& fileName) {
    std::string bytes;
    if (!ReadFileBytes(fileName, bytes))
        throw EFOpenError("Cannot open file " + fileName);
    return ReadBatchData(TextOfFileBytes(std::move(bytes), true), fileName);
}
