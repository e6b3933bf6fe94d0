#pragma once

#include "framework/AnsiString.h"
#include "framework/Exceptions.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// A failed read of a network file; Message is the one message the user is shown.
class ENetworkFileError : public Exception {
public:
    using Exception::Exception;
};

// Reads the values of a network file, one value a line, skipping comment lines. Numbers are read
// with '.' whatever the locale, from the start of the line; the rest of the line is a label and is
// ignored. Lines may end in "\n" or "\r\n".
//
// The file comes in blocks, so that no more of it than a block and a line is held at once, and a
// file that ends early, or changes while it is read, reads as what arrived.
class NetworkFileReader {
public:
    // Where a value stands decides how an early end of the file is reported.
    enum Part { NetworkPart, SewerPart, SewerEndOrJunctionPart };

    // Puts the next bytes of the file into buffer, at most room of them; 0 at its end.
    using Source = std::function<std::size_t(char* buffer, std::size_t room)>;

    explicit NetworkFileReader(Source source) : source(std::move(source)) {}

    // The next line, comment or not, valid until the next read; false at the end of the file.
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
    // Brings the next block in behind the rest not yet read; false at the end of the file.
    bool ReadMore();

    Source source;
    bool ended = false;
    std::string buffer;
    // What of the buffer is not read yet.
    std::string_view rest;
    // The last line read, which an early end of the file reports; kept apart when the buffer moves.
    std::string_view last;
    std::string lastKept;
};
