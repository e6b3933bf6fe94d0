#include "grid/Datagrid.h"

#include "framework/FileBytes.h"
#include "framework/NumberFormat.h"
#include "grid/GridUpdateLock.h"
#include "grid/OfficeOpenXml.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>
#include <string_view>
#include <vector>

namespace {

AnsiString DriverNotFoundMessage(const AnsiString& FileName) {
    return "Database driver not found for " + FileName;
}

// A query's answer, read whole before the grid changes.
struct QueryResult {
    std::vector<AnsiString> Fields;
    std::vector<std::vector<AnsiString>> Records;
};

// What a file's first bytes say it is: SQLite opens it; an Access file has no driver here; any
// other is no database.
void CheckDatabaseFile(const AnsiString& FileName) {
    QFile file(QString::fromStdString(FileName.str()));
    if (!file.open(QIODevice::ReadOnly))
        throw EDataGridError(CannotOpenMessage(FileName));
    const QByteArray header = file.read(32);
    if (header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return;
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

QueryResult RunQuery(const AnsiString& FileName, const AnsiString& SQL) {
    if (!QSqlDatabase::isDriverAvailable("QSQLITE"))
        throw EDataGridError(DriverNotFoundMessage(FileName));
    CheckDatabaseFile(FileName);
    // A connection of its own for each call, removed however the call ends.
    static std::atomic<int> calls{0};
    const QString connection = QString("drenvala-query-%1").arg(++calls);
    struct Removal {
        QString name;
        ~Removal() { QSqlDatabase::removeDatabase(name); }
    } removal{connection};
    QueryResult result;
    QString error;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", connection);
        database.setDatabaseName(QString::fromStdString(FileName.str()));
        database.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (!database.open())
            throw EDataGridError(CannotOpenMessage(FileName));
        QSqlQuery query(database);
        query.setForwardOnly(true);
        if (!query.exec(QString::fromStdString(SQL.str())))
            error = query.lastError().text();
        else {
            const QSqlRecord record = query.record();
            for (int i = 0; i < record.count(); ++i)
                result.Fields.emplace_back(record.fieldName(i).toStdString());
            while (query.next()) {
                auto& fields = result.Records.emplace_back();
                fields.reserve(result.Fields.size());
                for (int i = 0; i < record.count(); ++i)
                    fields.push_back(FieldText(query.value(i)));
            }
            if (query.lastError().isValid())
                error = query.lastError().text();
        }
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
        if (!result.Records.empty())
            SetRowCount(fixedRows + static_cast<int>(result.Records.size()));
        for (std::size_t r = 0; r < result.Records.size(); ++r)
            for (int i = 0; i < fields; ++i)
                SetCellEx(fixedCols + i, fixedRows + static_cast<int>(r),
                          std::move(result.Records[r][static_cast<std::size_t>(i)]));
    }
    CellsChanged(Rect(0, 0, GetColCount(), GetRowCount()));
    CellsLoaded();
}
