#include "network/Sewernode.h"

#include "network/NetworkFileReader.h"
#include "network/NetworkFileWriter.h"
#include "network/Sewer.h"

#include <algorithm>

SewerNode::SewerNode(AnsiString name) : name(std::move(name)) {}

void SewerNode::SetName(const AnsiString& newName) {
    NamedList<SewerNode>::SetName(*this, newName);
}

void SewerNode::Write(NetworkFileWriter& out) const {
    out.Line(Name, " <= junction name\n");
    out.Fixed(X, 10, 3, " <= x\n");
    out.Fixed(Y, 10, 3, " <= y\n");
    out.Fixed(Z, 10, 3, " <= z\n");
    out.Integer(static_cast<int>(ConnectedSewers.size()), " <= Number of connected sewers\n");
    for (const Sewer* sewer : ConnectedSewers)
        out.Line(sewer->Name, " <= connected sewer name\n");
}

void SewerNode::Read(NetworkFileReader& in) {
    const auto part = NetworkFileReader::SewerEndOrJunctionPart;
    in.Double(X, part);
    in.Double(Y, part);
    in.Double(Z, part);
    // The names are not needed: the reader links the sewers to their junctions by their own names.
    // Their number makes room for the links, within reason whatever the file says.
    const int connected = in.Count(part);
    in.SkipValueLines(connected, part);
    ConnectedSewers.reserve(static_cast<std::size_t>(std::min(connected, 16)));
}
