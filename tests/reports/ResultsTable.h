#pragma once

#include "framework/FileBytes.h"
#include "tests/app/ProgramWindows.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Texts separated by "|".
inline Texts Split(const std::string& joined) {
    Texts parts(1);
    for (const char c : joined)
        if (c == '|')
            parts.emplace_back();
        else
            parts.back() += c;
    return parts;
}

// What the results and costings windows tell of a network they cannot design.
inline const std::string NoNetwork =
    "Information: You must enter a network before you can do any calculations. (48)";
inline const std::string BadNetwork =
    "Error: You must correct the network specification before you can do any calculations. (48)";
inline const std::string Processing = "Error: Failure processing the network. (48)";
inline const std::string LoopFound =
    "Drenvala: Network not specified correctly. There is probably a loop. The "
    "network must be a tree type. (0)";

// The bytes of a file, or "(no file)".
inline std::string Bytes(const AnsiString& path) {
    std::string bytes;
    return ReadFileBytes(path, bytes) ? bytes : "(no file)";
}

// The 26 column headers, in column order.
inline const Texts AllHeaders =
    Split("Sewer|Length (m)|Initial u/s flow (l/s)|Initial Infiltration (l/s)|Initial flow (l/s)|"
          "Total Initial flow (l/s)|Final u/s flow (l/s)|Final Infiltration (l/s)|Final flow (l/s)|"
          "Total final flow (l/s)|u/s Junct. name|d/s Junct. name|Ground level u/s (m)|Ground level d/s (m)|"
          "Groundslope|Invert level u/s (m)|Invert level d/s (m)|Gradient|Diameter (m)|"
          "Chosen Pipe Diameter (m)|d/D Initial flow|d/D Final flow|Velocity of initial flow (m/s)|"
          "Velocity of final flow (m/s)|Depth u/s (m)|Depth d/s (m)");

// Design results set by hand: total flows, slope, calculated and chosen diameters, d/D and
// velocities at both horizons, invert levels at both ends.
inline void Design(Sewer& s, const std::vector<double>& r) {
    s.InitialTotalQ = r[0];
    s.FinalTotalQ = r[1];
    s.Slope = r[2];
    s.CalculatedDiameter = r[3];
    s.ChosenDiameter = r[4];
    s.InitialdD = r[5];
    s.FinaldD = r[6];
    s.InitialVelocity = r[7];
    s.FinalVelocity = r[8];
    s.UpstreamEnd->Level = r[9];
    s.DownstreamEnd->Level = r[10];
}

// Two sewers with design results set by hand, listed B before A although A drains into B:
// J1 (10.00 m) -A, 50 m-> J2 (9.00 m) -B, 40 m-> J3 (8.00 m). Water use 150 and 200 litres per
// person per day; minimum flow 1.5 l/s.
inline std::unique_ptr<SimpleSewerNetwork> TwoSewers() {
    auto n = std::make_unique<SimpleSewerNetwork>();
    n->UseDischargeLimiting = true;
    n->MinimumDischarge = 0.0015;
    n->AddSewer("B", "J2", "J3", 40);
    n->AddSewer("A", "J1", "J2", 50);
    n->SetJunctionLevel("J1", 10);
    n->SetJunctionLevel("J2", 9);
    n->SetJunctionLevel("J3", 8);
    n->BuildConnections();
    // A: infiltration 2 and 3, 10 houses of 4 and 12 of 5; B: 100 and 150 persons.
    n->SetSewerHouses("A", 2, 3, 10, 12, 4, 5, 150, 200);
    n->SetSewerPopulation("B", 0, 0, 100, 150, 150, 200);
    Design(*n->GetSewer("A"),
           {0.0012, 0.0021, 0.0123456, 0.1234, 0.15, 0.2346, 0.31, 0.6789, 0.7, 8.5, 7.8828});
    Design(*n->GetSewer("B"), {0.0032, 0.00555, 0.0098, 0.16, 0.3, 0.4, 0.55, 0.81, 0.95, 7.8828, 7.5});
    return n;
}

// J1 -A-> J2 -B-> J1, with a datum: the network's check finds the loop.
inline std::unique_ptr<SimpleSewerNetwork> Loop() {
    auto n = std::make_unique<SimpleSewerNetwork>();
    n->AddSewer("A", "J1", "J2", 10);
    n->AddSewer("B", "J2", "J1", 10);
    n->SetSewerDatum("A", true, true, 0);
    return n;
}

// The program's windows with the results table, and ways to read the table as the user sees it.
class ResultsTable : public ProgramWindows {
protected:
    // Makes network the main window's network.
    static SimpleSewerNetwork& Install(std::unique_ptr<SimpleSewerNetwork> network) {
        SimpleSewerNetwork& installed = *network;
        FrontForm->ReplaceNetwork(std::move(network));
        return installed;
    }

    // tests/data/riverside.snt read through File > Read Network, with the datum its sub-network
    // above the drop at J2 lacks, worked out from the cover, and checked as the Results Table
    // command checks it.
    void ReadRiverside() {
        Read(Data("riverside.snt"));
        ASSERT_NE(FrontForm->Network, nullptr);
        FrontForm->Network->SetSewerDatum("S3", true, true, 0);
        ASSERT_EQ(FrontForm->Network->CheckNetwork(), 0);
        Responder().Clear();
    }

    // The user's ways of putting another network in place of the one shown.
    struct Replacement {
        const char* label;
        std::function<void()> replace;
    };
    std::vector<Replacement> Replacements() {
        return {
            {"File > Read Network", [this] { Read(Data("empty-network.snt")); }},
            {"File > Clear Network", [] { FrontForm->ClearNetwork1->Click(); }},
            {"the editor's Read Network",
             [] {
                 Responder().AnswerFile(Data("riverside.snt"));
                 DataEntryForm->ReadNetworkButton->Click();
             }},
        };
    }

    // The cells of a row, hidden columns too, by real column.
    static Texts Row(int row) {
        Texts cells;
        for (int col = 0; col < 26; ++col)
            cells.push_back(TableForm->DataGrid1->GetCellEx(col, row).str());
        return cells;
    }

    // The headers of the columns the grid shows, left to right.
    static Texts ShownHeaders() {
        TDataGrid& grid = *TableForm->DataGrid1;
        Texts headers;
        for (int col = 0; col < grid.GetColCount(); ++col)
            headers.push_back(grid.GetCellEx(grid.RemapCol(col), 0).str());
        return headers;
    }

    // What the user was told since the last call, as "caption: text (flags)".
    static Texts Told() {
        const Texts told = Asked();
        Responder().Asked.clear();
        return told;
    }

    static void SetChecks(const std::vector<int>& unchecked) {
        TCheckListBox& list = *TableColumnsEditorForm->TableColumnsCheckListBox;
        for (int i = 0; i < list.Items.Count(); ++i)
            list.SetChecked(i, true);
        for (const int i : unchecked)
            list.SetChecked(i, false);
    }
};
