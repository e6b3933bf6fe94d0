#pragma once

#include "framework/AnsiString.h"
#include "framework/CustomEdit.h"
#include "framework/Exceptions.h"

#include <functional>
#include <string>
#include <vector>

// Office Open XML workbooks (.xlsx, .xlsm) and documents (.docx), read and written as files:
// ZIP packages of XML parts. A file changes only once the whole package is written.

inline constexpr char WorkbookFilter[] = "Excel workbooks (*.xlsx;*.xlsm)|*.xlsx;*.xlsm";
inline constexpr char WorkbookExtension[] = "xlsx";
inline constexpr char DocumentFilter[] = "Word documents (*.docx)|*.docx";
inline constexpr char DocumentExtension[] = "docx";

// What goes wrong, with the text the user is shown.
class EOfficeFileError : public Exception {
public:
    using Exception::Exception;
};
AnsiString CannotOpenMessage(const AnsiString& FileName);
AnsiString CannotCreateMessage(const AnsiString& FileName);
AnsiString CorruptFileMessage(const AnsiString& FileName);
AnsiString SheetNotFoundMessage(const AnsiString& SheetName);
AnsiString InvalidSheetNameMessage(const AnsiString& SheetName);

// Column 1 is "A", 26 "Z", 27 "AA", 702 "ZZ", 703 "AAA".
AnsiString ColumnLetters(int Col);
// "B2" for column 2, row 2.
AnsiString CellAddress(int Col, int Row);

// A sheet as read: the rectangle of the cells it lists (1-based, inclusive; all 0 when it lists
// none) and the text of each cell holding a value.
struct WorksheetCells {
    int FirstCol = 0;
    int FirstRow = 0;
    int LastCol = 0;
    int LastRow = 0;
    struct Value {
        int Col;
        int Row;
        AnsiString Text;
    };
    std::vector<Value> Values;
};

// The sheet named SheetName (the last of that name, else the last of that name in other cases, as
// the writer finds it; bytes of the name that are no UTF-8 taken as Windows-1252, as the writer
// takes them), or the active one for an empty name.
// Strings (each "_xHHHH_" in them read as the character it names), numbers (FloatToStr), TRUE
// and FALSE, dates by their number format (DateToStr, or DateTimeToStr with a time; a serial
// outside 0001-01-01 to 9999-12-31 as its number) and cached formula values are read; error
// cells are not. Raises
// EOfficeFileError: the file cannot be opened, the sheet is missing, or the file is no workbook,
// is damaged, or is beyond reason (a part unpacking to more than 256 MiB, a cell beyond XFD1048576,
// a DTD). Only the cells listed take memory: a sheet from A1 to XFD1048576 with little in it reads
// into a grid as large.
WorksheetCells ReadWorksheet(const AnsiString& FileName, const AnsiString& SheetName);

// Texts to write, by 0-based column and row.
struct OfficeCells {
    int Cols = 0;
    int Rows = 0;
    std::function<AnsiString(int Col, int Row)> Text;
};

// A new workbook of the one sheet "Sheet1" holding Cells from A1. A text that StrToFloat reads
// whole is written as a number, any other as a string (characters XML cannot hold, and the text's
// own "_xHHHH_", in the sheet's escape; NUL, which no escape gives back, left out), an empty one
// not at all.
void WriteWorkbook(const AnsiString& FileName, const OfficeCells& Cells);
// Cells from A1 of the sheet named SheetName as ReadWorksheet finds it, replacing the values there
// (the cells keep their styles); a sheet of that name is added when the workbook has none, and a
// missing file becomes a new workbook of that one sheet. Every other part of the package keeps its
// bytes, except the formula chain when a formula is overwritten; a row number the sheet holds
// twice becomes one row, and a cell sharing the formula of a cell written over keeps its value
// alone.
// A file that is no workbook, whose sheet cannot be copied whole, whose sheet other programs
// would not read as written with every other cell kept, or that ReadWorksheet would refuse once
// written, is left as it is (the corrupt-file message).
void WriteWorksheet(const AnsiString& FileName, const AnsiString& SheetName, const OfficeCells& Cells);

// A new document holding one table of single borders, a paragraph for each line of a cell;
// characters XML cannot hold are left out.
void WriteDocument(const AnsiString& FileName, const OfficeCells& Cells,
                   const std::function<TAlignment(int Col, int Row)>& Alignment);
