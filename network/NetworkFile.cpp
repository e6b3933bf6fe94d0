#include "framework/Application.h"
#include "framework/DateTime.h"
#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "network/NetworkFileReader.h"
#include "network/NetworkFileWriter.h"
#include "network/NetworkNames.h"
#include "network/Sewernetwork.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr const char* FileMarker = "#SNTV1.1";

QString FileNameOf(const AnsiString& fileName) {
    return QString::fromUtf8(fileName.c_str());
}

// The first line of a file that is no network, as a message can show it: a file of another kind
// may hold bytes that are no text, or no line break for megabytes. Control characters show as
// "\xHH", bytes that are no UTF-8 are left out, and a long line is cut.
AnsiString ShownFirstLine(std::string_view line) {
    constexpr int MostCharacters = 80;
    // No character is longer than four bytes.
    line = line.substr(0, 4 * (MostCharacters + 1));
    const QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    QString shown;
    int characters = 0;
    for (const QChar c : text) {
        if (c == QChar::ReplacementCharacter)
            continue;
        if (++characters > MostCharacters) {
            shown += QStringLiteral("...");
            break;
        }
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += QString::asprintf("\\x%02X", c.unicode());
        else
            shown += c;
    }
    return shown.toStdString();
}

} // namespace

void SimpleSewerNetwork::WriteNetwork(NetworkFileWriter& out, const AnsiString& stamp) const {
    out.Text(FileMarker);
    out.Text("\n");
    out.Line(Name, "\n");
    out.Line(stamp, "\n");
    out.Fixed(ReturnFactor, 8, 4, " <= ReturnFactor\n");
    out.Fixed(PeakFlowFactor, 8, 4, " <= PeakFlowFactor\n");
    out.Integer(FrictionFormula, " <= Manning(0), ColeBrook-White(1), Escitt(2)\n");
    out.Fixed(ManningN, 8, 4, " <= ManningN\n");
    out.Fixed(ks, 8, 4, " <= ks\n");
    out.Text(UseMinimumTauCalc ? "1 <= Use MinimumTauClac\n" : "0 <= Use MinimumTauClac\n");
    out.Fixed(MinimumTau, 8, 4, " <= MinumimTau\n");
    out.Fixed(MinimumSelfCleaningVel, 8, 4, " <= MinimumSelfCleaningVel\n");
    out.Fixed(MinimumSewerCover, 8, 4, " <= MinimumSewerCover\n");
    out.Text(UseDiameterLimiting ? "1 <= Use DiameterLimiting\n" : "0 <= Use DiameterLimiting\n");
    out.Fixed(MinimumDiameter, 8, 4, " <= MinimumDiameter\n");
    out.Text(UseDischargeLimiting ? "1 <= Use DischargeLimiting\n" : "0 <= Use DischargeLimiting\n");
    out.Fixed(MinimumDischarge, 8, 4, " <= MinimumDischarge\n");
    out.Text(UseGroundSlopeLimiting ? "1 <= Use GroundSlopeLimiting\n" : "0 <= Use GroundSlopeLimiting\n");
    out.Fixed(InitialLCD, 8, 4, " <= InitialLCD\n");
    out.Fixed(FinalLCD, 8, 4, " <= FinalLCD\n");
    out.Integer(static_cast<int>(Sewers.size()), " <= Number of sewers\n");
    for (const Sewer* s : Sewers)
        s->Write(out);
    out.Integer(static_cast<int>(Junctions.size()), " <= Number of junctions\n");
    for (const SewerNode* j : Junctions)
        j->Write(out);
}

namespace {

// Why a name line of the file would not give name back; place counts from 1 in the list.
AnsiString NameFault(const AnsiString& name, const AnsiString& kind, std::size_t place) {
    switch (NameFaultOf(name.view())) {
    case nfEmpty:
        return kind + " number " + IntToStr(static_cast<int>(place)) + " has no name. Give it one.";
    case nfBlank:
        return "the name of " + kind + " \"" + name + "\" holds a blank. Give it a name without blanks.";
    case nfHash:
        return "the name of " + kind + " " + name + " begins with \"#\". Give it another name.";
    case nfNone:
        break;
    }
    return {};
}

template <class T>
AnsiString ListFault(const std::vector<T*>& items, const NamedList<T>& list, const AnsiString& kind) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const AnsiString& name = items[i]->Name;
        if (AnsiString fault = NameFault(name, kind, i + 1); !fault.IsEmpty())
            return fault;
        if (list.HasRepeatedNames() && list.AllNamed(name).size() > 1)
            return kind + " " + name + " appears twice. Give one of them another name.";
    }
    return {};
}

} // namespace

AnsiString SimpleSewerNetwork::UnsavableName() const {
    // A title line beginning with "#" is taken for a comment, which shifts every value after it.
    if (!Name.IsEmpty() && Name[1] == '#')
        return "the title " + Name + " begins with \"#\". Give it another title.";
    // The title is one line of the file.
    if (Name.view().find_first_of("\r\n") != std::string_view::npos)
        return "the title " + Name + " holds a line break. Give it a title on one line.";
    const AnsiString fault = ListFault(Sewers, sewerList, "sewer");
    return fault.IsEmpty() ? ListFault(Junctions, junctionList, "junction") : fault;
}

int SimpleSewerNetwork::WriteToFile(const AnsiString& fileName) {
    // A file that would not read back is never written: the old file stays.
    if (const AnsiString fault = UnsavableName(); !fault.IsEmpty()) {
        Application->MessageBox("The network cannot be saved: " + fault, "Error while saving network",
                                MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    const AnsiString stamp = DateTimeToStr(Now());
    // The file is replaced only once all of it is written, so a failed save keeps the old one.
    QSaveFile file(FileNameOf(fileName));
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        NetworkFileWriter out([&file](std::string_view block) {
            return file.write(block.data(), static_cast<qint64>(block.size())) ==
                   static_cast<qint64>(block.size());
        });
        WriteNetwork(out, stamp);
        written = out.Finish() && file.commit();
    }
    if (!written) {
        Application->MessageBox("Could not open the file " + fileName, "Error while saving network",
                                MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    Date = stamp;
    return 0;
}

int SimpleSewerNetwork::ReadFromFile(const AnsiString& fileName) {
    QFile file(FileNameOf(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        Application->MessageBox("Could not open the file " + fileName, "Error while reading network",
                                MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    // A read that fails part way reads as the end of the file.
    NetworkFileReader in([&file](char* buffer, std::size_t room) {
        const qint64 got = file.read(buffer, static_cast<qint64>(room));
        return got > 0 ? static_cast<std::size_t>(got) : std::size_t{0};
    });
    // Read aside, so that a failure leaves this network as it was.
    SimpleSewerNetwork read;
    try {
        std::string_view first;
        if (!in.NextLine(first))
            NetworkFileReader::Fail("");
        if (first != FileMarker) {
            // One message: the second one once shown held its text as its caption.
            Application->MessageBox(
                AnsiString("This doesn't appear to be Drenvala network file. Choose another.\n\n"
                           "The first line of the file should read: ") +
                    FileMarker + " this file has: " + ShownFirstLine(first),
                "Wrong file message", MB_OK | MB_ICONEXCLAMATION);
            return 1;
        }
        read.ReadNetworkData(in);
    } catch (const ENetworkFileError& error) {
        Application->MessageBox(error.Message, Application->Title, MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    TakeOver(read);
    return 0;
}

void SimpleSewerNetwork::ReadNetworkData(NetworkFileReader& in) {
    const auto part = NetworkFileReader::NetworkPart;
    Name = in.WholeLine(part);
    Date = in.WholeLine(part);
    in.Double(ReturnFactor, part);
    in.Double(PeakFlowFactor, part);
    in.Integer(FrictionFormula, part);
    in.Double(ManningN, part);
    in.Double(ks, part);
    in.Flag(UseMinimumTauCalc, part);
    in.Double(MinimumTau, part);
    in.Double(MinimumSelfCleaningVel, part);
    in.Double(MinimumSewerCover, part);
    in.Flag(UseDiameterLimiting, part);
    in.Double(MinimumDiameter, part);
    in.Flag(UseDischargeLimiting, part);
    in.Double(MinimumDischarge, part);
    in.Flag(UseGroundSlopeLimiting, part);
    in.Double(InitialLCD, part);
    in.Double(FinalLCD, part);

    const int sewerCount = in.Count(part);
    for (int i = 0; i < sewerCount; ++i) {
        auto s = std::make_unique<Sewer>("");
        s->Read(in);
        const AnsiString name = s->Name;
        if (!sewerList.AppendNew(std::move(s)))
            NetworkFileReader::Fail("sewer " + name + " appears twice.");
    }

    const int junctionCount = in.Count(part);
    for (int i = 0; i < junctionCount; ++i) {
        const AnsiString name = in.Name(part);
        SewerNode* j = junctionList.AppendNew(std::make_unique<SewerNode>(name));
        if (!j)
            NetworkFileReader::Fail("junction " + name + " appears twice.");
        j->Read(in);
    }

    // Each name stands once, so linking each sewer to its junctions is what BuildConnections does.
    for (Sewer* s : Sewers) {
        s->UpstreamNode = junctionList.Find(s->USJunctionName);
        s->DownstreamNode = junctionList.Find(s->DSJunctionName);
        if (!s->UpstreamNode || !s->DownstreamNode)
            NetworkFileReader::Fail("sewer " + s->Name + " names junction " +
                                    (s->UpstreamNode ? s->DSJunctionName : s->USJunctionName) +
                                    ", which has no junction block.");
        s->UpstreamNode->ConnectedSewers.push_back(s);
        s->DownstreamNode->ConnectedSewers.push_back(s);
    }
}

void SimpleSewerNetwork::TakeOver(SimpleSewerNetwork& other) {
    Name = other.Name;
    Date = other.Date;
    ReturnFactor = other.ReturnFactor;
    PeakFlowFactor = other.PeakFlowFactor;
    FrictionFormula = other.FrictionFormula;
    ManningN = other.ManningN;
    ks = other.ks;
    UseMinimumTauCalc = other.UseMinimumTauCalc;
    MinimumTau = other.MinimumTau;
    MinimumSelfCleaningVel = other.MinimumSelfCleaningVel;
    MinimumSewerCover = other.MinimumSewerCover;
    UseDiameterLimiting = other.UseDiameterLimiting;
    MinimumDiameter = other.MinimumDiameter;
    UseDischargeLimiting = other.UseDischargeLimiting;
    MinimumDischarge = other.MinimumDischarge;
    UseGroundSlopeLimiting = other.UseGroundSlopeLimiting;
    InitialLCD = other.InitialLCD;
    FinalLCD = other.FinalLCD;
    FreeLists();
    sewerList.TakeOver(other.sewerList);
    junctionList.TakeOver(other.junctionList);
}
