#include "AdvPanel/mouse/panel_release_gate.h"

#include <gtest/gtest.h>

using advpanel::GateScope;
using advpanel::ReleaseGate;

TEST(ReleaseGate, ReleasesAtOnceOnlyWhenNothingOfThePanelRuns) {
    ReleaseGate gate;
    EXPECT_TRUE(gate.TryRelease());
    gate.Enter();
    EXPECT_FALSE(gate.TryRelease());
    EXPECT_TRUE(gate.Busy());
    EXPECT_TRUE(gate.Leave()); // the outermost handler returned: ask again
    EXPECT_FALSE(gate.Busy());
    EXPECT_TRUE(gate.TryRelease());
}

TEST(ReleaseGate, AWaitingReleaseIsAskedForOnceWhenTheOutermostScopeEnds) {
    ReleaseGate gate;
    int asked = 0;
    {
        GateScope outer(gate, [&] { ++asked; });
        {
            GateScope inner(gate, [&] { ++asked; });
            EXPECT_FALSE(gate.TryRelease());
            EXPECT_FALSE(gate.TryRelease());
        }
        EXPECT_EQ(0, asked); // still inside the outer handler
    }
    EXPECT_EQ(1, asked);
    {
        GateScope again(gate, [&] { ++asked; });
    }
    EXPECT_EQ(1, asked); // nothing was waiting
}
