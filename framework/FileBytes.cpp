#include "framework/FileBytes.h"

#include "framework/Exceptions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

QString QtName(const AnsiString& name) {
    return QString::fromStdString(name.str());
}

[[noreturn]] void Fail(const QFileDevice& file, const AnsiString& FileName) {
    throw EInOutError(file.errorString().toStdString() + ": " + FileName);
}

} // namespace

bool ReadFileBytes(const AnsiString& FileName, std::string& Bytes) {
    QFile file(QtName(FileName));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Straight into the string: a large file is not copied once more.
    Bytes.resize(static_cast<std::size_t>(std::max<qint64>(0, file.size())));
    const qint64 read = Bytes.empty() ? 0 : file.read(Bytes.data(), static_cast<qint64>(Bytes.size()));
    if (read < 0)
        Fail(file, FileName);
    Bytes.resize(static_cast<std::size_t>(read));
    // Whatever the size did not tell of, as from a device.
    const QByteArray rest = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Fail(file, FileName);
    Bytes.append(rest.constData(), static_cast<std::size_t>(rest.size()));
    return true;
}

bool WriteFileBytes(const AnsiString& FileName, std::string_view Bytes, bool Append) {
    std::string old;
    if (Append && !ReadFileBytes(FileName, old) && QFileInfo::exists(QtName(FileName)))
        return false;
    QSaveFile file(QtName(FileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto write = [&](std::string_view bytes) {
        if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
            Fail(file, FileName);
    };
    write(old);
    write(Bytes);
    if (!file.commit())
        Fail(file, FileName);
    return true;
}
