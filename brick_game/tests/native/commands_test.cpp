// Menu commands, check marks, colours, dialogs and the sound cues.
#include "recording_platform.h"

#include <gtest/gtest.h>

namespace brick::testing {
namespace {

using Calls = std::vector<std::string>;

Calls Sounds(const RecordingPlatform& fx) {
    Calls out;
    for (const std::string& call : fx.calls) {
        if (call.rfind("cue ", 0) == 0 || call.rfind("stop ", 0) == 0) {
            out.push_back(call);
        }
    }
    return out;
}

struct CueCase {
    const char* event;
    void (*setup)(BrickGame&);
    void (*action)(BrickGame&, RecordingPlatform&);
    Calls soundOn;
    Calls soundOff;
};

void NoSetup(BrickGame&) {}

void PlayingAt(BrickGame& g, int x, int y, int quadrant, double angle) {
    g.screenMode = ModeRoundIntro;
    g.isPlaying = true;
    g.ballInFlight = true;
    g.paddleX = 300;
    g.ballX = g.originX = x;
    g.ballY = g.originY = y;
    g.stepCount = 1;
    g.quadrant = quadrant;
    g.ballAngle = angle;
}

TEST(Cues, EveryEventWithSoundOnAndOff) {
    const CueCase cases[] = {
        {"window created",
         NoSetup,
         [](BrickGame& g, RecordingPlatform& fx) { OnCreate(g, fx); },
         {"cue play.wav loop"},
         {"cue play.wav loop"}},
        {"game over banner ends",
         [](BrickGame& g) {
             g.screenMode = ModeGameOver;
             g.bannerFade = 254;
         },
         [](BrickGame& g, RecordingPlatform& fx) { BannerFrame(g, fx); },
         {"cue play.wav loop"},
         {}},
        {"victory banner ends",
         [](BrickGame& g) {
             g.screenMode = ModeVictory;
             g.bannerFade = 254;
         },
         [](BrickGame& g, RecordingPlatform& fx) { BannerFrame(g, fx); },
         {"cue play.wav loop"},
         {}},
        {"credits end",
         [](BrickGame& g) {
             g.screenMode = ModeCredits;
             g.creditsY = -899;
         },
         [](BrickGame& g, RecordingPlatform& fx) { BannerFrame(g, fx); },
         {"cue play.wav loop"},
         {}},
        {"round 2 intro ends",
         [](BrickGame& g) {
             g.screenMode = ModeRoundIntro;
             g.bannerFade = 254;
             g.roundBase = 1400;
             g.score = 2700;
         },
         [](BrickGame& g, RecordingPlatform& fx) { BannerFrame(g, fx); },
         {"cue round.wav wait", "cue 2.wav wait"},
         {}},
        {"enter on game over",
         [](BrickGame& g) { g.screenMode = ModeGameOver; },
         [](BrickGame& g, RecordingPlatform& fx) { PressEnter(g, fx); },
         {"cue play.wav loop"},
         {}},
        {"enter on victory",
         [](BrickGame& g) { g.screenMode = ModeVictory; },
         [](BrickGame& g, RecordingPlatform& fx) { PressEnter(g, fx); },
         {"cue play.wav loop"},
         {}},
        {"enter during the intro",
         [](BrickGame& g) { g.screenMode = ModeRoundIntro; },
         [](BrickGame& g, RecordingPlatform& fx) { PressEnter(g, fx); },
         {"stop purge"},
         {"stop purge"}},
        {"enter on the pause screen",
         [](BrickGame& g) { g.screenMode = ModePaused; },
         [](BrickGame& g, RecordingPlatform& fx) { PressEnter(g, fx); },
         {"cue pause.wav start"},
         {}},
        {"pause on the pause screen",
         [](BrickGame& g) { g.screenMode = ModePaused; },
         [](BrickGame& g, RecordingPlatform& fx) { TogglePause(g, fx); },
         {"cue pause.wav start"},
         {}},
        {"pause during play",
         [](BrickGame& g) { g.isPlaying = true; },
         [](BrickGame& g, RecordingPlatform& fx) { TogglePause(g, fx); },
         {"cue pause.wav start"},
         {}},
        {"brick hit",
         [](BrickGame& g) { PlayingAt(g, 300, 120, 1, 0.5); },
         [](BrickGame& g, RecordingPlatform& fx) { TestBricks(g, fx); },
         {"cue Kubik.wav start"},
         {}},
        {"last brick of a round",
         [](BrickGame& g) {
             PlayingAt(g, 300, 300, 1, 0.5);
             for (auto& row : g.brickGrid) {
                 for (auto& cell : row) {
                     cell = 0;
                 }
             }
         },
         [](BrickGame& g, RecordingPlatform& fx) { ScoreAndBricks(g, fx); },
         {"cue excelent.wav wait"},
         {}},
        {"paddle hit",
         [](BrickGame& g) { PlayingAt(g, 330, 447, 2, 0.5); },
         [](BrickGame& g, RecordingPlatform& fx) { TestPaddle(g, fx); },
         {"cue Doska.wav start"},
         {}},
        {"wall hit",
         [](BrickGame& g) { PlayingAt(g, 685, 300, 1, 0.5); },
         [](BrickGame& g, RecordingPlatform& fx) { TestWalls(g, fx); },
         {"cue Stena.wav start"},
         {}},
        {"ball lost",
         [](BrickGame& g) { PlayingAt(g, 300, 470, 2, 0.5); },
         [](BrickGame& g, RecordingPlatform& fx) { EndOfBall(g, fx); },
         {"cue gameover.wav start"},
         {}},
        {"game won",
         [](BrickGame& g) {
             PlayingAt(g, 300, 470, 2, 0.5);
             g.score = 6200;
         },
         [](BrickGame& g, RecordingPlatform& fx) { EndOfBall(g, fx); },
         {"cue Congrat.wav wait", "cue Applauds.wav start"},
         {}},
        {"dialog closed on the title",
         NoSetup,
         [](BrickGame& g, RecordingPlatform& fx) { CloseHelpDialog(g, fx); },
         {"stop emptyName", "cue play.wav loop"},
         {"stop emptyName"}},
        {"dialog closed elsewhere",
         [](BrickGame& g) { g.screenMode = ModePaused; },
         [](BrickGame& g, RecordingPlatform& fx) { CloseHelpDialog(g, fx); },
         {"stop emptyName"},
         {"stop emptyName"}},
    };
    for (const CueCase& k : cases) {
        for (bool soundOff : {false, true}) {
            BrickGame g;
            k.setup(g);
            g.soundOff = soundOff;
            RecordingPlatform fx(&g);
            k.action(g, fx);
            EXPECT_EQ(Sounds(fx), soundOff ? k.soundOff : k.soundOn)
                << k.event << (soundOff ? ", sound off" : ", sound on");
        }
    }
}

TEST(Cues, RoundOneIntroAfterAGameNamesRoundOne) {
    BrickGame g;
    g.screenMode = ModeRoundIntro;
    g.bannerFade = 254;
    g.score = 900; // left from the last game
    RecordingPlatform fx(&g);
    BannerFrame(g, fx);
    EXPECT_EQ(Sounds(fx), (Calls{"cue round.wav wait", "cue 1.wav wait"}));
}

struct CommandCase {
    int id;
    std::int32_t screenMode;
    Calls soundOn;  // with the title screen rules of the mode given
    Calls soundOff; // the same command with sound off
};

TEST(Commands, CuesOfTheMenuItems) {
    const CommandCase cases[] = {
        {cmd::Exit, ModeTitle, {"cue Bye.wav wait", "cue exit.wav wait"}, {}},
        {cmd::Keyboard, ModeTitle, {"cue Stupid.wav wait", "cue play.wav loop"}, {}},
        {cmd::Keyboard, ModePaused, {"cue Stupid.wav wait"}, {}},
        {cmd::Mouse, ModeTitle, {"cue pp.wav wait", "cue play.wav loop"}, {}},
        {cmd::Mouse, ModeGameOver, {"cue pp.wav wait"}, {}},
        {cmd::SpeedFast, ModeTitle, {"cue pp.wav wait", "cue play.wav loop"}, {}},
        {cmd::SpeedNormal, ModeCredits, {"cue pp.wav wait"}, {}},
        {cmd::SoundOn, ModeTitle, {"cue play.wav loop"}, {"cue play.wav loop"}},
        {cmd::SoundOn, ModePaused, {}, {}},
        {cmd::SoundOff, ModeTitle, {"stop emptyName"}, {"stop emptyName"}},
        {cmd::Rules, ModeTitle, {"stop purge", "cue Hop.wav loop"}, {}},
        {cmd::About, ModePaused, {"stop purge", "cue Hop.wav loop"}, {}},
        {cmd::Author, ModeTitle, {"stop purge", "cue Yeahbaby.wav start"}, {}},
        {40099, ModeTitle, {}, {}},
    };
    for (const CommandCase& k : cases) {
        for (bool soundOff : {false, true}) {
            BrickGame g;
            g.screenMode = k.screenMode;
            g.soundOff = soundOff;
            RecordingPlatform fx(&g);
            Command(g, fx, k.id);
            EXPECT_EQ(Sounds(fx), soundOff ? k.soundOff : k.soundOn)
                << k.id << " in mode " << k.screenMode << (soundOff ? ", sound off" : "");
        }
    }
}

TEST(Commands, SpeedItemsSetTheDelayAndMoveTheCheckMark) {
    struct Case {
        int id;
        std::int32_t loops;
    };
    const Case cases[] = {
        {40011, 700000}, {40005, 300000}, {40006, 70000}, {40007, 5000}, {40012, 1}};
    for (Case k : cases) {
        BrickGame g;
        g.delayLoops = 12345;
        RecordingPlatform fx(&g);
        Command(g, fx, k.id);
        EXPECT_EQ(g.delayLoops, k.loops) << k.id;
        EXPECT_EQ(g.checkedSpeedId, k.id);
        EXPECT_EQ(fx.only("check"),
                  (Calls{"check 40006 off", "check " + std::to_string(k.id) + " on"}));
        // The other groups are untouched.
        EXPECT_EQ(g.checkedControlId, 40004);
        EXPECT_EQ(g.checkedSoundId, 40026);
    }
}

TEST(Commands, ControlAndSoundItemsWithTheirCheckMarks) {
    BrickGame g;
    RecordingPlatform fx(&g);
    Command(g, fx, cmd::Keyboard);
    EXPECT_TRUE(g.keyboardControl);
    Command(g, fx, cmd::Keyboard);
    Command(g, fx, cmd::Mouse);
    EXPECT_FALSE(g.keyboardControl);
    Command(g, fx, cmd::SoundOff);
    EXPECT_TRUE(g.soundOff);
    Command(g, fx, cmd::SoundOn);
    EXPECT_FALSE(g.soundOff);
    EXPECT_EQ(fx.only("check"),
              (Calls{"check 40004 off", "check 40003 on", "check 40003 off", "check 40003 on",
                     "check 40003 off", "check 40004 on", "check 40026 off", "check 40027 on",
                     "check 40027 off", "check 40026 on"}));
    EXPECT_EQ(g.checkedControlId, 40004);
    EXPECT_EQ(g.checkedSoundId, 40026);
}

TEST(Commands, ControlModeChangeLeavesPaddleAndBall) {
    BrickGame g;
    g.isPlaying = true;
    g.screenMode = ModeReady;
    g.paddleX = 123;
    g.ballX = 44;
    RecordingPlatform fx(&g);
    Command(g, fx, cmd::Keyboard);
    EXPECT_EQ(g.paddleX, 123);
    EXPECT_EQ(g.ballX, 44);
}

TEST(Commands, ResultsAndWhetherAPlayFrameFollows) {
    const int ids[] = {40001, 40010, 40003, 40004, 40011, 40005, 40006, 40007, 40012, 40026,
                       40027, 40028, 40029, 40030, 40016, 40008, 40009, 40002, 40099, 0};
    for (int id : ids) {
        for (bool playing : {false, true}) {
            BrickGame g;
            g.isPlaying = playing;
            g.screenMode = playing ? ModeReady : ModeCredits;
            RecordingPlatform fx; // no re-dispatch: the sent keys do not change play
            fx.dialogAnswer = 7;
            const CommandResult r = Command(g, fx, id);
            const bool excluded = id == 40002 || id == 40008 || id == 40009;
            EXPECT_EQ(r.playFrameFollows, playing && !excluded) << id;
            EXPECT_EQ(r.result, (id == 40008 || id == 40009) ? 7 : 0) << id;
        }
    }
}

TEST(Commands, DialogsOpenTheirResources) {
    struct Case {
        int id, dialog;
    };
    for (Case k : {Case{40016, 113}, Case{40008, 104}, Case{40009, 106}}) {
        BrickGame g;
        RecordingPlatform fx(&g);
        fx.dialogAnswer = 2;
        fx.whileDialogUp = [&] { CloseHelpDialog(g, fx); };
        Command(g, fx, k.id);
        EXPECT_EQ(fx.only("dialog"), Calls{"dialog " + std::to_string(k.dialog)});
        // The dialog's own cue is replaced by the title music when it closes.
        EXPECT_EQ(fx.calls.back(), "cue play.wav loop") << k.id;
    }
}

TEST(Commands, StartAndPauseItemsActAsTheirKeys) {
    BrickGame g;
    RecordingPlatform fx(&g);
    Menu(g, fx, cmd::Start);
    EXPECT_EQ(g.screenMode, ModeRoundIntro);
    Menu(g, fx, cmd::Start);
    EXPECT_TRUE(g.isPlaying);
    fx.clear();
    Menu(g, fx, cmd::Pause);
    EXPECT_EQ(g.screenMode, ModePaused);
    EXPECT_FALSE(g.isPlaying);
    EXPECT_EQ(fx.only("beginPaint").size(), 0u) << "paused now: no play frame follows";
    fx.clear();
    Menu(g, fx, cmd::Pause);
    EXPECT_TRUE(g.isPlaying);
    EXPECT_EQ(fx.only("roundRect").size(), 1u) << "playing again: one play frame follows";
}

TEST(Commands, ExitDestroysTheWindowAfterItsCues) {
    BrickGame g;
    RecordingPlatform fx(&g);
    Command(g, fx, cmd::Exit);
    EXPECT_EQ(fx.calls, (Calls{"cue Bye.wav wait", "cue exit.wav wait", "destroyWindow"}));
}

TEST(Colours, ChosenColourIsStoredAndGreyOrCancelChangesNothing) {
    struct Case {
        int id;
        desk::Colour answer;
        bool changes;
    };
    const Case cases[] = {
        {cmd::BrickColour, desk::Rgb(10, 20, 30), true},
        {cmd::BallColour, desk::Rgb(0, 0, 0), true},
        {cmd::PaddleColour, desk::Rgb(255, 255, 255), true},
        {cmd::BallColour, desk::Rgb(128, 128, 128), false},
        {cmd::PaddleColour, desk::Rgb(128, 128, 127), true},
    };
    for (const Case& k : cases) {
        BrickGame g;
        g.brickColour = 1;
        g.ballColour = 2;
        g.paddleColour = 3;
        RecordingPlatform fx(&g);
        fx.colourAnswer = k.answer;
        bool openDuring = false;
        fx.whileDialogUp = [&] { openDuring = g.colourDialogOpen; };
        Command(g, fx, k.id);
        EXPECT_TRUE(openDuring);
        EXPECT_FALSE(g.colourDialogOpen);
        desk::Colour* field = k.id == cmd::BrickColour  ? &g.brickColour
                              : k.id == cmd::BallColour ? &g.ballColour
                                                        : &g.paddleColour;
        const desk::Colour before = k.id == cmd::BrickColour ? 1 : k.id == cmd::BallColour ? 2 : 3;
        EXPECT_EQ(*field, k.changes ? k.answer : before) << k.id;
        Calls expected{"chooseColour"};
        if (k.changes) {
            expected.push_back("cue pp.wav wait");
            expected.push_back("cue play.wav loop");
        }
        expected.push_back("invalidateAll erase");
        EXPECT_EQ(fx.calls, expected) << k.id;
        EXPECT_EQ(g.customColours[15], k.answer) << "the custom colours are kept";
    }
}

} // namespace
} // namespace brick::testing
