#pragma once

#include "network/Sewernetwork.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using Names = std::vector<std::string>;

// What the user was told since the last call, as "caption: text", every message with these flags.
inline Names Told(int flags) {
    Names told;
    for (const MessageRequest& request : Responder().Asked) {
        EXPECT_EQ(request.Flags, flags) << request.Text.str();
        told.push_back(request.Caption.str() + ": " + request.Text.str());
    }
    Responder().Clear();
    return told;
}

// The network of tests/data/riverside.snt, built through the editing operations.
inline void BuildRiverside(SimpleSewerNetwork& n) {
    n.Name = "Riverside scheme";
    n.ReturnFactor = 0.8;
    n.PeakFlowFactor = 2.5;
    n.FrictionFormula = 1;
    n.ManningN = 0.012;
    n.ks = 0.0006;
    n.UseMinimumTauCalc = false;
    n.MinimumTau = 1.5;
    n.MinimumSelfCleaningVel = 0.75;
    n.MinimumSewerCover = 1.2;
    n.UseDiameterLimiting = true;
    n.MinimumDiameter = 0.225;
    n.UseDischargeLimiting = false;
    n.MinimumDischarge = 0.002;
    n.UseGroundSlopeLimiting = false;
    n.AddSewer("S1", "J1", "J2", 50);
    n.AddSewer("S2", "J2", "J3", 30);
    n.AddSewer("S3", "J4", "J2", 20);

    Sewer& s1 = *n.GetSewer("S1");
    n.SetSewerDatum("S1", true, false, 98.5);
    s1.UpstreamEnd->Cover = 1.5;
    s1.UpstreamEnd->Invert = s1.UpstreamEnd->Level = 98.5;
    s1.DownstreamEnd->Cover = 1.75;
    s1.DownstreamEnd->Invert = s1.DownstreamEnd->Level = 98;
    n.SetSewerHouses("S1", 10, 12.5, 25, 30, 4, 4, 120, 150);
    s1.Population.InitialPopulation = 100;
    s1.Population.FinalPopulation = 120;
    s1.Slope = 0.01;
    s1.CalculatedDiameter = 0.18734;
    s1.ChosenDiameter = 0.225;
    s1.InitialTotalQ = 0.00123;
    s1.FinalTotalQ = 0.00234;
    s1.InitialdD = 0.31;
    s1.FinaldD = 0.52;
    s1.InitialVelocity = 0.61;
    s1.FinalVelocity = 0.83;

    n.SetSewerPopulation("S2", 0, 0, 120, 180, 120, 150);
    n.GetSewer("S2")->DownstreamEnd->Cover = -0.25;
    n.GetSewer("S2")->DownstreamEnd->Level = 97.7;
    n.EditSewer("S3", "S3", "J4", false, "J2", true, 20);

    n.SetJunction("J1", 100, 10, 10);
    n.SetJunction("J2", 99.75, 45.355, 45.355);
    n.SetJunction("J3", 97.45, 60, 40);
    n.SetJunction("J4", 101.2, 20, 60);
    n.BuildConnections();
}
