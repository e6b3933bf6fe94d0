#include "tests/reports/CostingsWindow.h"

#include <cstdlib>
#include <deque>
#include <fstream>
#include <random>
#include <string>
#include <vector>

// The take-off of a random results table gives the grids recorded in
// tests/data/costings/random-takeoff.golden, every cell of every row. The record was made by this
// test, with DRENVALA_RECORD_GOLDEN naming the file to write, before the take-off was made fast.

namespace {

using TakeOffGolden = CostingsWindow;

constexpr int Sewers = 150;
constexpr int JunctionNames = 90;

// Texts of a results table: sewers between junctions drawn from a small pool, so that many
// sewers meet at a junction; lengths, diameters and depths with the table's decimals, some
// depths negative, one sewer long enough for its volumes to pass seven digits.
class RandomTable {
public:
    RandomTable() {
        std::mt19937_64 random(20260907);
        // Raw draws only: the standard fixes the engine's numbers, not its distributions'.
        const auto draw = [&random](int below) {
            return static_cast<int>(random() % static_cast<unsigned>(below));
        };
        static const char* const diameters[] = {"0.100", "0.150", "0.225", "0.300", "1.050"};
        for (int s = 1; s <= Sewers; ++s) {
            const int up = draw(JunctionNames);
            const int down = draw(JunctionNames);
            const int lengthCents = s == 77 ? 1234567890 : 100 + draw(15000);
            const int usMillimetres = draw(6500) - 500;
            const int dsMillimetres = draw(6500) - 500;
            rows.push_back({Keep("S" + std::to_string(s)), Keep("J" + std::to_string(up)),
                            Keep("J" + std::to_string(down)), Keep(Decimals(lengthCents, 100, 2)),
                            diameters[draw(5)], Keep(Decimals(usMillimetres, 1000, 3)),
                            Keep(Decimals(dsMillimetres, 1000, 3))});
        }
    }

    std::vector<TableRow> rows;

private:
    const char* Keep(std::string text) { return texts.emplace_back(std::move(text)).c_str(); }

    static std::string Decimals(int scaled, int unit, int decimals) {
        const std::string sign = scaled < 0 ? "-" : "";
        const int magnitude = std::abs(scaled);
        std::string fraction = std::to_string(magnitude % unit);
        fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
        return sign + std::to_string(magnitude / unit) + "." + fraction;
    }

    std::deque<std::string> texts;
};

// Each row of a grid as its cells joined by "|", after a label.
void AddRows(const char* label, const TDataGrid& grid, std::vector<std::string>& record) {
    for (int r = 0; r < grid.GetRowCount(); ++r) {
        std::string line = std::string(label) + " " + std::to_string(r);
        for (int c = 0; c < grid.GetColCount(); ++c)
            line += "|" + grid.GetCellEx(c, r).str();
        record.push_back(line);
    }
}

std::vector<std::string> ReadLines(const AnsiString& path) {
    std::ifstream in(path.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(TakeOffGolden, EveryCellOfARandomTableAsRecorded) {
    // Junctions no sewer uses, and one renamed to a name already listed, which then stands twice
    // in the junction grid with the depth of its name.
    const struct {
        const char* label;
        const char* trenchAllowance;
        const char* boxAllowance;
    } cases[] = {{"default", nullptr, nullptr}, {"allowances", "0.4", "0.5"}};
    const RandomTable table;
    std::vector<std::string> record;
    for (const auto& run : cases) {
        if (run.trenchAllowance) {
            CostingsForm->TrenchWidthAllowanceTypedEdit->SetText(run.trenchAllowance);
            CostingsForm->JBoxExcavationAllowanceTypedEdit->SetText(run.boxAllowance);
        }
        Results results(table.rows);
        results.network.FindOrAddJunction("Lone");
        results.network.FindOrAddJunction("Twin");
        results.network.Junctions.back()->SetName("J7");
        results.Run();
        AddRows((std::string(run.label) + " pipe").c_str(), *CostingsForm->NetworkCostPipeDataGrid, record);
        AddRows((std::string(run.label) + " box").c_str(), *CostingsForm->NetworkCostJunctionDataGrid,
                record);
    }
    const AnsiString golden = Data("costings/random-takeoff.golden");
    if (const char* recordTo = std::getenv("DRENVALA_RECORD_GOLDEN")) {
        std::ofstream out(recordTo);
        for (const std::string& line : record)
            out << line << '\n';
        GTEST_SKIP() << "recorded " << recordTo;
    }
    const std::vector<std::string> expected = ReadLines(golden);
    ASSERT_EQ(record.size(), expected.size());
    for (std::size_t i = 0; i < record.size(); ++i)
        EXPECT_EQ(record[i], expected[i]);
}

} // namespace
