#pragma once

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <string>

// Runs a Python program (openpyxl, python-docx, zipfile, sqlite3 read and make the files the
// grid exchanges) with the arguments; its standard output.
inline std::string RunPython(const std::string& program, const QStringList& arguments = {}) {
    QProcess process;
    // The system's own Python, which has the Debian modules.
    process.start("/usr/bin/python3", QStringList{"-c", QString::fromStdString(program)} + arguments);
    const bool finished = process.waitForFinished(120000);
    const std::string errors = process.readAllStandardError().toStdString();
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << errors;
    return process.readAllStandardOutput().toStdString();
}

// A workbook made by openpyxl: the program gets the new workbook as wb, and the file is saved
// once it has run.
inline void MakeWorkbook(const std::string& path, const std::string& program) {
    RunPython("import sys, datetime, openpyxl\nfrom openpyxl.styles import Font, PatternFill\n"
              "wb = openpyxl.Workbook()\n" +
                  program + "\nwb.save(sys.argv[1])\n",
              {QString::fromStdString(path)});
}

// One part of a package replaced by the given text, the others copied.
inline void ReplacePart(const std::string& path, const std::string& part, const std::string& text) {
    RunPython(
        "import sys, zipfile\n"
        "src = zipfile.ZipFile(sys.argv[1]); items = [(i, src.read(i.filename)) for i in src.infolist()]\n"
        "src.close()\n"
        "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as out:\n"
        "    for info, data in items:\n"
        "        out.writestr(info, sys.argv[3].encode() if info.filename == sys.argv[2] else data)\n",
        {QString::fromStdString(path), QString::fromStdString(part), QString::fromStdString(text)});
}
