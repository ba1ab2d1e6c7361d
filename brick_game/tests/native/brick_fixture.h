// What most native tests of the brick game share: one game and the recording
// platform it runs on, and the messages of the main window sent through the
// game's own message operations, as the window procedure sends them.
#pragma once

#include "recording_platform.h"

#include <gtest/gtest.h>

namespace brick::testing {

using Calls = std::vector<std::string>;

class BrickTest : public ::testing::Test {
  protected:
    // Starts again from this record, on a fresh platform.
    void Start(const BrickGame& from) {
        g = from;
        platform = RecordingPlatform(&g);
    }

    void Paint() { OnPaint(g, platform); }
    void Key(int virtualKey) { OnKeyDown(g, platform, virtualKey); }
    int Menu(int commandId) { return OnCommand(g, platform, commandId); }

    // The calls that one banner frame makes from the game's state now, run on
    // a copy: what every message makes first while no play runs.
    Calls BannerCalls() const {
        BrickGame copy = g;
        RecordingPlatform banner(&copy);
        BannerFrame(copy, banner);
        return banner.calls;
    }

    BrickGame g;
    RecordingPlatform platform{&g};
};

} // namespace brick::testing
