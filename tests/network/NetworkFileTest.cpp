#include "tests/network/SampleNetworks.h"
#include "tests/support/LocaleSeparators.h"

#include "framework/DateTime.h"
#include "framework/NumberFormat.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <utility>
#include <vector>

namespace {

const QString Data = DRENVALA_TEST_DATA "/";
constexpr int Exclamation = MB_OK | MB_ICONEXCLAMATION;
const char* const GoldenStamp = "January 18, 2011 14:05:09";

std::string ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString()
                                          : "<missing " + path.toStdString() + ">";
}

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Every test runs with a decimal comma, which the file must not follow.
class NetworkFileTest : public testing::Test {
protected:
    void SetUp() override {
        Responder().Clear();
        ASSERT_TRUE(dir.isValid());
        ShortDateFormat = "mmmm d, yyyy";
        LongTimeFormat = "hh:nn:ss";
    }
    void TearDown() override {
        Responder().Clear();
        QLocale::setDefault(QLocale::system());
        ShortDateFormat = shortDate;
        LongTimeFormat = longTime;
    }

    AnsiString Path(const char* name) const { return dir.filePath(name).toStdString(); }

    // The golden file with its first line that starts with from made to start with to.
    std::string With(const std::string& from, const std::string& to) const {
        return Replaced(golden, "\n" + from, "\n" + to);
    }

    // The first count lines of the golden file.
    std::string Head(std::size_t count) const {
        std::size_t end = 0;
        for (std::size_t i = 0; i < count; ++i)
            end = golden.find('\n', end) + 1;
        return golden.substr(0, end);
    }

    // What the network writes, with the golden file's stamp: every field the file holds. The links
    // to junctions, which a read makes from the names, must agree with the names.
    std::string Written(SimpleSewerNetwork& n) {
        for (const Sewer* s : n.Sewers) {
            EXPECT_TRUE(s->UpstreamNode && s->UpstreamNode->Name == s->USJunctionName) << s->Name.str();
            EXPECT_TRUE(s->DownstreamNode && s->DownstreamNode->Name == s->DSJunctionName) << s->Name.str();
        }
        EXPECT_EQ(n.WriteToFile(Path("written.snt")), 0);
        return Replaced(ReadBytes(dir.filePath("written.snt")), "\n" + n.Date.str() + "\n",
                        "\n" + std::string(GoldenStamp) + "\n");
    }

    // Reads text through a file into network.
    int ReadText(SimpleSewerNetwork& network, const std::string& text) {
        WriteBytes(dir.filePath("input.snt"), text);
        return network.ReadFromFile(Path("input.snt"));
    }

    const AnsiString shortDate = ShortDateFormat, longTime = LongTimeFormat;
    // Every file test runs with a decimal comma: files keep the point whatever the locale.
    const LocaleSeparators comma{',', '.'};
    QTemporaryDir dir;
    const std::string golden = ReadBytes(Data + "riverside.snt");
};

// Built through the editing operations, the networks write the golden files.
TEST_F(NetworkFileTest, WritesTheGoldenFilesByteForByte) {
    SimpleSewerNetwork riverside, empty;
    BuildRiverside(riverside);
    empty.Name = "Empty";
    EXPECT_EQ(Written(riverside), golden);
    EXPECT_EQ(Written(empty), ReadBytes(Data + "empty-network.snt"));
    EXPECT_TRUE(Told(Exclamation).empty());
    // The stamp is the time of writing.
    EXPECT_TRUE(
        std::regex_match(empty.Date.str(), std::regex(R"([A-Z][a-z]+ [1-9]\d?, \d{4} \d\d:\d\d:\d\d)")))
        << empty.Date.str();
}

// Read, then written again: the text each row gives, the golden file where none is given.
TEST_F(NetworkFileTest, ReadsTheGoldenFileAndItsVariants) {
    // The file is read and written in blocks of 256 KiB.
    const std::string beyondABlock(300000, 'T');
    const auto everywhere = [this](const char* from, const char* to) {
        return std::regex_replace(golden, std::regex(from), to);
    };
    const std::string extremes =
        Replaced(With("100 <= InitialPopulation", "-2147483648 <= InitialPopulation"),
                 "\n120 <= FinalPopulation", "\n2147483647 <= FinalPopulation");
    // clang-format off
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"as written", golden, ""},
        {"Windows line endings", everywhere("\n", "\r\n"), ""},
        {"comment lines before every value", everywhere("\n(?!$)", "\n# a comment\n"), ""},
        {"labels left out", everywhere(" <=.*", ""), ""},
        {"no line break after the last line", golden.substr(0, golden.size() - 1), ""},
        {"blocks after the last junction ignored", golden + "J9 <= junction name\n", ""},
        {"signed and exponent numbers", With("  50.00000 <= length", "+5e1 <= length"), ""},
        {"a flag of 2 is false", With("1  <== This is a datum", "2  <== This is a datum"),
         With("1  <== This is a datum reference point (1)",
              "0  <== This is not a datum reference point (0)")},
        {"any label after a number", With("  0.8000 <= ReturnFactor", "0.85 whatever follows"),
         With("  0.8000", "  0.8500")},
        {"a name keeps its first word", With("S2 <= ", "S 2 <= "), everywhere("\nS2 <=", "\nS <=")},
        {"a value that is no number keeps the default", With("  2.5000 <= PeakFlowFactor", "two and a half"),
         With("  2.5000", "  1.8000")},
        {"an integer that is no number keeps the default", With("25 <= InitialNumberOfHouses", "many"),
         With("25 <=", "0 <=")},
        {"a title longer than a block", With("Riverside scheme", beyondABlock),
         With("Riverside scheme", beyondABlock)},
        {"a comment longer than a block", With("  0.8000 <= Return", "#" + beyondABlock + "\n  0.8000 <= Return"),
         ""},
        // Sewers are read under their own names, so a name like a reader's placeholder is safe.
        {"sewer names like NewSewerxxxx1", With("S1 <= ", "NewSewerxxxx1 <= "),
         everywhere("\nS1 <=", "\nNewSewerxxxx1 <=")},
        // Mended: the line end of the title took only one of its carriage returns.
        {"carriage returns before the line ends", everywhere("\n", "\r\r\n"), ""},
        // Mended: the smallest integer, held when houses x persons fall below the range, read as 0.
        {"the smallest and largest integers", extremes, extremes},
    };
    // clang-format on
    for (const auto& [label, text, expected] : rows) {
        SCOPED_TRACE(label);
        SimpleSewerNetwork network;
        ASSERT_EQ(ReadText(network, text), 0);
        EXPECT_TRUE(Told(Exclamation).empty());
        EXPECT_EQ(network.Date, GoldenStamp);
        EXPECT_EQ(Written(network), expected.empty() ? golden : expected);
        // Values keep every digit, not only the places the file shows again.
        EXPECT_EQ(network.Sewers[0]->CalculatedDiameter, 0.18734);
    }
}

// Each text in a length's place reads as the double the compiler makes of the same literal.
TEST_F(NetworkFileTest, ReadsEveryNumberToTheNearestDouble) {
    const std::pair<const char*, double> rows[] = {
        {"0.1", 0.1},
        {"   50.00000", 50.0},
        {"-0.30000000000004", -0.30000000000004},
        {"123456789012.345", 123456789012.345},
        {"999999999999999", 999999999999999.0},
        {"1234567890123.4567", 1234567890123.4567},
        {"0.000000000000000000000012345", 0.000000000000000000000012345},
        {"9007199254740993", 9007199254740993.0},
        {"1.5e2", 150.0},
        {"2.", 2.0},
        {"0x10", 0.0},
        {"7.25.5", 7.25},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        SimpleSewerNetwork network;
        ASSERT_EQ(ReadText(network, With("  50.00000 <= length", std::string(text) + " <= length")), 0);
        EXPECT_EQ(network.Sewers[0]->Length, expected);
    }
    SimpleSewerNetwork network;
    ASSERT_EQ(ReadText(network, With("  50.00000 <= length", "-0.000 <= length")), 0);
    EXPECT_TRUE(std::signbit(network.Sewers[0]->Length));
}

TEST_F(NetworkFileTest, RefusesBadFilesWithOneMessageAndLeavesTheNetworkAsItWas) {
    const std::string wrongFile =
        "Wrong file message: This doesn't appear to be Drenvala network file. Choose "
        "another.\n\nThe first line of the file should read: #SNTV1.1 this file has: ";
    const std::string error = "Drenvala: Error reading network data file";
    // clang-format off
    std::vector<std::pair<std::string, Names>> rows = {
        {"", {error + ": "}},
        {Replaced(golden, "#SNTV1.1\n", "#SNTV1.1 \n"), {wrongFile + "#SNTV1.1 "}},
        {Replaced(golden, "#SNTV1.1\n", "#sntv1.1\n"), {wrongFile + "#sntv1.1"}},
        // Files of other kinds: control bytes escaped, bytes that are no text left out, a long line cut.
        {std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10), {wrongFile + "\\x7FELF\\x02\\x01\\x01\\x00\\x00\\x00"}},
        {"\xff\xfe" "Zu\xcc\x88rich\tline\n", {wrongFile + "Zu\xcc\x88rich\\x09line"}},
        {std::string(100000, 'x'), {wrongFile + std::string(80, 'x') + "..."}},
        // Ends in the settings, in a sewer, in a sewer end, in a junction and before a junction block.
        {Head(4), {error + ":   0.8000 <= ReturnFactor"}},
        {Head(21), {error + "."}},
        {Head(24), {error + ".    98.500 <= invert"}},
        {Head(133), {error + ".   100.000 <= z"}},
        {Head(135), {error + ": S1 <= connected sewer name"}},
        {With("3 <= Number", "three <= Number"), {error + ": three <= Number of sewers"}},
        {With("4 <= Number", "-4 <= Number"), {error + ": -4 <= Number of junctions"}},
        {With("J3 <= junction", "J2 <= junction"), {error + ": junction J2 appears twice."}},
        {With("S3 <= sewer", "S1 <= sewer"), {error + ": sewer S1 appears twice."}},
        {With("J3 <= d/s", "J9 <= d/s"),
         {error + ": sewer S2 names junction J9, which has no junction block."}},
        // A title beginning with "#" is taken for a comment, which shifts every value after it.
        {With("Riverside", "#1 Riverside"), {error + ": S1 <= sewer name"}},
    };
    // clang-format on
    // Cut anywhere, the file gives one message, whatever it says.
    for (std::size_t kept = 0; kept < static_cast<std::size_t>(std::ranges::count(golden, '\n')); ++kept)
        rows.push_back({Head(kept), {}});
    for (const auto& [text, told] : rows) {
        SCOPED_TRACE(told.empty() ? "cut after " + std::to_string(std::ranges::count(text, '\n')) + " lines"
                                  : told.back());
        SimpleSewerNetwork network;
        network.Name = "Unsaved work";
        network.AddSewer("Keep", "A", "B", 12);
        const std::string before = Written(network);
        EXPECT_EQ(ReadText(network, text), 1);
        const Names said = Told(Exclamation);
        EXPECT_EQ(said.size(), told.empty() ? 1 : told.size());
        if (!told.empty()) {
            EXPECT_EQ(said, told);
        }
        EXPECT_EQ(Written(network), before);
    }
}

TEST_F(NetworkFileTest, AFileThatCannotBeOpenedIsReportedAndKept) {
    SimpleSewerNetwork network;
    network.Date = "before";
    // The saved copy is made beside the target under a longer name, which this name leaves no room for.
    const std::string longName(250, 'n');
    WriteBytes(dir.filePath(QString::fromStdString(longName)), "previous contents");
    for (const AnsiString& name : {Path("missing/out.snt"), AnsiString(""), Path(longName.c_str())}) {
        SCOPED_TRACE(name.str());
        EXPECT_EQ(network.WriteToFile(name), 1);
        EXPECT_EQ(Told(Exclamation),
                  Names{"Error while saving network: Could not open the file " + name.str()});
        EXPECT_EQ(network.Date, "before");
        SimpleSewerNetwork other;
        EXPECT_EQ(other.ReadFromFile(name + ".missing"), 1);
        EXPECT_EQ(Told(Exclamation),
                  Names{"Error while reading network: Could not open the file " + name.str() + ".missing"});
    }
    EXPECT_EQ(ReadBytes(dir.filePath(QString::fromStdString(longName))), "previous contents");
}

// A name line is read as one blank-delimited word that is no comment, and a name may stand only
// once: a network whose file would not read back is not saved, and the old file stays.
TEST_F(NetworkFileTest, ANetworkWhoseNamesWouldNotReadBackIsNotSavedOverTheOldFile) {
    using Rename = void (*)(SimpleSewerNetwork&);
    const std::tuple<const char*, Rename, const char*> rows[] = {
        // Editing may give S2 the name S1.
        {"a sewer name twice",
         [](SimpleSewerNetwork& n) { n.EditSewer("S2", "S1", "J2", false, "J3", false, 10); },
         "sewer S1 appears twice. Give one of them another name."},
        {"a junction name twice", [](SimpleSewerNetwork& n) { n.Junctions[2]->SetName("J1"); },
         "junction J1 appears twice. Give one of them another name."},
        // Mended: these were written, and read back as another name or not at all.
        {"a sewer without a name", [](SimpleSewerNetwork& n) { n.Sewers[1]->SetName(""); },
         "sewer number 2 has no name. Give it one."},
        {"a junction without a name", [](SimpleSewerNetwork& n) { n.Junctions[0]->SetName(""); },
         "junction number 1 has no name. Give it one."},
        {"a sewer name holding a blank", [](SimpleSewerNetwork& n) { n.Sewers[0]->SetName("S 1"); },
         "the name of sewer \"S 1\" holds a blank. Give it a name without blanks."},
        {"a junction name ending in a tab", [](SimpleSewerNetwork& n) { n.Junctions[1]->SetName("J2\t"); },
         "the name of junction \"J2\t\" holds a blank. Give it a name without blanks."},
        {"a sewer name beginning with #", [](SimpleSewerNetwork& n) { n.Sewers[0]->SetName("#1"); },
         "the name of sewer #1 begins with \"#\". Give it another name."},
        {"a title beginning with #", [](SimpleSewerNetwork& n) { n.Name = "#1 Riverside"; },
         "the title #1 Riverside begins with \"#\". Give it another title."},
        // A pasted title may carry a line break, after which every value would be read a line late.
        {"a title holding a line break", [](SimpleSewerNetwork& n) { n.Name = "Riverside\nphase 2"; },
         "the title Riverside\nphase 2 holds a line break. Give it a title on one line."},
    };
    for (const auto& [label, rename, told] : rows) {
        SCOPED_TRACE(label);
        SimpleSewerNetwork network;
        network.AddSewer("S1", "J1", "J2", 10);
        network.AddSewer("S2", "J2", "J3", 10);
        rename(network);
        WriteBytes(dir.filePath("kept.snt"), "previous contents");
        EXPECT_EQ(network.WriteToFile(Path("kept.snt")), 1);
        EXPECT_EQ(Told(Exclamation),
                  Names{"Error while saving network: The network cannot be saved: " + std::string(told)});
        EXPECT_EQ(ReadBytes(dir.filePath("kept.snt")), "previous contents");
    }
    // A title may hold blanks and "#" after its first character; names may hold "#" and "<=".
    SimpleSewerNetwork network;
    network.Name = "Riverside #2";
    network.AddSewer("S#1", "<=", "J2", 10);
    network.BuildConnections();
    EXPECT_EQ(network.WriteToFile(Path("kept.snt")), 0);
    SimpleSewerNetwork read;
    EXPECT_EQ(read.ReadFromFile(Path("kept.snt")), 0);
    EXPECT_EQ(Written(read), Written(network));
}

TEST_F(NetworkFileTest, SaveStampsFollowTheFrameworkTokensAndTheLocale) {
    // 18 January 2011 was a Tuesday, 40561 days after 30 December 1899.
    const TDateTime afternoon = EncodeDate(2011, 1, 18) + EncodeTime(14, 5, 9, 0);
    const TDateTime morning = EncodeDate(2009, 12, 3) + EncodeTime(0, 7, 0, 0);
    EXPECT_DOUBLE_EQ(EncodeDate(2011, 1, 18), 40561);
    // clang-format off
    const std::tuple<const char*, TDateTime, const char*> rows[] = {
        {"h:nn:ss ampm", afternoon, "2:05:09 PM"}, {"h:nn AMPM", morning, "12:07 AM"},
        {"m/d/yy", morning, "12/3/09"}, {"dd/mm/yyyy", morning, "03/12/2009"},
        {"ddd d mmm", afternoon, "Tue 18 Jan"}, {"dddd", morning, "Thursday"},
        {"\"day\" d 'of' mmmm", morning, "day 3 of December"}, {"MMMM D, YYYY", morning, "December 3, 2009"}};
    // clang-format on
    for (const auto& [format, value, text] : rows)
        EXPECT_EQ(FormatDateTime(format, value), text) << format;
    // The process formats, "mmmm d, yyyy" and "hh:nn:ss" here, joined by a blank.
    EXPECT_EQ(DateTimeToStr(afternoon), GoldenStamp);

    // Qt's "M/d/yy" and "h:mm:ss AP t" in the framework's letters, the time zone left out.
    const std::tuple<const char*, const char*, const char*> locales[] = {{"en_US", "m/d/yy", "h:nn:ss ampm"},
                                                                         {"de_DE", "dd.mm.yy", "hh:nn:ss"}};
    for (const auto& [locale, date, time] : locales) {
        SCOPED_TRACE(locale);
        QLocale::setDefault(QLocale(locale));
        ReadDateTimeSettings();
        EXPECT_EQ(ShortDateFormat, date);
        EXPECT_EQ(LongTimeFormat, time);
    }
}

} // namespace
