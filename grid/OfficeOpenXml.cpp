#include "grid/OfficeOpenXml.h"

#include "framework/TextEncoding.h"

AnsiString CannotOpenMessage(const AnsiString& FileName) {
    return "Cannot open file " + FileName;
}

AnsiString CannotCreateMessage(const AnsiString& FileName) {
    return "Cannot Create file " + FileName;
}

AnsiString CorruptFileMessage(const AnsiString& FileName) {
    return "File contains no data or corrupt file " + FileName;
}

// A sheet is named as the workbook names it, a byte of the name that is no UTF-8 read as
// Windows-1252.
AnsiString SheetNotFoundMessage(const AnsiString& SheetName) {
    return "Excel worksheet " + TextFromFileBytes(SheetName.view()) + " not found";
}

AnsiString InvalidSheetNameMessage(const AnsiString& SheetName) {
    return "Invalid worksheet name " + TextFromFileBytes(SheetName.view());
}

AnsiString ColumnLetters(int Col) {
    std::string letters;
    for (; Col > 0; Col = (Col - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (Col - 1) % 26));
    return letters;
}

AnsiString CellAddress(int Col, int Row) {
    return ColumnLetters(Col) + AnsiString(std::to_string(Row));
}
