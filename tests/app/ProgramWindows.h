#pragma once

#include "app/StartedWindows.h"
#include "network/Sewernetwork.h"
#include "tests/support/ScriptedResponder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// A message as one line: caption, text and flags.
inline std::string MessageLine(const std::string& caption, const std::string& text, int flags) {
    return caption + ": " + text + " (" + std::to_string(flags) + ")";
}

// What was asked so far, one line each.
inline Texts Asked() {
    Texts asked;
    for (const MessageRequest& request : Responder().Asked)
        asked.push_back(MessageLine(request.Caption.str(), request.Text.str(), request.Flags));
    return asked;
}

// The refusal of a sewer or junction name the network file could not hold.
inline std::string RefusedName(const std::string& name) {
    return "The name \"" + name +
           "\" cannot be used: a sewer or junction name is one word, without blanks, and does not begin "
           "with \"#\".";
}

// The program's windows as its start-up creates them (without the splash), each in its global
// pointer, and a folder for the files a test writes.
class ProgramWindows : public testing::Test {
protected:
    void SetUp() override {
        Responder().Clear();
        ASSERT_TRUE(dir.isValid());
        windows.emplace();
    }

    void TearDown() override {
        Responder().Clear();
        windows.reset();
    }

    AnsiString Path(const char* name) const { return dir.filePath(name).toStdString(); }
    static AnsiString Data(const char* name) { return AnsiString(DRENVALA_TEST_DATA "/") + name; }

    // Reads the file through File > Read Network, answering the open dialog with it; no save
    // is offered first.
    void Read(const AnsiString& file) {
        DataEntryForm->NetworkChanged = false;
        Responder().AnswerFile(file);
        FrontForm->ReadNetwork1->Click();
    }

    std::optional<StartedWindows> windows;
    QTemporaryDir dir;
};
