#pragma once

#include "controls/TypedSpinButton.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <functional>

// A step the user makes, by a key or by a spin button, is one edit to undo as a typed key is:
// Ctrl+Z brings back the text before the step, and a second Ctrl+Z the step again. pairOf gives
// a spin's buttons; withPageKeys for a spin that steps by Page Up and Page Down too.
template <class Spin, class PairOf> void ExpectUserStepsUndoOneByOne(PairOf pairOf, bool withPageKeys) {
    const auto key = [](Spin& spin, WORD pressed) {
        bool passOn = true;
        spin.ViewKeyDown(pressed, {}, 0, 0, passOn);
    };
    const struct {
        const char* label;
        std::function<void(Spin&)> step;
        const char* stepped;
        bool pageKey;
    } rows[] = {
        {"Up", [&](Spin& spin) { key(spin, VK_UP); }, "51", false},
        {"Down", [&](Spin& spin) { key(spin, VK_DOWN); }, "49", false},
        {"up button", [&](Spin& spin) { pairOf(spin).UpButton()->ViewClicked(); }, "51", false},
        {"down button", [&](Spin& spin) { pairOf(spin).DownButton()->ViewClicked(); }, "49", false},
        {"Page Up", [&](Spin& spin) { key(spin, VK_PRIOR); }, "60", true},
        {"Page Down", [&](Spin& spin) { key(spin, VK_NEXT); }, "40", true},
    };
    for (const auto& row : rows) {
        if (row.pageKey && !withPageKeys)
            continue;
        SCOPED_TRACE(row.label);
        Spin spin(nullptr);
        bool passOn = true;
        spin.SelectAll();
        spin.ViewKeyDown(0, {}, 0, '5', passOn);
        spin.ViewKeyDown(0, {}, 0, '0', passOn);
        ASSERT_EQ(spin.GetWindowText(), "50");
        row.step(spin);
        EXPECT_EQ(spin.GetWindowText(), row.stepped);
        spin.ViewKeyDown('Z', TShiftState{ssCtrl}, 0, 0x1A, passOn);
        EXPECT_EQ(spin.GetWindowText(), "50");
        spin.ViewKeyDown('Z', TShiftState{ssCtrl}, 0, 0x1A, passOn);
        EXPECT_EQ(spin.GetWindowText(), row.stepped);
    }
}
