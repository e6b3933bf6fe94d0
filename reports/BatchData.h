#pragma once

#include "framework/AnsiString.h"

#include <string_view>
#include <vector>

// A sewer data file of the results table's batch mode: comma-separated, a header line, then one
// sewer a line in the results table's columns.
namespace BatchColumns {
constexpr int Name = 0;
constexpr int Length = 1;
constexpr int Houses = 2;
constexpr int SupplementaryFlow = 4;
constexpr int USJunction = 10;
constexpr int DSJunction = 11;
constexpr int USGroundLevel = 12;
constexpr int DSGroundLevel = 13;
// Up to the downstream ground level.
constexpr int FieldsNeeded = 14;
} // namespace BatchColumns

struct BatchRow {
    AnsiString Name;
    double Length = 0; // m
    int Houses = 0;
    double SupplementaryFlow = 0; // litres per day
    AnsiString USJunction;
    AnsiString DSJunction;
    double Zu = 0; // ground levels, m
    double Zd = 0;
    int Line = 0; // in the file, from 1
};

struct BatchData {
    // The fields of the header line and of each sewer's line, in file order.
    std::vector<std::vector<AnsiString>> Records;
    // One per sewer line.
    std::vector<BatchRow> Rows;
};

// Every line of the text checked before anything is returned: a line that gives no sewer raises
// EConvertError naming the file, the line, the field and what it holds. The first line is the
// header; lines whose fields are all empty are left out.
BatchData ReadBatchData(std::string_view text, const AnsiString& fileName);

// The file read as the grid reads CSV files; one that cannot be read raises EFOpenError
// "Cannot open file " + fileName.
BatchData ReadBatchFile(const AnsiString& fileName);
