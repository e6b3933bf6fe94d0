#include "framework/Application.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"
#include "tests/support/ScriptedResponder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

// Random networks saved, read back and designed as the results table designs them give the files
// and results recorded in tests/data/random-networks.golden: every byte of each file but its save
// stamp, and every bit of each sewer's design and levels. The record was made by this test, with
// DRENVALA_RECORD_GOLDEN naming the file to write, before the network code was made fast.

namespace {

constexpr int NetworkCount = 14;
constexpr int SewersPerNetwork = 220;

// splitmix64, so that the networks are the same with every standard library.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed) : state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    int Integer(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
    double Real(double low, double high) {
        return low + (high - low) * static_cast<double>(Next() >> 11) * 0x1p-53;
    }

private:
    std::uint64_t state;
};

// A random tree of sewers listed in random order, each draining to a junction of lower number,
// with the settings, people, drops and datums that network k stands for. The last networks
// carry a fault: a sewer of no length, a second datum, two sewers leaving one junction.
void BuildRandomNetwork(SimpleSewerNetwork& n, int k) {
    RandomSource random(static_cast<std::uint64_t>(k) + 1);
    n.Name = "Random network " + std::to_string(k);
    n.FrictionFormula = k % 3;
    n.UseMinimumTauCalc = (k / 3) % 2 == 0;
    n.UseDischargeLimiting = k % 4 != 1;
    n.UseDiameterLimiting = k % 5 == 2;
    n.UseGroundSlopeLimiting = k % 2 == 0;
    n.ReturnFactor = random.Real(0.6, 1.0);
    n.PeakFlowFactor = random.Real(1.5, 3.0);
    n.ManningN = random.Real(0.009, 0.016);
    n.MinimumTau = random.Real(0.8, 2.0);
    n.MinimumSelfCleaningVel = random.Real(0.4, 1.0);
    n.MinimumSewerCover = random.Real(0.3, 1.5);
    n.MinimumDiameter = random.Real(0.1, 0.3);
    n.MinimumDischarge = random.Real(0.0005, 0.003);
    const double initialLCD = random.Real(80, 200);
    const double finalLCD = random.Real(80, 250);

    std::vector<int> order(SewersPerNetwork);
    std::iota(order.begin(), order.end(), 1);
    for (std::size_t i = order.size() - 1; i > 0; --i)
        std::swap(order[i], order[static_cast<std::size_t>(random.Integer(0, static_cast<int>(i)))]);
    const int fan = random.Integer(1, 40);
    for (const int s : order) {
        const std::string name = std::to_string(s);
        const int below = s == 1 ? 0 : std::max(1, s - random.Integer(1, std::min(s - 1, fan)));
        const AnsiString sewer = "S" + name;
        n.AddSewer(sewer, "J" + name, "J" + std::to_string(below), random.Real(5, 150));
        // Each draw in a statement of its own: the order of a call's arguments is the compiler's.
        const double initialInfiltration = random.Real(0, 20);
        const double finalInfiltration = random.Real(0, 30);
        if (random.Integer(0, 1) == 0) {
            const int initialPopulation = random.Integer(0, 400);
            const int finalPopulation = random.Integer(0, 600);
            n.SetSewerPopulation(sewer, initialInfiltration, finalInfiltration, initialPopulation,
                                 finalPopulation, initialLCD, finalLCD);
        } else {
            const int initialHouses = random.Integer(0, 60);
            const int finalHouses = random.Integer(0, 80);
            const int initialPerHouse = random.Integer(1, 6);
            const int finalPerHouse = random.Integer(1, 6);
            n.SetSewerHouses(sewer, initialInfiltration, finalInfiltration, initialHouses, finalHouses,
                             initialPerHouse, finalPerHouse, initialLCD, finalLCD);
        }
        if (s > 1 && random.Integer(0, 60) == 0) {
            n.GetSewer(sewer)->DownstreamEnd->DropJunction = true;
            const bool autoDatum = random.Integer(0, 1) == 0;
            n.SetSewerDatum(sewer, true, autoDatum, random.Real(90, 100));
        }
    }
    for (SewerNode* j : n.Junctions) {
        const double z = random.Real(95, 110);
        const double x = random.Real(-1e4, 1e4);
        n.SetJunction(j->Name, z, x, random.Real(-1e4, 1e4));
    }
    n.SetSewerDatum("S1", true, k % 2 == 0, random.Real(90, 100));
    if (k == NetworkCount - 3)
        n.GetSewer("S" + std::to_string(random.Integer(2, SewersPerNetwork)))->Length = 0;
    if (k == NetworkCount - 2)
        n.SetSewerDatum("S" + std::to_string(random.Integer(2, SewersPerNetwork)), true, true, 0);
    if (k == NetworkCount - 1)
        n.AddSewer("SX", "J5", "J77", 10);
    n.BuildConnections();
}

// FNV-1a, over the bytes of a text or the bits of numbers.
class Digest {
public:
    void Add(std::string_view text) {
        for (const char c : text)
            Byte(static_cast<unsigned char>(c));
    }
    void Add(double value) {
        for (auto bits = std::bit_cast<std::uint64_t>(value), i = std::uint64_t{0}; i < 8; ++i, bits >>= 8)
            Byte(static_cast<unsigned char>(bits & 0xFF));
    }
    std::string Hex() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
        return text;
    }

private:
    void Byte(unsigned char b) { hash = (hash ^ b) * 0x100000001B3u; }
    std::uint64_t hash = 0xCBF29CE484222325u;
};

// The file's bytes but its third line, the save stamp.
std::string FileDigest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "unreadable";
    std::string text = file.readAll().toStdString();
    const std::size_t stamp = text.find('\n', text.find('\n') + 1) + 1;
    text.erase(stamp, text.find('\n', stamp) - stamp);
    Digest digest;
    digest.Add(text);
    return digest.Hex();
}

std::string SewerDigest(const Sewer& s) {
    Digest digest;
    for (const double value :
         {s.Slope, s.CalculatedDiameter, s.ChosenDiameter, s.InitialTotalQ, s.FinalTotalQ, s.InitialdD,
          s.FinaldD, s.InitialVelocity, s.FinalVelocity, s.InitialRawFlow, s.FinalRawFlow,
          s.UpstreamEnd->Level, s.UpstreamEnd->Cover, s.UpstreamEnd->Invert, s.DownstreamEnd->Level,
          s.DownstreamEnd->Cover, s.DownstreamEnd->Invert})
        digest.Add(value);
    for (const bool flag : {s.Designed, s.UpstreamEnd->LevelsCalculated, s.DownstreamEnd->LevelsCalculated})
        digest.Add(flag ? "1" : "0");
    return digest.Hex();
}

// What the record holds for network k: its file, what the check and design said and returned, each
// sewer's results, and the file of the designed network.
std::vector<std::string> RecordOf(int k, const QTemporaryDir& dir) {
    const QString built = dir.filePath("built.snt");
    const QString designed = dir.filePath("designed.snt");
    SimpleSewerNetwork original;
    BuildRandomNetwork(original, k);
    const std::string network = "network " + std::to_string(k);
    std::vector<std::string> record;
    original.WriteToFile(built.toStdString());
    record.push_back(network + " file " + FileDigest(built));

    SimpleSewerNetwork n;
    Responder().Clear();
    const int read = n.ReadFromFile(built.toStdString());
    n.ClearDesignedFlags();
    n.BuildConnections();
    const int check = n.CheckNetwork();
    const int design = check == 0 ? n.DesignNetwork() : -1;
    record.push_back(network + " read " + std::to_string(read) + " check " + std::to_string(check) +
                     " design " + std::to_string(design));
    for (const MessageRequest& told : Responder().Asked) {
        std::string text = told.Text.str();
        for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at))
            text.replace(at, 1, "\\n");
        record.push_back(network + " told " + text);
    }
    Responder().Clear();
    for (const Sewer* s : n.Sewers)
        record.push_back(s->Name.str() + " " + SewerDigest(*s));
    n.WriteToFile(designed.toStdString());
    record.push_back(network + " designed file " + FileDigest(designed));
    return record;
}

TEST(RandomNetworkGolden, FilesAndDesignsAreThoseRecorded) {
    TSewerMainForm window(nullptr);
    SewerMainForm = &window;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<std::string> record;
    for (int k = 0; k < NetworkCount; ++k)
        for (std::string& line : RecordOf(k, dir))
            record.push_back(std::move(line));
    SewerMainForm = nullptr;

    if (const char* path = std::getenv("DRENVALA_RECORD_GOLDEN")) {
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : record)
            out << line << '\n';
        GTEST_SKIP() << "recorded " << record.size() << " lines in " << path;
    }
    std::ifstream golden(DRENVALA_TEST_DATA "/random-networks.golden", std::ios::binary);
    std::vector<std::string> expected;
    for (std::string line; std::getline(golden, line);)
        expected.push_back(line);
    ASSERT_EQ(record.size(), expected.size());
    int differences = 0;
    for (std::size_t i = 0; i < record.size() && differences < 10; ++i)
        if (record[i] != expected[i]) {
            ADD_FAILURE() << "line " << i + 1 << ": \"" << record[i] << "\", recorded \"" << expected[i]
                          << "\"";
            ++differences;
        }
}

} // namespace
