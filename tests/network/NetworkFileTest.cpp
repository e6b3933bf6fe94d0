#include "tests/network/SampleNetworks.h"

#include "framework/Application.h"
#include "framework/DateTime.h"
#include "framework/NumberFormat.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <sstream>
#include <vector>

namespace {

constexpr int Exclamation = MB_OK | MB_ICONEXCLAMATION;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, std::size_t count, const char* end = "\n") {
    std::string text;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i)
        text += lines[i] + end;
    return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

void ExpectSameEnd(const SewerEnd& a, const SewerEnd& b) {
    EXPECT_DOUBLE_EQ(a.Cover, b.Cover);
    EXPECT_DOUBLE_EQ(a.Invert, b.Invert);
    EXPECT_DOUBLE_EQ(a.Level, b.Level);
    EXPECT_DOUBLE_EQ(a.DatumLevel, b.DatumLevel);
    EXPECT_EQ(a.AutoDatum, b.AutoDatum);
    EXPECT_EQ(a.DatumReference, b.DatumReference);
    EXPECT_EQ(a.DropJunction, b.DropJunction);
}

// Every field the file holds, the date excepted.
void ExpectSameNetwork(const SimpleSewerNetwork& a, const SimpleSewerNetwork& b) {
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_DOUBLE_EQ(a.ReturnFactor, b.ReturnFactor);
    EXPECT_DOUBLE_EQ(a.PeakFlowFactor, b.PeakFlowFactor);
    EXPECT_EQ(a.FrictionFormula, b.FrictionFormula);
    EXPECT_DOUBLE_EQ(a.ManningN, b.ManningN);
    EXPECT_DOUBLE_EQ(a.ks, b.ks);
    EXPECT_EQ(a.UseMinimumTauCalc, b.UseMinimumTauCalc);
    EXPECT_DOUBLE_EQ(a.MinimumTau, b.MinimumTau);
    EXPECT_DOUBLE_EQ(a.MinimumSelfCleaningVel, b.MinimumSelfCleaningVel);
    EXPECT_DOUBLE_EQ(a.MinimumSewerCover, b.MinimumSewerCover);
    EXPECT_EQ(a.UseDiameterLimiting, b.UseDiameterLimiting);
    EXPECT_DOUBLE_EQ(a.MinimumDiameter, b.MinimumDiameter);
    EXPECT_EQ(a.UseDischargeLimiting, b.UseDischargeLimiting);
    EXPECT_DOUBLE_EQ(a.MinimumDischarge, b.MinimumDischarge);
    EXPECT_EQ(a.UseGroundSlopeLimiting, b.UseGroundSlopeLimiting);
    EXPECT_DOUBLE_EQ(a.InitialLCD, b.InitialLCD);
    EXPECT_DOUBLE_EQ(a.FinalLCD, b.FinalLCD);
    ASSERT_EQ(a.Sewers.size(), b.Sewers.size());
    for (std::size_t i = 0; i < a.Sewers.size(); ++i) {
        const Sewer& s = *a.Sewers[i];
        const Sewer& t = *b.Sewers[i];
        SCOPED_TRACE(s.Name.str());
        EXPECT_EQ(s.Name, t.Name);
        EXPECT_EQ(s.USJunctionName, t.USJunctionName);
        EXPECT_EQ(s.DSJunctionName, t.DSJunctionName);
        ASSERT_NE(s.UpstreamNode, nullptr);
        ASSERT_NE(s.DownstreamNode, nullptr);
        EXPECT_EQ(s.UpstreamNode->Name, s.USJunctionName);
        EXPECT_EQ(s.DownstreamNode->Name, s.DSJunctionName);
        ExpectSameEnd(*s.UpstreamEnd, *t.UpstreamEnd);
        ExpectSameEnd(*s.DownstreamEnd, *t.DownstreamEnd);
        EXPECT_DOUBLE_EQ(s.Length, t.Length);
        EXPECT_DOUBLE_EQ(s.InitialInfiltration, t.InitialInfiltration);
        EXPECT_DOUBLE_EQ(s.FinalInfiltration, t.FinalInfiltration);
        EXPECT_DOUBLE_EQ(s.Slope, t.Slope);
        EXPECT_DOUBLE_EQ(s.CalculatedDiameter, t.CalculatedDiameter);
        EXPECT_DOUBLE_EQ(s.ChosenDiameter, t.ChosenDiameter);
        EXPECT_DOUBLE_EQ(s.InitialTotalQ, t.InitialTotalQ);
        EXPECT_DOUBLE_EQ(s.FinalTotalQ, t.FinalTotalQ);
        EXPECT_DOUBLE_EQ(s.InitialdD, t.InitialdD);
        EXPECT_DOUBLE_EQ(s.FinaldD, t.FinaldD);
        EXPECT_DOUBLE_EQ(s.InitialVelocity, t.InitialVelocity);
        EXPECT_DOUBLE_EQ(s.FinalVelocity, t.FinalVelocity);
        EXPECT_EQ(s.Population.PopulationEnteredDirectly, t.Population.PopulationEnteredDirectly);
        EXPECT_EQ(s.Population.InitialNumberOfHouses, t.Population.InitialNumberOfHouses);
        EXPECT_EQ(s.Population.FinalNumberOfHouses, t.Population.FinalNumberOfHouses);
        EXPECT_EQ(s.Population.InitialHousePopulation, t.Population.InitialHousePopulation);
        EXPECT_EQ(s.Population.FinalHousePopulation, t.Population.FinalHousePopulation);
        EXPECT_EQ(s.Population.InitialPopulation, t.Population.InitialPopulation);
        EXPECT_EQ(s.Population.FinalPopulation, t.Population.FinalPopulation);
    }
    ASSERT_EQ(a.Junctions.size(), b.Junctions.size());
    for (std::size_t i = 0; i < a.Junctions.size(); ++i) {
        const SewerNode& j = *a.Junctions[i];
        const SewerNode& k = *b.Junctions[i];
        SCOPED_TRACE(j.Name.str());
        EXPECT_EQ(j.Name, k.Name);
        EXPECT_DOUBLE_EQ(j.X, k.X);
        EXPECT_DOUBLE_EQ(j.Y, k.Y);
        EXPECT_DOUBLE_EQ(j.Z, k.Z);
        ASSERT_EQ(j.ConnectedSewers.size(), k.ConnectedSewers.size());
        for (std::size_t c = 0; c < j.ConnectedSewers.size(); ++c)
            EXPECT_EQ(j.ConnectedSewers[c]->Name, k.ConnectedSewers[c]->Name);
    }
}

class NetworkFileTest : public testing::Test {
protected:
    void SetUp() override {
        Responder().Clear();
        ASSERT_TRUE(dir.isValid());
        ShortDateFormat = "mmmm d, yyyy";
        LongTimeFormat = "hh:nn:ss";
        golden = ReadBytes(TestData("riverside.snt"));
    }
    void TearDown() override { Responder().Clear(); }

    AnsiString Path(const char* name) const { return Ansi(dir.filePath(name)); }

    // Reads text through a file into network.
    int ReadText(SimpleSewerNetwork& network, const std::string& text) {
        WriteBytes(dir.filePath("input.snt"), text);
        return network.ReadFromFile(Path("input.snt"));
    }

    QTemporaryDir dir;
    std::string golden;
};

TEST_F(NetworkFileTest, WritesTheGoldenFilesByteForByte) {
    struct Row {
        const char* label;
        std::function<void(SimpleSewerNetwork&)> build;
        const char* golden;
    };
    const Row rows[] = {
        {"three sewers, four junctions", BuildRiverside, "riverside.snt"},
        {"defaults, no sewers", [](SimpleSewerNetwork& n) { n.Name = "Empty"; }, "empty-network.snt"},
    };
    const std::regex stamp(R"([A-Z][a-z]+ [1-9]\d?, \d{4} \d\d:\d\d:\d\d)");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SimpleSewerNetwork network;
        row.build(network);
        ASSERT_EQ(network.WriteToFile(Path("out.snt")), 0);
        EXPECT_TRUE(Responder().Asked.empty());
        EXPECT_TRUE(std::regex_match(network.Date.str(), stamp)) << network.Date.str();
        // The stamp is the time of writing; the rest must match the hand-written file exactly.
        std::vector<std::string> written = Lines(ReadBytes(dir.filePath("out.snt")));
        const std::vector<std::string> expected = Lines(ReadBytes(TestData(row.golden)));
        ASSERT_GE(written.size(), 3u);
        EXPECT_EQ(written[2], network.Date.str());
        written[2] = expected[2];
        EXPECT_EQ(Joined(written, written.size()), ReadBytes(TestData(row.golden)));
    }
}

TEST_F(NetworkFileTest, ReadsTheGoldenFileBackFieldByField) {
    SimpleSewerNetwork expected;
    BuildRiverside(expected);
    SimpleSewerNetwork network;
    ASSERT_EQ(network.ReadFromFile(Ansi(TestData("riverside.snt"))), 0);
    EXPECT_TRUE(Responder().Asked.empty());
    EXPECT_EQ(network.Date, "January 18, 2011 14:05:09");
    ExpectSameNetwork(network, expected);
}

TEST_F(NetworkFileTest, ReadsVariantsOfTheGoldenFileAsTheSameNetwork) {
    const std::vector<std::string> lines = Lines(golden);
    std::string commented = lines[0] + "\n# a comment after the marker\n";
    for (std::size_t i = 1; i < lines.size(); ++i)
        commented += "#\n" + lines[i] + "\n";
    std::string unlabelled;
    for (const std::string& line : lines)
        unlabelled +=
            (line.find(" <=") != std::string::npos ? line.substr(0, line.find(" <=")) : line) + "\n";
    struct Row {
        const char* label;
        std::string text;
    };
    const Row rows[] = {
        {"Windows line endings", Joined(lines, lines.size(), "\r\n")},
        {"comment lines before every value", commented},
        {"labels left out", unlabelled},
        {"no line break after the last line", golden.substr(0, golden.size() - 1)},
        {"blocks after the last junction ignored", golden + "J9 <= junction name\n"},
    };
    SimpleSewerNetwork expected;
    BuildRiverside(expected);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        SimpleSewerNetwork network;
        ASSERT_EQ(ReadText(network, row.text), 0);
        EXPECT_TRUE(Responder().Asked.empty());
        EXPECT_EQ(network.Date, "January 18, 2011 14:05:09");
        ExpectSameNetwork(network, expected);
    }
}

TEST_F(NetworkFileTest, ReadsValueLinesByTheirLeadingValueOnly) {
    struct Row {
        const char* label;
        std::string from, to;
        std::function<void(const SimpleSewerNetwork&)> check;
    };
    const Row rows[] = {
        {"a flag of 2 is false", "1  <== This is a datum reference point (1)",
         "2  <== This is a datum reference point (1)",
         [](const SimpleSewerNetwork& n) { EXPECT_FALSE(n.Sewers[0]->UpstreamEnd->DatumReference); }},
        {"any label after a number", "  0.8000 <= ReturnFactor", "0.85 whatever follows",
         [](const SimpleSewerNetwork& n) { EXPECT_DOUBLE_EQ(n.ReturnFactor, 0.85); }},
        {"a name keeps its first word", "S2 <= sewer name", "S 2 <= sewer name",
         [](const SimpleSewerNetwork& n) { EXPECT_EQ(n.Sewers[1]->Name, "S"); }},
        {"a value that is no number keeps the default", "  2.5000 <= PeakFlowFactor", "two and a half",
         [](const SimpleSewerNetwork& n) { EXPECT_DOUBLE_EQ(n.PeakFlowFactor, 1.8); }},
        {"an integer that is no number keeps the default", "25 <= InitialNumberOfHouses", "many",
         [](const SimpleSewerNetwork& n) { EXPECT_EQ(n.Sewers[0]->Population.InitialNumberOfHouses, 0); }},
        {"signed and exponent numbers", "  50.00000 <= length ", "+5e1 <= length",
         [](const SimpleSewerNetwork& n) { EXPECT_DOUBLE_EQ(n.Sewers[0]->Length, 50); }},
        {"a title of 300 characters", "Riverside scheme", std::string(300, 'T'),
         [](const SimpleSewerNetwork& n) { EXPECT_EQ(n.Name, std::string(300, 'T')); }},
        // Sewers are read under their own names, so a name like a reader's placeholder is safe.
        {"sewer names like NewSewerxxxx1", "S1 <= sewer name", "NewSewerxxxx1 <= sewer name",
         [](const SimpleSewerNetwork& n) {
             ASSERT_EQ(n.Sewers.size(), 3u);
             EXPECT_EQ(n.Sewers[0]->Name, "NewSewerxxxx1");
             EXPECT_EQ(n.Sewers[1]->Name, "S2");
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        SimpleSewerNetwork network;
        ASSERT_EQ(ReadText(network, Replaced(golden, row.from + "\n", row.to + "\n")), 0);
        EXPECT_TRUE(Responder().Asked.empty());
        row.check(network);
    }
}

TEST_F(NetworkFileTest, RefusesBadFilesWithOneMessageAndLeavesTheNetworkAsItWas) {
    const std::vector<std::string> lines = Lines(golden);
    const AnsiString title = Application->Title;
    struct Row {
        const char* label;
        std::string text;
        std::vector<MessageRequest> messages;
    };
    const Row rows[] = {
        {"empty file", "", {{"Error reading network data file: ", title, Exclamation}}},
        {"marker followed by a blank",
         Replaced(golden, "#SNTV1.1\n", "#SNTV1.1 \n"),
         {{"This doesn't appear to be Drenvala network file. Choose another.", "Wrong file message",
           Exclamation},
          {"The first line of the file should read: #SNTV1.1 this file has: #SNTV1.1 ",
           "The first line of the file should read: ", Exclamation}}},
        {"marker in lower case",
         Replaced(golden, "#SNTV1.1\n", "#sntv1.1\n"),
         {{"This doesn't appear to be Drenvala network file. Choose another.", "Wrong file message",
           Exclamation},
          {"The first line of the file should read: #SNTV1.1 this file has: #sntv1.1",
           "The first line of the file should read: ", Exclamation}}},
        {"end in the settings",
         Joined(lines, 4),
         {{"Error reading network data file:   0.8000 <= ReturnFactor", title, Exclamation}}},
        {"end inside a sewer block",
         Joined(lines, 21),
         {{"Error reading network data file.", title, Exclamation}}},
        {"end inside a sewer-end block",
         Joined(lines, 24),
         {{"Error reading network data file.    98.500 <= invert", title, Exclamation}}},
        {"end inside a junction block",
         Joined(lines, 133),
         {{"Error reading network data file.   100.000 <= z", title, Exclamation}}},
        {"end before a junction block",
         Joined(lines, 135),
         {{"Error reading network data file: S1 <= connected sewer name", title, Exclamation}}},
        {"sewer count that is no number",
         Replaced(golden, "3 <= Number of sewers", "three <= Number of sewers"),
         {{"Error reading network data file: three <= Number of sewers", title, Exclamation}}},
        {"negative junction count",
         Replaced(golden, "4 <= Number of junctions", "-4 <= Number of junctions"),
         {{"Error reading network data file: -4 <= Number of junctions", title, Exclamation}}},
        {"junction name given twice",
         Replaced(golden, "J3 <= junction name", "J2 <= junction name"),
         {{"Error reading network data file: junction J2 appears twice.", title, Exclamation}}},
        {"sewer name given twice",
         Replaced(golden, "S3 <= sewer name", "S1 <= sewer name"),
         {{"Error reading network data file: sewer S1 appears twice.", title, Exclamation}}},
        {"sewer naming a junction without a block",
         Replaced(golden, "J3 <= d/s junction name", "J9 <= d/s junction name"),
         {{"Error reading network data file: sewer S2 names junction J9, which has no junction block.", title,
           Exclamation}}},
        // A title beginning with "#" is taken for a comment, which shifts every value after it.
        {"title taken for a comment",
         Replaced(golden, "Riverside scheme", "#1 Riverside scheme"),
         {{"Error reading network data file: S1 <= sewer name", title, Exclamation}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        SimpleSewerNetwork network;
        network.Name = "Unsaved work";
        network.AddSewer("Keep", "A", "B", 12);
        EXPECT_EQ(ReadText(network, row.text), 1);
        ASSERT_EQ(Responder().Asked.size(), row.messages.size());
        for (std::size_t i = 0; i < row.messages.size(); ++i) {
            EXPECT_EQ(Responder().Asked[i].Text, row.messages[i].Text);
            EXPECT_EQ(Responder().Asked[i].Caption, row.messages[i].Caption);
            EXPECT_EQ(Responder().Asked[i].Flags, row.messages[i].Flags);
        }
        EXPECT_EQ(network.Name, "Unsaved work");
        ASSERT_EQ(network.Sewers.size(), 1u);
        EXPECT_EQ(network.Sewers[0]->Name, "Keep");
        EXPECT_EQ(network.Junctions.size(), 2u);
        EXPECT_DOUBLE_EQ(network.ReturnFactor, 0.85);
    }
}

TEST_F(NetworkFileTest, EveryTruncationGivesOneMessageAndChangesNothing) {
    const std::vector<std::string> lines = Lines(golden);
    for (std::size_t kept = 0; kept < lines.size(); ++kept) {
        SCOPED_TRACE(("lines kept: " + IntToStr(static_cast<std::int64_t>(kept))).str());
        Responder().Clear();
        SimpleSewerNetwork network;
        network.Name = "Unsaved work";
        network.AddSewer("Keep", "A", "B", 12);
        EXPECT_EQ(ReadText(network, Joined(lines, kept)), 1);
        EXPECT_EQ(Responder().Asked.size(), 1u);
        EXPECT_EQ(network.Name, "Unsaved work");
        ASSERT_EQ(network.Sewers.size(), 1u);
        EXPECT_EQ(network.Sewers[0]->Name, "Keep");
        EXPECT_EQ(network.Junctions.size(), 2u);
    }
}

TEST_F(NetworkFileTest, AFileThatCannotBeOpenedIsReported) {
    SimpleSewerNetwork network;
    BuildRiverside(network);
    network.Date = "before";
    // The saved copy is made beside the target under a longer name, which this name leaves no room for.
    const std::string longName(250, 'n');
    WriteBytes(dir.filePath(QString::fromStdString(longName)), "previous contents");
    struct Row {
        const char* label;
        AnsiString fileName;
    };
    const Row rows[] = {
        {"no such folder", Path("missing/out.snt")},
        {"no file name", ""},
        {"no room beside the file", Path(longName.c_str())},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        EXPECT_EQ(network.WriteToFile(row.fileName), 1);
        ASSERT_EQ(Responder().Asked.size(), 1u);
        EXPECT_EQ(Responder().Asked[0].Text, "Could not open the file " + row.fileName);
        EXPECT_EQ(Responder().Asked[0].Caption, "Error while saving network");
        EXPECT_EQ(Responder().Asked[0].Flags, Exclamation);
        EXPECT_EQ(network.Date, "before");

        Responder().Clear();
        SimpleSewerNetwork other;
        EXPECT_EQ(other.ReadFromFile(row.fileName + ".missing"), 1);
        ASSERT_EQ(Responder().Asked.size(), 1u);
        EXPECT_EQ(Responder().Asked[0].Text, "Could not open the file " + row.fileName + ".missing");
        EXPECT_EQ(Responder().Asked[0].Caption, "Error while reading network");
        EXPECT_EQ(Responder().Asked[0].Flags, Exclamation);
    }
    EXPECT_EQ(ReadBytes(dir.filePath(QString::fromStdString(longName))), "previous contents");
}

TEST_F(NetworkFileTest, NumbersUseAPointWhateverTheLocaleSeparators) {
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    SimpleSewerNetwork network;
    BuildRiverside(network);
    ASSERT_EQ(network.WriteToFile(Path("out.snt")), 0);
    SimpleSewerNetwork read;
    ASSERT_EQ(read.ReadFromFile(Path("out.snt")), 0);
    DecimalSeparator = '.';
    ThousandSeparator = ',';
    ExpectSameNetwork(read, network);
    EXPECT_NE(ReadBytes(dir.filePath("out.snt")).find("  0.8000 <= ReturnFactor\n"), std::string::npos);
}

} // namespace
