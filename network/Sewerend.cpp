#include "network/Sewerend.h"

#include "framework/NumberFormat.h"
#include "network/NetworkFileReader.h"

void SewerEnd::Write(std::string& out) const {
    out += Sprintf("%10.3f <= cover\n", Cover).str();
    out += Sprintf("%10.3f <= invert\n", Invert).str();
    out += Sprintf("%10.3f <= level\n", Level).str();
    out += Sprintf("%10.3f <= level\n", DatumLevel).str();
    out += DatumReference ? "1  <== This is a datum reference point (1)\n"
                          : "0  <== This is not a datum reference point (0)\n";
    out += AutoDatum
               ? "1  <== The datum is calculated automatically from min cover and level (1)\n"
               : "0  <== The datum is NOT calculated automatically from min cover and level, it must be "
                 "entered manually (0)\n";
    out += DropJunction ? "1  <== This is drop sewer junction (1)\n"
                        : "0  <== This is not a drop sewer junction (0)\n";
}

void SewerEnd::Read(NetworkFileReader& in) {
    const auto part = NetworkFileReader::SewerEndOrJunctionPart;
    in.Double(Cover, part);
    in.Double(Invert, part);
    in.Double(Level, part);
    in.Double(DatumLevel, part);
    in.Flag(DatumReference, part);
    in.Flag(AutoDatum, part);
    in.Flag(DropJunction, part);
}
