#include "framework/FileBytes.h"

#include "framework/Exceptions.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::string Read(const AnsiString& name) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(name, bytes));
    return bytes;
}

TEST(FileBytes, WritesAndAppendsWholeFiles) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("f.csv").toStdString();
    std::string bytes;
    EXPECT_FALSE(ReadFileBytes(name, bytes));
    EXPECT_TRUE(WriteFileBytes(name, "a\r\n", true));
    EXPECT_TRUE(WriteFileBytes(name, "b\r\n", true));
    EXPECT_EQ(Read(name), "a\r\nb\r\n");
    EXPECT_TRUE(WriteFileBytes(name, "c"));
    EXPECT_EQ(Read(name), "c");
}

TEST(FileBytes, WhatCannotBeCreatedStaysAsItWas) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const AnsiString directory = dir.filePath("sub").toStdString();
    std::string bytes;
    EXPECT_FALSE(ReadFileBytes(directory, bytes));
    for (const bool append : {false, true}) {
        SCOPED_TRACE(append);
        EXPECT_FALSE(WriteFileBytes(dir.filePath("missing/f.csv").toStdString(), "x", append));
        EXPECT_FALSE(WriteFileBytes(directory, "x", append));
        EXPECT_TRUE(QFileInfo(dir.filePath("sub")).isDir());
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
}

TEST(FileBytes, AFailedWriteRaisesAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("f.csv").toStdString();
    ASSERT_TRUE(WriteFileBytes(name, "old"));
    {
        FileSizeLimit limit(1000);
        const std::string big(100000, 'x');
        try {
            WriteFileBytes(name, big, true);
            ADD_FAILURE() << "no error raised";
        } catch (const EInOutError& error) {
            EXPECT_NE(error.Message.Pos(name), 0);
        }
        EXPECT_THROW(WriteFileBytes(name, big), EInOutError);
    }
    EXPECT_EQ(Read(name), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

} // namespace
