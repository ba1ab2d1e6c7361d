// Menu commands, check marks, colours, dialogs and the sound cues.
#include "brick_fixture.h"

#include <gtest/gtest.h>

namespace brick::testing {
namespace {

using Cues = BrickTest;
using Commands = BrickTest;
using Colours = BrickTest;

Calls Sounds(const RecordingPlatform& platform) {
    Calls out;
    for (const std::string& call : platform.calls) {
        if (call.rfind("cue ", 0) == 0 || call.rfind("stop ", 0) == 0) {
            out.push_back(call);
        }
    }
    return out;
}

struct CueCase {
    const char* event;
    void (*setup)(BrickGame&);
    void (*action)(BrickGame&, BrickPlatform&);
    Calls soundOn;
    Calls soundOff;
};

void NoSetup(BrickGame&) {}

TEST_F(Cues, EveryEventWithSoundOnAndOff) {
    const CueCase cases[] = {
        {"window created", NoSetup, OnCreate, {"cue play.wav loop"}, {"cue play.wav loop"}},
        {"game over banner ends",
         [](BrickGame& g) {
             g.screenMode = ModeGameOver;
             g.bannerFade = 254;
         },
         BannerFrame,
         {"cue play.wav loop"},
         {}},
        {"victory banner ends",
         [](BrickGame& g) {
             g.screenMode = ModeVictory;
             g.bannerFade = 254;
         },
         BannerFrame,
         {"cue play.wav loop"},
         {}},
        {"credits end",
         [](BrickGame& g) {
             g.screenMode = ModeCredits;
             g.creditsY = -899;
         },
         BannerFrame,
         {"cue play.wav loop"},
         {}},
        {"round 2 intro ends",
         [](BrickGame& g) {
             g.screenMode = ModeRoundIntro;
             g.bannerFade = 254;
             g.roundBase = 1400;
             g.score = 2700;
         },
         BannerFrame,
         {"cue round.wav wait", "cue 2.wav wait"},
         {}},
        {"enter on game over",
         [](BrickGame& g) { g.screenMode = ModeGameOver; },
         PressEnter,
         {"cue play.wav loop"},
         {}},
        {"enter on victory",
         [](BrickGame& g) { g.screenMode = ModeVictory; },
         PressEnter,
         {"cue play.wav loop"},
         {}},
        {"enter during the intro",
         [](BrickGame& g) { g.screenMode = ModeRoundIntro; },
         PressEnter,
         {"stop purge"},
         {"stop purge"}},
        {"enter on the pause screen",
         [](BrickGame& g) { g.screenMode = ModePaused; },
         PressEnter,
         {"cue pause.wav start"},
         {}},
        {"pause on the pause screen",
         [](BrickGame& g) { g.screenMode = ModePaused; },
         TogglePause,
         {"cue pause.wav start"},
         {}},
        {"pause during play",
         [](BrickGame& g) { g.isPlaying = true; },
         TogglePause,
         {"cue pause.wav start"},
         {}},
        {"brick hit",
         [](BrickGame& g) { g = Flying(300, 120, 1, 0.5); },
         TestBricks,
         {"cue Kubik.wav start"},
         {}},
        {"last brick of a round",
         [](BrickGame& g) {
             g = Flying(300, 300, 1, 0.5);
             for (auto& row : g.brickGrid) {
                 for (auto& cell : row) {
                     cell = 0;
                 }
             }
         },
         ScoreAndBricks,
         {"cue excelent.wav wait"},
         {}},
        {"paddle hit",
         [](BrickGame& g) { g = Flying(330, 447, 2, 0.5); },
         TestPaddle,
         {"cue Doska.wav start"},
         {}},
        {"wall hit",
         [](BrickGame& g) { g = Flying(685, 300, 1, 0.5); },
         TestWalls,
         {"cue Stena.wav start"},
         {}},
        {"ball lost",
         [](BrickGame& g) { g = Flying(300, 470, 2, 0.5); },
         EndOfBall,
         {"cue gameover.wav start"},
         {}},
        {"game won",
         [](BrickGame& g) {
             g = Flying(300, 470, 2, 0.5);
             g.score = 6200;
         },
         EndOfBall,
         {"cue Congrat.wav wait", "cue Applauds.wav start"},
         {}},
        {"dialog closed on the title",
         NoSetup,
         CloseHelpDialog,
         {"stop emptyName", "cue play.wav loop"},
         {"stop emptyName"}},
        {"dialog closed elsewhere",
         [](BrickGame& g) { g.screenMode = ModePaused; },
         CloseHelpDialog,
         {"stop emptyName"},
         {"stop emptyName"}},
    };
    for (const CueCase& k : cases) {
        for (bool soundOff : {false, true}) {
            Start(BrickGame{});
            k.setup(g);
            g.soundOff = soundOff;
            k.action(g, platform);
            EXPECT_EQ(Sounds(platform), soundOff ? k.soundOff : k.soundOn)
                << k.event << (soundOff ? ", sound off" : ", sound on");
        }
    }
}

TEST_F(Cues, RoundOneIntroAfterAGameNamesRoundOne) {
    g.screenMode = ModeRoundIntro;
    g.bannerFade = 254;
    g.score = 900; // left from the last game
    BannerFrame(g, platform);
    EXPECT_EQ(Sounds(platform), (Calls{"cue round.wav wait", "cue 1.wav wait"}));
}

struct CommandCase {
    int id;
    std::int32_t screenMode;
    Calls soundOn;  // with the title screen rules of the mode given
    Calls soundOff; // the same command with sound off
};

TEST_F(Commands, CuesOfTheMenuItems) {
    const CommandCase cases[] = {
        {IDM_EXIT, ModeTitle, {"cue Bye.wav wait", "cue exit.wav wait"}, {}},
        {IDM_KEYBOARD, ModeTitle, {"cue Stupid.wav wait", "cue play.wav loop"}, {}},
        {IDM_KEYBOARD, ModePaused, {"cue Stupid.wav wait"}, {}},
        {IDM_MOUSE, ModeTitle, {"cue pp.wav wait", "cue play.wav loop"}, {}},
        {IDM_MOUSE, ModeGameOver, {"cue pp.wav wait"}, {}},
        {IDM_SPEED_FAST, ModeTitle, {"cue pp.wav wait", "cue play.wav loop"}, {}},
        {IDM_SPEED_NORMAL, ModeCredits, {"cue pp.wav wait"}, {}},
        {IDM_SOUND_ON, ModeTitle, {"cue play.wav loop"}, {"cue play.wav loop"}},
        {IDM_SOUND_ON, ModePaused, {}, {}},
        {IDM_SOUND_OFF, ModeTitle, {"stop emptyName"}, {"stop emptyName"}},
        {IDM_RULES, ModeTitle, {"stop purge", "cue Hop.wav loop"}, {}},
        {IDM_ABOUT, ModePaused, {"stop purge", "cue Hop.wav loop"}, {}},
        {IDM_AUTHOR, ModeTitle, {"stop purge", "cue Yeahbaby.wav start"}, {}},
        {40099, ModeTitle, {}, {}},
    };
    for (const CommandCase& k : cases) {
        for (bool soundOff : {false, true}) {
            Start(BrickGame{});
            g.screenMode = k.screenMode;
            g.soundOff = soundOff;
            Command(g, platform, k.id);
            EXPECT_EQ(Sounds(platform), soundOff ? k.soundOff : k.soundOn)
                << k.id << " in mode " << k.screenMode << (soundOff ? ", sound off" : "");
        }
    }
}

TEST_F(Commands, SpeedItemsSetTheDelayAndMoveTheCheckMark) {
    struct Case {
        int id;
        std::int32_t loops;
    };
    const Case cases[] = {
        {40011, 700000}, {40005, 300000}, {40006, 70000}, {40007, 5000}, {40012, 1}};
    for (Case k : cases) {
        Start(BrickGame{});
        g.delayLoops = 12345;
        Command(g, platform, k.id);
        EXPECT_EQ(g.delayLoops, k.loops) << k.id;
        EXPECT_EQ(g.checkedSpeedId, k.id);
        EXPECT_EQ(platform.only("check"),
                  (Calls{"check 40006 off", "check " + std::to_string(k.id) + " on"}));
        // The other groups are untouched.
        EXPECT_EQ(g.checkedControlId, 40004);
        EXPECT_EQ(g.checkedSoundId, 40026);
    }
}

TEST_F(Commands, ControlAndSoundItemsWithTheirCheckMarks) {
    Command(g, platform, IDM_KEYBOARD);
    EXPECT_TRUE(g.keyboardControl);
    Command(g, platform, IDM_KEYBOARD);
    Command(g, platform, IDM_MOUSE);
    EXPECT_FALSE(g.keyboardControl);
    Command(g, platform, IDM_SOUND_OFF);
    EXPECT_TRUE(g.soundOff);
    Command(g, platform, IDM_SOUND_ON);
    EXPECT_FALSE(g.soundOff);
    EXPECT_EQ(platform.only("check"),
              (Calls{"check 40004 off", "check 40003 on", "check 40003 off", "check 40003 on",
                     "check 40003 off", "check 40004 on", "check 40026 off", "check 40027 on",
                     "check 40027 off", "check 40026 on"}));
    EXPECT_EQ(g.checkedControlId, 40004);
    EXPECT_EQ(g.checkedSoundId, 40026);
}

TEST_F(Commands, ControlModeChangeLeavesPaddleAndBall) {
    g.isPlaying = true;
    g.screenMode = ModeReady;
    g.paddleX = 123;
    g.ballX = 44;
    Command(g, platform, IDM_KEYBOARD);
    EXPECT_EQ(g.paddleX, 123);
    EXPECT_EQ(g.ballX, 44);
}

TEST_F(Commands, ResultsAndWhetherAPlayFrameFollows) {
    const int ids[] = {40001, 40010, 40003, 40004, 40011, 40005, 40006, 40007, 40012, 40026,
                       40027, 40028, 40029, 40030, 40016, 40008, 40009, 40002, 40099, 0};
    for (int id : ids) {
        for (bool playing : {false, true}) {
            g = BrickGame{};
            g.isPlaying = playing;
            g.screenMode = playing ? ModeReady : ModeCredits;
            RecordingPlatform keysKept; // no re-dispatch: the sent keys do not change play
            keysKept.dialogAnswer = 7;
            const int result = OnCommand(g, keysKept, id);
            const bool excluded = id == 40002 || id == 40008 || id == 40009;
            EXPECT_EQ(keysKept.paddlesDrawn, playing && !excluded ? 1 : 0) << id;
            EXPECT_EQ(result, (id == 40008 || id == 40009) ? 7 : 0) << id;
        }
    }
}

TEST_F(Commands, DialogsOpenTheirResources) {
    struct Case {
        int id, dialog;
    };
    for (Case k : {Case{40016, 113}, Case{40008, 104}, Case{40009, 106}}) {
        Start(BrickGame{});
        platform.dialogAnswer = 2;
        platform.whileDialogUp = [&] { CloseHelpDialog(g, platform); };
        Command(g, platform, k.id);
        EXPECT_EQ(platform.only("dialog"), Calls{"dialog " + std::to_string(k.dialog)});
        // The dialog's own cue is replaced by the title music when it closes.
        EXPECT_EQ(platform.calls.back(), "cue play.wav loop") << k.id;
    }
}

TEST_F(Commands, StartAndPauseItemsActAsTheirKeys) {
    Menu(IDM_START);
    EXPECT_EQ(g.screenMode, ModeRoundIntro);
    Menu(IDM_START);
    EXPECT_TRUE(g.isPlaying);
    platform.clear();
    Menu(IDM_PAUSE);
    EXPECT_EQ(g.screenMode, ModePaused);
    EXPECT_FALSE(g.isPlaying);
    EXPECT_EQ(platform.only("beginPaint").size(), 0u) << "paused now: no play frame follows";
    platform.clear();
    Menu(IDM_PAUSE);
    EXPECT_TRUE(g.isPlaying);
    EXPECT_EQ(platform.only("roundRect").size(), 1u) << "playing again: one play frame follows";
}

TEST_F(Commands, ExitDestroysTheWindowAfterItsCues) {
    Command(g, platform, IDM_EXIT);
    EXPECT_EQ(platform.calls, (Calls{"cue Bye.wav wait", "cue exit.wav wait", "destroyWindow"}));
}

TEST_F(Colours, ChosenColourIsStoredAndGreyOrCancelChangesNothing) {
    struct Case {
        int id;
        desk::Colour answer;
        bool changes;
    };
    const Case cases[] = {
        {IDM_COLOUR_BRICKS, desk::Rgb(10, 20, 30), true},
        {IDM_COLOUR_BALL, desk::Rgb(0, 0, 0), true},
        {IDM_COLOUR_PADDLE, desk::Rgb(255, 255, 255), true},
        {IDM_COLOUR_BALL, desk::Rgb(128, 128, 128), false},
        {IDM_COLOUR_PADDLE, desk::Rgb(128, 128, 127), true},
    };
    for (const Case& k : cases) {
        Start(BrickGame{});
        g.brickColour = 1;
        g.ballColour = 2;
        g.paddleColour = 3;
        platform.colourAnswer = k.answer;
        bool openDuring = false;
        platform.whileDialogUp = [&] { openDuring = g.colourDialogOpen; };
        Command(g, platform, k.id);
        EXPECT_TRUE(openDuring);
        EXPECT_FALSE(g.colourDialogOpen);
        desk::Colour* field = k.id == IDM_COLOUR_BRICKS ? &g.brickColour
                              : k.id == IDM_COLOUR_BALL ? &g.ballColour
                                                        : &g.paddleColour;
        const desk::Colour before = k.id == IDM_COLOUR_BRICKS ? 1 : k.id == IDM_COLOUR_BALL ? 2 : 3;
        EXPECT_EQ(*field, k.changes ? k.answer : before) << k.id;
        Calls expected{"chooseColour"};
        if (k.changes) {
            expected.push_back("cue pp.wav wait");
            expected.push_back("cue play.wav loop");
        }
        expected.push_back("invalidateAll erase");
        EXPECT_EQ(platform.calls, expected) << k.id;
        EXPECT_EQ(g.customColours[15], k.answer) << "the custom colours are kept";
    }
}

} // namespace
} // namespace brick::testing
