#include "network/Sewernetwork.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Thousands of random edits, each followed by a comparison with a plain list searched from the
// front: the first entry of a name is the one found, names are exact (case counts), and an entry
// taken out is found no more.

namespace {

// A fixed-seed generator, so that a failure repeats.
class Draw {
public:
    explicit Draw(std::uint64_t seed) : state(seed) {}
    std::size_t Below(std::size_t n) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<std::size_t>((state >> 33) % n);
    }

private:
    std::uint64_t state;
};

// Few names, so that repeats are common, in two cases, with the empty name; and many others,
// so that the table grows.
std::vector<std::string> NamePool() {
    std::vector<std::string> pool{""};
    for (int k = 0; k < 24; ++k) {
        pool.push_back("J" + std::to_string(k));
        pool.push_back("j" + std::to_string(k));
    }
    for (int k = 0; k < 400; ++k)
        pool.push_back("N" + std::to_string(k));
    return pool;
}

struct Listed {
    SewerNode* entry;
    std::string name;
};

// Where the index's answers for the probed and the listed names, or an entry's place, differ from
// a scan of the model; empty when they agree.
std::string Disagreement(const NamedList<SewerNode>& list, const std::vector<Listed>& model,
                         std::span<SewerNode* const> removed, std::span<const AnsiString> probed) {
    if (list.Items().size() != model.size())
        return "list of " + std::to_string(list.Items().size()) + " entries";
    std::unordered_map<std::string_view, std::vector<SewerNode*>> named;
    for (std::size_t i = 0; i < model.size(); ++i) {
        SewerNode* entry = model[i].entry;
        if (list.Items()[i] != entry || entry->Name.str() != model[i].name ||
            list.PositionOf(entry) != static_cast<int>(i))
            return "entry " + std::to_string(i) + " " + entry->Name.str();
        named[model[i].name].push_back(entry);
    }
    for (const SewerNode* gone : removed)
        if (list.PositionOf(gone) != -1)
            return "removed " + gone->Name.str() + " still placed";
    const bool repeats = std::ranges::any_of(named, [](const auto& n) { return n.second.size() > 1; });
    if (list.HasRepeatedNames() != repeats)
        return "repeats";
    const std::vector<SewerNode*> none;
    const auto answers = [&](const AnsiString& name) {
        const auto found = named.find(name.view());
        const std::vector<SewerNode*>& all = found == named.end() ? none : found->second;
        SewerNode* const first = all.empty() ? nullptr : all.front();
        return list.Find(name) == first && list.IndexOf(name) == (first ? list.PositionOf(first) : -1) &&
               std::ranges::equal(list.AllNamed(name), all);
    };
    for (const AnsiString& name : probed)
        if (!answers(name))
            return "look-up of \"" + name.str() + "\"";
    for (const auto& [name, entries] : named)
        if (!answers(AnsiString(name)))
            return "look-up of listed \"" + std::string(name) + "\"";
    return {};
}

TEST(NamedListModelTest, EveryEditAgreesWithAScanOfAPlainList) {
    const std::vector<std::string> pool = NamePool();
    const std::vector<AnsiString> probed(pool.begin(), pool.end());
    constexpr std::size_t shortNames = 49;
    Draw draw(20261207);
    // Mostly the few short names; now and then one of the many.
    const auto someName = [&] { return pool[draw.Below(draw.Below(4) == 0 ? pool.size() : shortNames)]; };
    NamedList<SewerNode> list;
    std::vector<Listed> model;
    std::vector<SewerNode*> removed;
    std::size_t cap = 40;
    const auto take = [&](std::size_t i) {
        removed.push_back(model[i].entry);
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
    };
    for (int step = 0; step < 4000; ++step) {
        // The list swells and shrinks, so that the table grows and is emptied again.
        if (step % 600 == 0)
            cap = std::vector<std::size_t>{4, 40, 200}[draw.Below(3)];
        const std::size_t op = model.empty() ? 0 : draw.Below(model.size() > cap ? 20 : 12);
        std::string what;
        const std::size_t removedBefore = removed.size();
        // Names an edit gave up, checked at once whatever the pool's turn.
        std::vector<AnsiString> probe(probed.begin(), probed.begin() + shortNames);
        if (step % 32 == 0)
            probe = probed;
        if (op < 2) {
            const std::string name = someName();
            what = "append " + name;
            const int at = list.Append(std::make_unique<SewerNode>(name));
            ASSERT_EQ(at, static_cast<int>(model.size()));
            model.push_back({list.Items().back(), name});
        } else if (op < 3) {
            const std::string name = someName();
            what = "append new " + name;
            SewerNode* entry = list.AppendNew(std::make_unique<SewerNode>(name));
            const bool listed = std::ranges::any_of(model, [&](const Listed& l) { return l.name == name; });
            ASSERT_EQ(entry == nullptr, listed) << what;
            if (entry)
                model.push_back({entry, name});
        } else if (op < 5) {
            const std::string name = someName();
            what = "find or append " + name;
            const auto first = std::ranges::find(model, name, &Listed::name);
            const int at = list.FindOrAppend(name);
            if (first != model.end()) {
                ASSERT_EQ(at, first - model.begin()) << what;
            } else {
                ASSERT_EQ(at, static_cast<int>(model.size())) << what;
                model.push_back({list.Items().back(), name});
            }
        } else if (op < 9) {
            // To a new name, to a listed one, or to its own.
            const std::size_t i = draw.Below(model.size());
            const std::size_t kind = draw.Below(3);
            const std::string name = kind == 0   ? someName()
                                     : kind == 1 ? model[draw.Below(model.size())].name
                                                 : model[i].name;
            what = "rename " + model[i].name + " to " + name;
            probe.push_back(model[i].name);
            model[i].entry->SetName(name);
            model[i].name = name;
        } else if (op < 10 && !removed.empty()) {
            // An entry taken out may still be renamed through an editor's stale selection.
            SewerNode* gone = removed[draw.Below(removed.size())];
            what = "rename a removed " + gone->Name.str();
            gone->SetName(someName());
            probe.push_back(gone->Name);
        } else if (op < 11 && step % 7 == 0) {
            // The whole list handed over and back, as a file read hands the network over.
            what = "take over";
            NamedList<SewerNode> aside;
            aside.TakeOver(list);
            ASSERT_TRUE(list.Items().empty());
            ASSERT_EQ(Disagreement(aside, model, {}, probe), "");
            list.TakeOver(aside);
        } else if (op < 16) {
            // First, last or any.
            const std::size_t where = draw.Below(3);
            const std::size_t i = where == 0 ? 0 : where == 1 ? model.size() - 1 : draw.Below(model.size());
            what = "remove " + model[i].name + " at " + std::to_string(i);
            probe.push_back(model[i].name);
            list.Remove(static_cast<int>(i));
            take(i);
        } else {
            // Some names, every entry bearing them; or every few entries whatever their name.
            const std::string a = someName(), b = someName();
            const std::size_t every = 1 + draw.Below(4);
            const bool byName = draw.Below(2) == 0;
            what = "remove if " + (byName ? a + " or " + b : "every " + std::to_string(every));
            for (const Listed& l : model)
                probe.push_back(l.name);
            std::vector<bool> out(model.size());
            for (std::size_t i = 0; i < model.size(); ++i)
                out[i] = byName ? model[i].name == a || model[i].name == b : i % every == 0;
            std::unordered_set<const SewerNode*> taken;
            for (std::size_t i = 0; i < model.size(); ++i)
                if (out[i])
                    taken.insert(model[i].entry);
            const int count = list.RemoveIf([&](const SewerNode& entry) { return taken.contains(&entry); });
            ASSERT_EQ(count, std::ranges::count(out, true)) << what;
            for (std::size_t i = model.size(); i-- > 0;)
                if (out[i])
                    take(i);
        }
        SCOPED_TRACE("step " + std::to_string(step) + ": " + what);
        // The entries taken out by this step; now and then all of them.
        ASSERT_EQ(
            Disagreement(list, model, std::span(removed).subspan(step % 32 == 0 ? 0 : removedBefore), probe),
            "");
    }
}

// One sewer as the editors see it: its name and the names of its two junctions.
struct SewerRow {
    std::string name, us, ds;
};

struct NetworkModel {
    std::vector<SewerRow> sewers;
    std::vector<std::string> junctions;

    bool Used(const std::string& j) const {
        return std::ranges::any_of(sewers, [&](const SewerRow& s) { return s.us == j || s.ds == j; });
    }
    void AddJunction(const std::string& j) {
        if (std::ranges::find(junctions, j) == junctions.end())
            junctions.push_back(j);
    }
};

// Names and order of both lists, every look-up, and each sewer joined to the junctions it names.
void ExpectNetwork(const SimpleSewerNetwork& n, const NetworkModel& model) {
    ASSERT_EQ(n.Sewers.size(), model.sewers.size());
    ASSERT_EQ(n.Junctions.size(), model.junctions.size());
    for (std::size_t i = 0; i < model.junctions.size(); ++i) {
        ASSERT_EQ(n.Junctions[i]->Name.str(), model.junctions[i]);
        ASSERT_EQ(n.JunctionIndex(model.junctions[i]), static_cast<int>(i));
    }
    for (std::size_t i = 0; i < model.sewers.size(); ++i) {
        const Sewer& s = *n.Sewers[i];
        const SewerRow& row = model.sewers[i];
        ASSERT_EQ(s.Name.str(), row.name);
        ASSERT_EQ(n.SewerIndex(row.name), static_cast<int>(i));
        ASSERT_EQ(s.USJunctionName.str(), row.us);
        ASSERT_EQ(s.DSJunctionName.str(), row.ds);
        ASSERT_EQ(s.UpstreamNode, n.Junctions[static_cast<std::size_t>(n.JunctionIndex(row.us))]) << row.name;
        ASSERT_EQ(s.DownstreamNode, n.Junctions[static_cast<std::size_t>(n.JunctionIndex(row.ds))])
            << row.name;
    }
    for (const char* absent : {"S", "J", "Jx", "s0"}) {
        ASSERT_EQ(n.SewerIndex(absent), -1);
        ASSERT_EQ(n.JunctionIndex(absent), -1);
    }
}

TEST(NamedListModelTest, NetworkEditsKeepEverySewerOnItsJunctionsThroughSaveAndRead) {
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("edited.snt").toStdString();
    Draw draw(70400);
    const auto junctionName = [&] { return (draw.Below(2) ? "J" : "j") + std::to_string(draw.Below(12)); };
    int nextSewer = 0, nextJunction = 100;
    SimpleSewerNetwork n;
    NetworkModel model;
    for (int step = 0; step < 1500; ++step) {
        const std::size_t op = model.sewers.empty() ? 0 : draw.Below(model.sewers.size() > 40 ? 12 : 9);
        std::string what;
        if (op < 3) {
            // A new sewer, or one already listed taken to other junctions.
            const bool again = draw.Below(4) == 0 && !model.sewers.empty();
            const std::string name = again ? model.sewers[draw.Below(model.sewers.size())].name
                                           : "S" + std::to_string(nextSewer++);
            const std::string us = junctionName(), ds = junctionName();
            what = "add " + name + " " + us + " " + ds;
            n.AddSewer(name, us, ds, 10.0);
            const auto row = std::ranges::find(model.sewers, name, &SewerRow::name);
            if (row == model.sewers.end())
                model.sewers.push_back({name, us, ds});
            else
                *row = {name, us, ds};
            model.AddJunction(us);
            model.AddJunction(ds);
        } else if (op < 4) {
            SewerRow& row = model.sewers[draw.Below(model.sewers.size())];
            const std::string name = draw.Below(2) ? row.name : "S" + std::to_string(nextSewer++);
            const std::string us = junctionName(), ds = junctionName();
            what = "edit " + row.name + " to " + name + " " + us + " " + ds;
            ASSERT_EQ(n.EditSewer(row.name, name, us, false, ds, false, 12.0), 0);
            row = {name, us, ds};
            model.AddJunction(us);
            model.AddJunction(ds);
        } else if (op < 6 && !model.junctions.empty()) {
            // As both editors rename a junction: never to another junction's name.
            const std::size_t i = draw.Below(model.junctions.size());
            const std::string old = model.junctions[i];
            const std::string name = draw.Below(3) == 0 ? old : "R" + std::to_string(nextJunction++);
            what = "rename junction " + old + " to " + name;
            SewerNode* j = n.Junctions[i];
            n.RenameJunction(j->Name, name);
            j->SetName(name);
            model.junctions[i] = name;
            for (SewerRow& s : model.sewers) {
                if (s.us == old)
                    s.us = name;
                if (s.ds == old)
                    s.ds = name;
            }
        } else if (op < 7 && !model.junctions.empty()) {
            const std::string name = model.junctions[draw.Below(model.junctions.size())];
            what = "delete junction " + name;
            const bool used = model.Used(name);
            ASSERT_EQ(n.DeleteJunctionIfUnused(name), used ? 1 : 0) << what;
            if (!used)
                std::erase(model.junctions, name);
        } else if (op < 8) {
            what = "delete unused junctions";
            const auto before = model.junctions.size();
            std::erase_if(model.junctions, [&](const std::string& j) { return !model.Used(j); });
            ASSERT_EQ(n.DeleteUnusedJunctions(), static_cast<int>(before - model.junctions.size()));
        } else {
            const std::size_t i = draw.Below(model.sewers.size());
            what = "delete sewer " + model.sewers[i].name;
            ASSERT_EQ(n.DeleteSewer(model.sewers[i].name), 0);
            model.sewers.erase(model.sewers.begin() + static_cast<std::ptrdiff_t>(i));
        }
        SCOPED_TRACE("step " + std::to_string(step) + ": " + what);
        ExpectNetwork(n, model);
        if (HasFatalFailure())
            return;
        if (step % 150 == 149) {
            // Saved and read back into the same network, which the edits then go on with.
            ASSERT_EQ(n.WriteToFile(file), 0);
            ASSERT_EQ(n.ReadFromFile(file), 0);
            ExpectNetwork(n, model);
            if (HasFatalFailure())
                return;
        }
    }
}

} // namespace
