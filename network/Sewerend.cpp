#include "network/Sewerend.h"

#include "network/NetworkFileReader.h"
#include "network/NetworkFileWriter.h"

void SewerEnd::Write(NetworkFileWriter& out) const {
    out.Fixed(Cover, 10, 3, " <= cover\n");
    out.Fixed(Invert, 10, 3, " <= invert\n");
    out.Fixed(Level, 10, 3, " <= level\n");
    out.Fixed(DatumLevel, 10, 3, " <= level\n");
    out.Text(DatumReference ? "1  <== This is a datum reference point (1)\n"
                            : "0  <== This is not a datum reference point (0)\n");
    out.Text(AutoDatum
                 ? "1  <== The datum is calculated automatically from min cover and level (1)\n"
                 : "0  <== The datum is NOT calculated automatically from min cover and level, it must be "
                   "entered manually (0)\n");
    out.Text(DropJunction ? "1  <== This is drop sewer junction (1)\n"
                          : "0  <== This is not a drop sewer junction (0)\n");
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
