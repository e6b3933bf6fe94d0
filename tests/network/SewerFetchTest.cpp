#include "network/SewerFetch.h"
#include "network/Sewernetwork.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Walking a list ahead reads nothing outside it: the list is the middle of a longer one whose
// other places hold null, and any read of those would crash.
TEST(SewerFetchTest, WalkingAheadReadsOnlyTheListItsJunctionsAndTheSewersAbove) {
    struct Case {
        const char* name;
        int sewers;
        bool connected;
    };
    const Case cases[] = {
        {"no sewers", 0, true},    {"one sewer", 1, true},   {"shorter than a step", 3, true},
        {"a few steps", 17, true}, {"many steps", 40, true}, {"sewers without junctions", 40, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimpleSewerNetwork n;
        std::vector<std::unique_ptr<Sewer>> loose;
        std::vector<Sewer*> list;
        for (int i = 0; i < c.sewers; ++i) {
            const std::string name = "S" + std::to_string(i);
            if (!c.connected) {
                loose.push_back(std::make_unique<Sewer>(name));
                list.push_back(loose.back().get());
                continue;
            }
            // Three sewers joining at every other junction, so some junctions list several.
            n.AddSewer(name, "J" + std::to_string(i), "J" + std::to_string(i / 3 + 1000), 10);
            list.push_back(n.GetSewer(name));
        }
        n.BuildConnections();
        constexpr std::size_t Margin = 100;
        std::vector<Sewer*> padded(Margin, nullptr);
        padded.insert(padded.end(), list.begin(), list.end());
        padded.insert(padded.end(), Margin, nullptr);
        const std::span<Sewer* const> walked(padded.data() + Margin, list.size());
        for (std::size_t at = 0; at < walked.size(); ++at)
            FetchSewersAhead(walked, at);
    }
}

} // namespace
