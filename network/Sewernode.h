#pragma once

#include "framework/AnsiString.h"
#include "network/NamedList.h"

#include <string>
#include <vector>

class NetworkFileReader;
class NetworkFileWriter;
class Sewer;

// A junction (manhole): its position on the drawing plane and its ground level.
class SewerNode {
public:
    explicit SewerNode(AnsiString name);
    SewerNode(const SewerNode&) = delete;
    SewerNode& operator=(const SewerNode&) = delete;

    // Read as a field; renamed through SetName, which keeps the network's name index in step.
    const AnsiString& Name = name;
    void SetName(const AnsiString& newName);

    // Writes the junction block, its name included.
    void Write(NetworkFileWriter& out) const;
    // Reads the junction block after its name line.
    void Read(NetworkFileReader& in);

    // m
    double X = 10.0;
    double Y = 10.0;
    // Ground level, m.
    double Z = 0;
    // Every sewer starting or ending here, as the last BuildConnections found them.
    std::vector<Sewer*> ConnectedSewers;

private:
    friend class NamedList<SewerNode>;

    AnsiString name;
    int position = -1;
    NamedList<SewerNode>* list = nullptr;
};
