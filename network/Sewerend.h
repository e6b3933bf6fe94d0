#pragma once

class NetworkFileReader;
class NetworkFileWriter;

// One end of a sewer: its levels (m), the datum held for it and its junction's flags.
class SewerEnd {
public:
    void Write(NetworkFileWriter& out) const;
    void Read(NetworkFileReader& in);

    double Cover = 0;
    double Invert = 0;
    // The invert level that design, levelling and the results table use.
    double Level = 0;
    double DatumLevel = 0;
    bool AutoDatum = true;
    bool DatumReference = false;
    bool DropJunction = false;
    bool LevelsCalculated = false;
};
