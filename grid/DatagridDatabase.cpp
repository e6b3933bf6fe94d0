#include "grid/Datagrid.h"

#include "framework/FileBytes.h"
#include "framework/NumberFormat.h"
#include "framework/TextEncoding.h"
#include "grid/GridUpdateLock.h"
#include "grid/OfficeOpenXml.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <QTemporaryDir>
#include <QUrl>

#include <sqlite3.h>

#include <atomic>
#include <optional>
#include <string_view>
#include <vector>

namespace {

AnsiString DriverNotFoundMessage(const AnsiString& FileName) {
    return "Database driver not found for " + FileName;
}

// The most cells a query may give: a grid of more would not be usable.
constexpr long long MaxQueryCells = 10'000'000;
constexpr char TooManyCellsMessage[] = "The query gives more than 10,000,000 cells";

// A query's answer, read whole before the grid changes.
struct QueryResult {
    std::vector<AnsiString> Fields;
    std::vector<std::vector<AnsiString>> Records;
};

// What a file's first bytes say it is: SQLite opens it; an Access file has no driver here; any
// other is no database. True for a database in write-ahead mode (its header's format versions).
bool CheckDatabaseFile(const AnsiString& FileName) {
    QFile file(QString::fromStdString(FileName.str()));
    if (!file.open(QIODevice::ReadOnly))
        throw EDataGridError(CannotOpenMessage(FileName));
    const QByteArray header = file.read(32);
    if (header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return header.size() > 19 && (header[18] == 2 || header[19] == 2);
    if (header.mid(4, 15) == "Standard Jet DB" || header.mid(4, 15) == "Standard ACE DB")
        throw EDataGridError(DriverNotFoundMessage(FileName));
    throw EDataGridError(CorruptFileMessage(FileName));
}

AnsiString FieldText(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        return {};
    case QMetaType::Double:
        return FloatToStr(value.toDouble());
    default:
        return AnsiString(value.toString().toStdString());
    }
}

// The database as SQLite opens it read-only. Without a write-ahead log or a rollback journal
// beside it the file alone holds the database, and it is opened as immutable: a database in
// write-ahead mode would otherwise get a log and its index beside it, which a read-only
// connection cannot remove. A database in write-ahead mode, or with a log beside it, that lacks
// the log or its index is read from a copy of its files in a folder of its own (copy), as a reader
// would have to make the missing ones beside them; no writer has the database open then, for a
// writer keeps both. A rollback journal a writer stopped in the middle of a change refuses the
// reading, here or in the copy.
QString DatabaseName(const AnsiString& FileName, bool writeAhead, std::optional<QTemporaryDir>& copy) {
    const QFileInfo file(QString::fromStdString(FileName.str()));
    const QString path = file.absoluteFilePath();
    const bool log = QFileInfo::exists(path + "-wal");
    const bool journal = QFileInfo::exists(path + "-journal");
    if (!log && !journal)
        return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + "?immutable=1";
    if ((log || writeAhead) && !(log && QFileInfo::exists(path + "-shm"))) {
        copy.emplace();
        const QString copied = copy->filePath("database");
        bool copiedAll = copy->isValid() && QFile::copy(path, copied);
        for (const char* companion : {"-wal", "-journal"})
            if (QFileInfo::exists(path + companion))
                copiedAll = copiedAll && QFile::copy(path + companion, copied + companion);
        if (!copiedAll)
            throw EDataGridError(CannotOpenMessage(FileName));
        return copied;
    }
    return path;
}

// A handle of Qt's driver of the given type, or null. Qt's driver hands over its own objects to
// the libsqlite3 linked here: sound while its plugin uses the system SQLite too, as it does on the
// systems built for.
template <typename Handle> Handle* SqliteHandle(const QVariant& handle, const char* type) {
    return handle.isValid() && qstrcmp(handle.typeName(), type) == 0
               ? *static_cast<Handle* const*>(handle.constData())
               : nullptr;
}

sqlite3* ConnectionOf(const QSqlDatabase& database) {
    return SqliteHandle<sqlite3>(database.driver()->handle(), "sqlite3*");
}

// SQLite counts attaching a database as reading, yet opens the attached file as a writer does,
// leaving a log and its index beside it.
int RefuseAttach(void*, int action, const char*, const char*, const char*, const char*) {
    return action == SQLITE_ATTACH || action == SQLITE_DETACH ? SQLITE_DENY : SQLITE_OK;
}

// Why the connection's library will not run the statement as a read-only query: it would write
// (VACUUM INTO writes a copy anywhere, though the connection is read-only); empty when it reads
// only, or when running it will tell what is wrong with it. Comments and blanks after the one
// statement are cut from sql, since Qt's driver takes them for a second statement.
QString WriteRefusal(sqlite3* connection, std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(connection, sql.c_str(), static_cast<int>(sql.size()), &statement, &tail) !=
        SQLITE_OK)
        return {};
    const bool reads = !statement || sqlite3_stmt_readonly(statement);
    sqlite3_finalize(statement);
    if (!reads)
        // Worded as the driver words its own refusals.
        return QString::fromUtf8(sqlite3_errstr(SQLITE_READONLY)) + " Unable to execute statement";
    const std::size_t end = static_cast<std::size_t>(tail - sql.c_str());
    // What follows holds no statement when each piece of it prepares to none.
    for (const char* rest = tail; rest && *rest;) {
        sqlite3_stmt* next = nullptr;
        const char* after = nullptr;
        const int prepared = sqlite3_prepare_v2(connection, rest, -1, &next, &after);
        sqlite3_finalize(next);
        if (prepared != SQLITE_OK || next || after == rest)
            return {};
        rest = after;
    }
    sql.resize(end);
    return {};
}

// Runs the query into result; the error, or empty.
QString ReadResult(QSqlQuery& query, const std::string& sql, QueryResult& result) {
    if (!query.exec(QString::fromStdString(sql)))
        return query.lastError().text();
    const QSqlRecord record = query.record();
    // Qt's driver takes every double quote out of a column's name; the statement has it whole.
    sqlite3_stmt* statement = SqliteHandle<sqlite3_stmt>(query.result()->handle(), "sqlite3_stmt*");
    for (int i = 0; i < record.count(); ++i) {
        const char* name = statement ? sqlite3_column_name(statement, i) : nullptr;
        result.Fields.emplace_back(name ? std::string(name) : record.fieldName(i).toStdString());
    }
    const auto fieldCount = static_cast<long long>(result.Fields.size());
    while (query.next()) {
        if ((static_cast<long long>(result.Records.size()) + 1) * fieldCount > MaxQueryCells)
            return TooManyCellsMessage;
        auto& fields = result.Records.emplace_back();
        fields.reserve(result.Fields.size());
        for (int i = 0; i < record.count(); ++i)
            fields.push_back(FieldText(query.value(i)));
    }
    return query.lastError().isValid() ? query.lastError().text() : QString();
}

QueryResult RunQuery(const AnsiString& FileName, const AnsiString& SQL) {
    if (!QSqlDatabase::isDriverAvailable("QSQLITE"))
        throw EDataGridError(DriverNotFoundMessage(FileName));
    const bool writeAhead = CheckDatabaseFile(FileName);
    // A connection of its own for each call, removed however the call ends.
    static std::atomic<int> calls{0};
    const QString connection = QString("drenvala-query-%1").arg(++calls);
    struct Removal {
        QString name;
        ~Removal() { QSqlDatabase::removeDatabase(name); }
    } removal{connection};
    std::optional<QTemporaryDir> copy;
    const QString name = DatabaseName(FileName, writeAhead, copy);
    QueryResult result;
    QString error;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", connection);
        database.setDatabaseName(name);
        database.setConnectOptions("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
        if (!database.open())
            throw EDataGridError(CannotOpenMessage(FileName));
        sqlite3* handle = ConnectionOf(database);
        // Without the connection itself nothing keeps a query from leaving files behind.
        if (!handle)
            throw EDataGridError(DriverNotFoundMessage(FileName));
        sqlite3_set_authorizer(handle, RefuseAttach, nullptr);
        QSqlQuery query(database);
        query.setForwardOnly(true);
        // Bytes that are no UTF-8 are Windows-1252, as in the text the program reads from its files.
        std::string sql = TextFromFileBytes(SQL.view());
        error = WriteRefusal(handle, sql);
        if (error.isEmpty())
            error = ReadResult(query, sql, result);
        query.finish();
        database.close();
    }
    if (!error.isEmpty())
        throw EDataGridError(error.toStdString());
    return result;
}

// "Pipe Sizes" as an identifier, its double quotes doubled.
AnsiString QuotedIdentifier(const AnsiString& name) {
    std::string quoted = "\"";
    for (const char c : name.view())
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

} // namespace

void TDataGrid::LoadFromMDBTable(const AnsiString& FileName, const AnsiString& TableName) {
    LoadFromMDBSQL(FileName, "SELECT * FROM " + QuotedIdentifier(TableName));
}

void TDataGrid::LoadFromMDBSQL(const AnsiString& FileName, const AnsiString& SQL) {
    QueryResult result = RunQuery(FileName, SQL);
    const int fields = static_cast<int>(result.Fields.size());
    const int fixedCols = GetFixedCols();
    const int fixedRows = GetFixedRows();
    {
        GridUpdateLock lock(*this);
        if (fields > 0)
            SetColCount(fixedCols + fields);
        if (fixedRows > 0)
            for (int i = 0; i < fields; ++i)
                SetCellEx(fixedCols + i, fixedRows - 1, result.Fields[static_cast<std::size_t>(i)]);
        if (!result.Records.empty()) {
            DropHiddenRowsFrom(fixedRows);
            SetRowCount(fixedRows + static_cast<int>(result.Records.size()));
            GroupRowsLoadedOver(fixedRows, GetRowCount());
        }
        for (std::size_t r = 0; r < result.Records.size(); ++r)
            for (int i = 0; i < fields; ++i)
                SetCellEx(fixedCols + i, fixedRows + static_cast<int>(r),
                          std::move(result.Records[r][static_cast<std::size_t>(i)]));
    }
    CellsChanged(Rect(0, 0, GetColCount(), GetRowCount()));
    CellsLoaded();
}
