#pragma once

#include "framework/AnsiString.h"
#include "framework/Exceptions.h"

#include <string_view>

// A failed read of a network file; Message is the one message the user is shown.
class ENetworkFileError : public Exception {
public:
    using Exception::Exception;
};

// Reads the values of a network file held in memory, one value a line, skipping comment lines.
// Numbers are read with '.' whatever the locale, from the start of the line; the rest of the line
// is a label and is ignored. Lines may end in "\n" or "\r\n".
class NetworkFileReader {
public:
    // Where a value stands decides how an early end of the file is reported.
    enum Part { NetworkPart, SewerPart, SewerEndOrJunctionPart };

    explicit NetworkFileReader(std::string_view text) : rest(text) {}

    // The next line, comment or not; false at the end of the file.
    bool NextLine(std::string_view& line);

    AnsiString WholeLine(Part part) { return ValueLine(part); }
    // The first blank-delimited word of the line (empty for a blank line).
    AnsiString Name(Part part);
    // A value line that does not begin with a number leaves value as it was.
    void Double(double& value, Part part);
    void Integer(int& value, Part part);
    // True exactly when the line begins with the integer 1.
    void Flag(bool& value, Part part);
    // A count of blocks or lines that follow; a line without one fails the read.
    int Count(Part part);
    void SkipValueLines(int count, Part part);

    // Fails the read with "Error reading network data file: " and detail.
    [[noreturn]] static void Fail(const AnsiString& detail);

private:
    // The next line not beginning with "#".
    std::string_view ValueLine(Part part);

    std::string_view rest;
    std::string_view last;
};
