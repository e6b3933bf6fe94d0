#include "network/Sewernode.h"

#include "framework/NumberFormat.h"
#include "network/NetworkFileReader.h"
#include "network/Sewer.h"

SewerNode::SewerNode(AnsiString name) : name(std::move(name)) {}

void SewerNode::SetName(const AnsiString& newName) {
    NamedList<SewerNode>::SetName(*this, newName);
}

void SewerNode::Write(std::string& out) const {
    out += Sprintf("%s <= junction name\n", Name).str();
    out += Sprintf("%10.3f <= x\n", X).str();
    out += Sprintf("%10.3f <= y\n", Y).str();
    out += Sprintf("%10.3f <= z\n", Z).str();
    out += Sprintf("%d <= Number of connected sewers\n", static_cast<int>(ConnectedSewers.size())).str();
    for (const Sewer* sewer : ConnectedSewers)
        out += Sprintf("%s <= connected sewer name\n", sewer->Name).str();
}

void SewerNode::Read(NetworkFileReader& in) {
    const auto part = NetworkFileReader::SewerEndOrJunctionPart;
    in.Double(X, part);
    in.Double(Y, part);
    in.Double(Z, part);
    // The names are not needed: BuildConnections rebuilds the list.
    in.SkipValueLines(in.Count(part), part);
}
