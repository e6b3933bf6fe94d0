#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// A run of bytes with a position, over a Qt device that the derived stream owns.
class TStream : public TObject {
public:
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // The bytes moved, fewer at the end of the stream or when the device fails.
    long long Read(void* Buffer, long long Count);
    long long Write(const void* Buffer, long long Count);
    // All of them or EReadError / EWriteError.
    void ReadBuffer(void* Buffer, long long Count);
    void WriteBuffer(const void* Buffer, long long Count);
    // The new position, kept between 0 and the size.
    long long Seek(long long Offset, TSeekOrigin Origin);
    long long GetPosition() const;
    void SetPosition(long long Value) { Seek(Value, soBeginning); }
    long long GetSize() const;

protected:
    explicit TStream(QIODevice* device) : device(device) {}

private:
    QIODevice* device;
};

// A stream in memory; it grows as it is written.
class TMemoryStream : public TStream {
public:
    TMemoryStream();

    const char* Memory() const { return bytes.constData(); }
    // Empties the stream.
    void Clear();

private:
    QByteArray bytes;
    QBuffer buffer;
};

enum TFileMode : unsigned { fmOpenRead = 0, fmOpenReadWrite = 2, fmCreate = 0xFFFF };

// A stream on a file, opened for reading, for reading and writing (it must exist), or created
// empty. A file that cannot be opened raises EFOpenError, one that cannot be
// created EFCreateError.
class TFileStream : public TStream {
public:
    TFileStream(const AnsiString& FileName, unsigned Mode);

private:
    QFile file;
};
