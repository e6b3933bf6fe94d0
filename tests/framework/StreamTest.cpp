#include "framework/Stream.h"

#include "framework/Exceptions.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Stream, MemoryStreamWritesReadsAndSeeks) {
    TMemoryStream stream;
    stream.WriteBuffer("hello", 5);
    EXPECT_EQ(stream.GetSize(), 5);
    EXPECT_EQ(stream.GetPosition(), 5);
    EXPECT_EQ(std::string(stream.Memory(), 5), "hello");
    EXPECT_EQ(stream.Seek(-3, soEnd), 2);
    char read[8] = {};
    EXPECT_EQ(stream.Read(read, 8), 3);
    EXPECT_EQ(std::string(read), "llo");
    EXPECT_EQ(stream.Seek(100, soCurrent), 5);
    EXPECT_EQ(stream.Seek(-100, soCurrent), 0);
    stream.SetPosition(1);
    EXPECT_THROW(stream.ReadBuffer(read, 5), EReadError);
    stream.Clear();
    EXPECT_EQ(stream.GetSize(), 0);
    EXPECT_EQ(stream.GetPosition(), 0);
}

TEST(Stream, FileStreamsCreateAndOpen) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("s.bin").toStdString();
    EXPECT_THROW(TFileStream(name, fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(name, fmOpenReadWrite), EFOpenError);
    EXPECT_THROW(TFileStream(dir.filePath("no/such/s.bin").toStdString(), fmCreate), EFCreateError);
    {
        TFileStream out(name, fmCreate);
        out.WriteBuffer("abc", 3);
    }
    {
        TFileStream update(name, fmOpenReadWrite);
        EXPECT_EQ(update.GetSize(), 3);
        update.Seek(0, soEnd);
        update.WriteBuffer("d", 1);
    }
    TFileStream in(name, fmOpenRead);
    char read[4] = {};
    in.ReadBuffer(read, 4);
    EXPECT_EQ(std::string(read, 4), "abcd");
    EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
}

} // namespace
