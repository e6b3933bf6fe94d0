#pragma once

#include "grid/OfficeOpenXml.h"
#include "grid/OfficePackage.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

// What a workbook part says of its sheets, and where its parts lie.
struct WorkbookPackage {
    std::string Part;
    std::vector<Relationship> Relationships;
    struct Sheet {
        QString Name;
        std::string RelationshipId;
    };
    std::vector<Sheet> Sheets;
    int ActiveTab = 0;
    bool Date1904 = false;

    // The part of the last sheet of that name, else of the last of that name in other cases (the
    // active sheet for an empty name); empty when there is none. A sheet whose part is missing
    // makes the file corrupt.
    std::string SheetPart(const QString& name, const AnsiString& FileName) const;
    // The part a relationship of the workbook of that kind points at; empty when none.
    std::string RelatedPart(std::string_view kind) const;
};

// A sheet's name as asked for in bytes: UTF-8, a byte that is none taken as Windows-1252.
QString SheetNameText(const AnsiString& SheetName);

// The workbook of a package; a package without one is a corrupt file.
WorkbookPackage ReadWorkbookPackage(const ZipArchive& package, const AnsiString& FileName);

// ReadWorksheet over a package already open.
WorksheetCells ReadPackageWorksheet(const ZipArchive& package, const AnsiString& FileName,
                                    const AnsiString& SheetName);

// The most columns and rows a sheet has.
constexpr int SheetColumns = 16384;
constexpr int SheetRows = 1048576;

// Whether a cell of that type ("t") holding that value text gives the grid a value: an error does
// not, nor does a formula not yet calculated (an empty value that is no string).
bool CellHoldsValue(std::string_view type, std::string_view value);

// An attribute's number as QString's toInt reads it; 0 for none.
int AttributeInt(std::string_view text);

// A cell reference such as "B2" into 1-based column and row; false unless it lies within
// A1:XFD1048576.
bool ParseCellReference(std::string_view text, int& Col, int& Row);

// Where the rows and cells of a sheet's data stand, read in order: a row without its number
// follows the row before, a cell without its reference the cell before it in its row (a cell
// referring to another row leaves the row's own number for the cells after it).
class SheetPlace {
public:
    // At a row's start tag, with its "r"; false when the row lies outside the sheet.
    bool StartRow(std::string_view number);
    // The number of the row started last.
    int RowNumber() const { return row; }
    // At a cell's start tag, with its "r": its column and row; false when it lies outside the sheet.
    bool StartCell(std::string_view reference, int& Col, int& Row);

private:
    int row = 0;
    int col = 0;
};
