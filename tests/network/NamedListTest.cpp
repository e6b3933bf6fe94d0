#include "network/Sewernetwork.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// The name index answers what a scan of the list answers: the first sewer of a name in list order,
// through thousands of additions, deletions and renames that give names twice and take them back.

namespace {

int ScannedIndex(const SimpleSewerNetwork& n, const AnsiString& name) {
    for (std::size_t i = 0; i < n.Sewers.size(); ++i)
        if (n.Sewers[i]->Name == name)
            return static_cast<int>(i);
    return -1;
}

TEST(NamedListTest, LookUpsAgreeWithAScanThroughEveryEdit) {
    // A small pool of names, so that edits keep giving a name that is already listed.
    constexpr std::uint32_t pool = 1500;
    std::uint64_t state = 20110118;
    const auto draw = [&state](std::uint32_t below) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<std::uint32_t>((state >> 33) % below);
    };
    const auto name = [](std::uint32_t k) { return AnsiString("S" + std::to_string(k)); };
    SimpleSewerNetwork n;
    for (int step = 0; step < 20000; ++step) {
        const std::uint32_t choice = draw(10);
        if (choice < 5 || n.Sewers.empty()) {
            n.FindOrAddSewer(name(draw(pool)));
        } else if (choice < 7) {
            n.DeleteSewer(n.Sewers[draw(static_cast<std::uint32_t>(n.Sewers.size()))]->Name);
        } else {
            n.Sewers[draw(static_cast<std::uint32_t>(n.Sewers.size()))]->SetName(name(draw(pool)));
        }
        if (step % 2500 == 0)
            for (std::uint32_t k = 0; k < pool; ++k) {
                const AnsiString looked = name(k);
                const int scanned = ScannedIndex(n, looked);
                ASSERT_EQ(n.SewerIndex(looked), scanned) << looked.str() << " after " << step << " edits";
                ASSERT_EQ(n.GetSewer(looked),
                          scanned < 0 ? nullptr : n.Sewers[static_cast<std::size_t>(scanned)]);
            }
    }
}

} // namespace
