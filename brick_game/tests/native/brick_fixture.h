// What most native tests of the brick game share: one game and the recording
// platform it runs on, and the messages of the main window sent through the
// game's own message operations, as the window procedure sends them.
#pragma once

#include "recording_platform.h"

#include <gtest/gtest.h>

namespace brick::testing {

using Calls = std::vector<std::string>;

// A round in play with the ball on the paddle, which stands at 300.
inline BrickGame InPlay(bool keyboard = false) {
    BrickGame g;
    g.screenMode = ModeRoundIntro;
    g.isPlaying = true;
    g.keyboardControl = keyboard;
    g.paddleX = 300;
    g.ballY = 50;
    return g;
}

// A round in play with the ball in flight at (x, y), one step into a segment
// that starts there.
inline BrickGame Flying(int x, int y, int quadrant, double angle) {
    BrickGame g;
    g.screenMode = ModeRoundIntro;
    g.isPlaying = true;
    g.ballInFlight = true;
    g.paddleX = 300;
    g.ballX = g.originX = x;
    g.ballY = g.originY = y;
    g.stepCount = 1;
    g.quadrant = quadrant;
    g.ballAngle = angle;
    return g;
}

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
