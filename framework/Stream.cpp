#include "framework/Stream.h"

#include "framework/Exceptions.h"

#include <algorithm>

long long TStream::Read(void* Buffer, long long Count) {
    if (Count <= 0)
        return 0;
    return std::max(0LL, static_cast<long long>(device->read(static_cast<char*>(Buffer), Count)));
}

long long TStream::Write(const void* Buffer, long long Count) {
    if (Count <= 0)
        return 0;
    return std::max(0LL, static_cast<long long>(device->write(static_cast<const char*>(Buffer), Count)));
}

void TStream::ReadBuffer(void* Buffer, long long Count) {
    if (Read(Buffer, Count) != std::max(0LL, Count))
        throw EReadError();
}

void TStream::WriteBuffer(const void* Buffer, long long Count) {
    if (Write(Buffer, Count) != std::max(0LL, Count))
        throw EWriteError();
}

long long TStream::Seek(long long Offset, TSeekOrigin Origin) {
    const long long base = Origin == soBeginning ? 0 : Origin == soCurrent ? GetPosition() : GetSize();
    device->seek(std::clamp(base + Offset, 0LL, GetSize()));
    return GetPosition();
}

long long TStream::GetPosition() const {
    return device->pos();
}

long long TStream::GetSize() const {
    return device->size();
}

TMemoryStream::TMemoryStream() : TStream(&buffer), buffer(&bytes) {
    buffer.open(QIODevice::ReadWrite);
}

void TMemoryStream::Clear() {
    buffer.close();
    bytes.clear();
    buffer.open(QIODevice::ReadWrite);
}

TFileStream::TFileStream(const AnsiString& FileName, unsigned Mode)
    : TStream(&file), file(QString::fromStdString(FileName.str())) {
    if (Mode == fmCreate) {
        if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate))
            throw EFCreateError("Cannot create file \"" + FileName + "\". " +
                                file.errorString().toStdString());
        return;
    }
    const QIODevice::OpenMode mode =
        Mode == fmOpenReadWrite ? QIODevice::ReadWrite | QIODevice::ExistingOnly : QIODevice::ReadOnly;
    if (!file.open(mode))
        throw EFOpenError("Cannot open file \"" + FileName + "\". " + file.errorString().toStdString());
}
