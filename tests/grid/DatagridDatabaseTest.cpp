#include "grid/Datagrid.h"

#include "tests/grid/ErrorText.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/OfficeFiles.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <gtest/gtest.h>

namespace {

// A database with the table "Pipe Sizes" of three pipes, one without a roughness.
AnsiString PipeSizes(const TestFolder& folder) {
    const AnsiString file = folder.Path("pipes.sqlite");
    RunPython("import sys, sqlite3\n"
              "db = sqlite3.connect(sys.argv[1])\n"
              "db.execute('CREATE TABLE \"Pipe Sizes\" (Name TEXT, Diameter INTEGER, Roughness REAL, Drawing "
              "BLOB)')\n"
              "db.executemany('INSERT INTO \"Pipe Sizes\" VALUES (?, ?, ?, ?)', [('Clay', 150, 0.6, b'x'),"
              " ('Ødegård', 225, None, None), ('PVC', 300, 1.5, None)])\n"
              "db.commit()\n",
              {QString::fromStdString(file.str())});
    return file;
}

TEST(DatagridDatabase, LoadsATableAndAQuery) {
    TestFolder folder;
    const AnsiString file = PipeSizes(folder);
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"", "", ""}, {"", "old", ""}});
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    grid.LoadFromMDBTable(file, "Pipe Sizes");
    // The names in the fixed row from the first normal column; NULL and BLOB give empty cells.
    EXPECT_EQ(CellTexts(grid), (GridCellTexts{{"", "Name", "Diameter", "Roughness", "Drawing"},
                                              {"", "Clay", "150", "0.6", ""},
                                              {"", "Ødegård", "225", "", ""},
                                              {"", "PVC", "300", "1.5", ""}}));
    grid.LoadFromMDBSQL(file, "SELECT Name FROM \"Pipe Sizes\" WHERE Diameter > 200 ORDER BY Name DESC");
    EXPECT_EQ(CellTexts(grid), (GridCellTexts{{"", "Name"}, {"", "Ødegård"}, {"", "PVC"}}));
    // Bytes of the query that are no UTF-8 are Windows-1252, as in the grid's other files.
    grid.LoadFromMDBSQL(file, "SELECT Diameter FROM \"Pipe Sizes\" WHERE Name = '\xD8"
                              "deg\xE5rd'");
    EXPECT_EQ(CellTexts(grid), (GridCellTexts{{"", "Diameter"}, {"", "225"}}));
    // A statement followed only by comments and blanks is one statement.
    grid.LoadFromMDBSQL(file, "SELECT 1 AS One; -- the first\n /* and only */ ;\n");
    EXPECT_EQ(CellTexts(grid), (GridCellTexts{{"", "One"}, {"", "1"}}));
    // A field's name keeps its double quotes, with rows and without.
    for (const char* where : {"Diameter = 150", "Diameter = 0"}) {
        SCOPED_TRACE(where);
        grid.LoadFromMDBSQL(file,
                            AnsiString("SELECT Name AS \"name with \"\"quotes\"\"\" FROM \"Pipe Sizes\" "
                                       "WHERE ") +
                                where);
        EXPECT_EQ(grid.GetCells(1, 0), "name with \"quotes\"");
    }
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

TEST(DatagridDatabase, FailuresChangeNothing) {
    TestFolder folder;
    const AnsiString file = PipeSizes(folder);
    const AnsiString text = folder.Path("text.sqlite");
    WriteFile(text, "Name,Diameter\r\n");
    const AnsiString access = folder.Path("old.mdb");
    WriteFile(access, std::string("\0\1\0\0Standard Jet DB\0", 20) + std::string(100, '\0'));
    const AnsiString missing = folder.Path("missing.sqlite");
    const AnsiString copy = folder.Path("copy.sqlite");
    const struct {
        const char* label;
        AnsiString file;
        std::string sql;
        std::string message;
    } rows[] = {
        {"bad SQL", file, "SELEKT 1", "near \"SELEKT\": syntax error Unable to execute statement"},
        {"a delete", file, "DELETE FROM \"Pipe Sizes\"",
         "attempt to write a readonly database Unable to execute statement"},
        {"a missing table", file, "SELECT * FROM Missing",
         "no such table: Missing Unable to execute statement"},
        // Each would write a file beside the database.
        {"a copy", file, "VACUUM INTO '" + copy.str() + "'",
         "attempt to write a readonly database Unable to execute statement"},
        {"a new database attached", file, "ATTACH '" + copy.str() + "' AS other",
         "not authorized Unable to execute statement"},
        {"a change of journal", file, "PRAGMA journal_mode = WAL",
         "attempt to write a readonly database Unable to execute statement"},
        {"two statements", file, "SELECT 1; VACUUM INTO '" + copy.str() + "'",
         "not an error Unable to execute multiple statements at a time"},
        {"a missing file", missing, "SELECT 1", "Cannot open file " + missing.str()},
        {"no database", text, "SELECT 1", "File contains no data or corrupt file " + text.str()},
        {"an Access file", access, "SELECT 1", "Database driver not found for " + access.str()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"x", "y"}, {"z", "w"}});
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromMDBSQL(row.file, row.sql); }), row.message);
        EXPECT_EQ(CellTexts(grid), (GridCellTexts{{"x", "y"}, {"z", "w"}}));
        EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(copy.str())));
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(missing.str())));
    TDataGrid grid(nullptr);
    grid.LoadFromMDBTable(file, "Pipe Sizes");
    EXPECT_EQ(grid.GetRowCount(), 4);
}

TEST(DatagridDatabase, LeavesTheFolderAsItWas) {
    // A database in write-ahead mode: closed, its log gone; or left by a program that stopped
    // with its records still in the log, which a reading must see, its index kept or lost. A name
    // may hold what an address reserves.
    const std::string inLog =
        "db.execute('PRAGMA journal_mode = WAL'); db.execute('PRAGMA wal_autocheckpoint = 0')\n"
        "db.execute('CREATE TABLE t (n INTEGER)'); db.commit()\n"
        "db.execute('INSERT INTO t VALUES (1), (2)'); db.commit()\n";
    // A rollback journal a writer that stopped mid-change left: only a writer can undo it.
    const std::string stoppedChange =
        "db.execute('PRAGMA cache_size = 1')\n"
        "db.execute('CREATE TABLE t (n INTEGER, pad TEXT)')\n"
        "db.execute('INSERT INTO t VALUES (1, \\'\\'), (2, \\'\\')'); db.commit()\n"
        "db.execute('BEGIN')\n"
        "for i in range(2000): db.execute('INSERT INTO t VALUES (?, ?)', (i, 'z' * 500))\n"
        "os._exit(0)\n";
    const GridCellTexts read = {{"", "n"}, {"", "1"}, {"", "2"}};
    const GridCellTexts before = {{"", "x"}, {"", "y"}};
    const struct {
        const char* label;
        const char* name;
        std::string make;
        const char* files;
        std::string sql = "SELECT n FROM t";
        std::string error = "";
    } rows[] = {
        {"closed", "wal.sqlite", inLog + "db.close()\n", "wal.sqlite"},
        {"closed, a name of reserved characters", "w #1?%20.sqlite", inLog + "db.close()\n",
         "w #1?%20.sqlite"},
        {"stopped", "wal.sqlite", inLog + "os._exit(0)\n", "wal.sqlite wal.sqlite-shm wal.sqlite-wal"},
        {"stopped, its index gone", "wal.sqlite", inLog + "os.remove(sys.argv[1] + '-shm'); os._exit(0)\n",
         "wal.sqlite wal.sqlite-wal"},
        // An empty rollback journal left beside a database now in write-ahead mode.
        {"closed, a journal left", "wal.sqlite", inLog + "db.close(); open(sys.argv[1] + '-journal', 'w')\n",
         "wal.sqlite wal.sqlite-journal"},
        {"closed, a journal and an index left", "wal.sqlite",
         inLog + "db.close(); open(sys.argv[1] + '-journal', 'w'); open(sys.argv[1] + '-shm', 'w')\n",
         "wal.sqlite wal.sqlite-journal wal.sqlite-shm"},
        // An attached database would be opened as a writer opens it.
        {"attached", "wal.sqlite", inLog + "db.close()\n", "wal.sqlite", "ATTACH 'wal.sqlite' AS w",
         "not authorized Unable to execute statement"},
        {"a change stopped halfway", "journal.sqlite", stoppedChange, "journal.sqlite journal.sqlite-journal",
         "SELECT n FROM t", "attempt to write a readonly database Unable to execute statement"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        const AnsiString file = folder.Path(row.name);
        RunPython("import os, sys, sqlite3\ndb = sqlite3.connect(sys.argv[1])\n" + row.make,
                  {QString::fromStdString(file.str())});
        const auto files = [&] {
            return QDir(folder.dir.path()).entryList(QDir::Files).join(' ').toStdString();
        };
        EXPECT_EQ(files(), row.files);
        TDataGrid grid(nullptr);
        grid.SetFixedRows(1);
        SetCellTexts(grid, before);
        std::string sql = row.sql;
        if (const std::size_t at = sql.find("'wal.sqlite'"); at != std::string::npos)
            sql.replace(at + 1, 10, file.str());
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromMDBSQL(file, sql); }),
                  row.error.empty() ? "no error" : row.error);
        EXPECT_EQ(CellTexts(grid), row.error.empty() ? read : before);
        EXPECT_EQ(files(), row.files);
    }
}

TEST(DatagridDatabase, RefusesAResultPastTheCellLimit) {
    // 10,001 rows of 1,000 columns: 10,001,000 cells, past 10,000,000.
    std::string sql =
        "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 10001) SELECT NULL";
    for (int i = 1; i < 1000; ++i)
        sql += ", NULL";
    sql += " FROM r";
    TestFolder folder;
    const AnsiString file = PipeSizes(folder);
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"x", "y"}, {"z", "w"}});
    EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromMDBSQL(file, sql); }),
              "The query gives more than 10,000,000 cells");
    EXPECT_EQ(CellTexts(grid), (GridCellTexts{{"x", "y"}, {"z", "w"}}));
}

} // namespace
