// The brick game's state record and every rule of the game, with no window
// behind it. The window procedure owns one BrickGame for the whole run and
// calls these operations; everything the game needs from the platform goes
// through BrickPlatform.
#pragma once

#include "brick_platform.h"
#include "platform/geometry.h"

#include <cstdint>

namespace brick {

// Screen modes: which banner runs while no play runs.
constexpr std::int32_t ModeTitle = 1;
constexpr std::int32_t ModePaused = 2;
constexpr std::int32_t ModeGameOver = 3;
constexpr std::int32_t ModeVictory = 4;
constexpr std::int32_t ModeRoundIntro = 5;
constexpr std::int32_t ModeCredits = 6;
constexpr std::int32_t ModeReady = 7;

// Menu command ids.
namespace cmd {
constexpr int Start = 40001;
constexpr int Exit = 40002;
constexpr int Keyboard = 40003;
constexpr int Mouse = 40004;
constexpr int SpeedSlow = 40005;
constexpr int SpeedNormal = 40006;
constexpr int SpeedFast = 40007;
constexpr int About = 40008;
constexpr int Author = 40009;
constexpr int Pause = 40010;
constexpr int SpeedVerySlow = 40011;
constexpr int SpeedVeryFast = 40012;
constexpr int Rules = 40016;
constexpr int SoundOn = 40026;
constexpr int SoundOff = 40027;
constexpr int BrickColour = 40028;
constexpr int BallColour = 40029;
constexpr int PaddleColour = 40030;
} // namespace cmd

// Information dialog resource ids.
constexpr int AboutDialogId = 104;
constexpr int AuthorDialogId = 106;
constexpr int RulesDialogId = 113;

constexpr int GridRows = 3;
constexpr int GridColumns = 9;
constexpr int ScoreTextCapacity = 12;

// The brick field. Brick (row r, column c) is drawn from (BrickX(c), BrickY(r))
// BrickWidth x BrickHeight pixels large; the bricks stand one pitch apart, one
// pixel more than their size, so a one-pixel gap runs right of and below each.
constexpr int BrickOriginX = 100;
constexpr int BrickOriginY = 100;
constexpr int BrickPitchX = 56;
constexpr int BrickPitchY = 21;
constexpr int BrickWidth = 55;
constexpr int BrickHeight = 20;
constexpr int BrickX(int column) {
    return BrickOriginX + BrickPitchX * column;
}
constexpr int BrickY(int row) {
    return BrickOriginY + BrickPitchY * row;
}
// The ball is the ellipse inscribed in the BallSize x BallSize box at (ballX, ballY).
constexpr int BallSize = 10;

// The score once the last brick of round 1, 2 or 3 has broken, and the points
// carried into rounds 2 and 3 (round 1 starts from 0): each round's layout
// lets the score go on where the round before it ended.
constexpr std::int32_t ScoreAfterRound1 = 2700;
constexpr std::int32_t ScoreAfterRound2 = 4100;
constexpr std::int32_t ScoreAfterRound3 = 6200;
constexpr std::int32_t PointsIntoRound2 = 1400;
constexpr std::int32_t PointsIntoRound3 = 3500;

// The two scrolling lines of the title and pause banners: the upper one runs
// right from its start to its end, the lower one left, and each starts again.
constexpr std::int32_t BannerTopStartX = -70;
constexpr std::int32_t BannerTopEndX = 750;
constexpr std::int32_t BannerBottomStartX = 700;
constexpr std::int32_t BannerBottomEndX = -250;

struct BrickGame {
    std::int32_t screenMode = ModeTitle;
    bool isPlaying = false;
    bool ballInFlight = false;
    std::int32_t ballX = 0;
    std::int32_t ballY = 0;
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    std::int32_t stepCount = 0;
    double ballAngle = 0.0;
    std::int32_t quadrant = 0;
    std::int32_t paddleX = 0;
    std::int32_t brickGrid[GridRows][GridColumns] = {
        {1, 1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 1}};
    std::int32_t score = 0;
    std::int32_t roundBase = 0;
    std::int32_t spareBalls = 2;
    std::int32_t delayLoops = 70000;
    bool keyboardControl = false;
    bool soundOff = false;
    bool colourDialogOpen = false;
    std::int32_t bannerFade = 0;
    std::int32_t bannerTopX = BannerTopStartX;
    std::int32_t bannerBottomX = BannerBottomStartX;
    std::int32_t creditsY = 0;
    std::int32_t savedCursorX = 350;
    std::int32_t savedCursorY = 250;
    char scoreText[ScoreTextCapacity] = {};
    std::int32_t scoreTextLen = 0;
    desk::Colour brickColour = 0;
    desk::Colour ballColour = 0;
    desk::Colour paddleColour = 0;
    desk::Colour customColours[16] = {};
    std::int32_t checkedSpeedId = cmd::SpeedNormal;
    std::int32_t checkedControlId = cmd::Mouse;
    std::int32_t checkedSoundId = cmd::SoundOn;
    // The next play wait counts from its own start, not from the previous
    // wait's end: play has not run since the last banner frame.
    bool waitFromNow = true;
};

// Surfaces the ball bounces off (bricks and walls).
enum class Surface { BrickBottom, TopWall, BrickTop, BrickLeft, RightWall, BrickRight, LeftWall };

// The three menu groups whose items carry one check mark each.
enum class MenuGroup { Speed, Control, Sound };

// What WM_COMMAND returns, and whether a play frame must follow it (the window
// layer then runs PlayFrame as for WM_PAINT).
struct CommandResult {
    std::intptr_t result = 0;
    bool playFrameFollows = false;
};

// Start-up and window creation.
void StartUpDefaults(BrickGame& game);             // before the window exists
void OnCreate(BrickGame& game, BrickPlatform& fx); // WM_CREATE: colours, brushes, title music

// The two frames. BannerFrame runs at the start of every message while
// isPlaying is false; PlayFrame runs on WM_PAINT while isPlaying is true.
void BannerFrame(BrickGame& game, BrickPlatform& fx);
void PlayFrame(BrickGame& game, BrickPlatform& fx);
// Sets delayLoops from a speed command id; other ids change nothing.
void SetSpeed(BrickGame& game, int commandId);

// Puts both scrolling lines of the title and pause banners back at their start.
void ResetBannerLines(BrickGame& game);

// Ball motion and collisions.
void LaunchBall(BrickGame& game);
void MoveBall(BrickGame& game);
void TestBricks(BrickGame& game, BrickPlatform& fx);
void TestPaddle(BrickGame& game, BrickPlatform& fx);
void TestWalls(BrickGame& game, BrickPlatform& fx);
// r and c name the brick cell whose face was hit (ignored for walls).
void Bounce(BrickGame& game, Surface surface, int r = 0, int c = 0);

// Bricks, rounds and the screen state machine.
void ScoreAndBricks(BrickGame& game, BrickPlatform& fx);
void EndOfBall(BrickGame& game, BrickPlatform& fx);
void EndGameOverBanner(BrickGame& game, BrickPlatform& fx);
void EndVictoryBanner(BrickGame& game, BrickPlatform& fx);
void EndRoundIntroBanner(BrickGame& game, BrickPlatform& fx);
void EndCreditsBanner(BrickGame& game, BrickPlatform& fx);
void EndReadyBanner(BrickGame& game, BrickPlatform& fx);

// Input.
void PressEnter(BrickGame& game, BrickPlatform& fx);
void TogglePause(BrickGame& game, BrickPlatform& fx);
void LoseFocus(BrickGame& game, BrickPlatform& fx);
void KeyDown(BrickGame& game, BrickPlatform& fx, int virtualKey);
// clientX: the low word of WM_MOUSEMOVE's second parameter.
void MouseMove(BrickGame& game, BrickPlatform& fx, std::uint16_t clientX);
void LeftButtonDown(BrickGame& game, BrickPlatform& fx);
void RightButtonDown(BrickGame& game, BrickPlatform& fx, std::intptr_t lParam);
void RightDoubleClick(BrickGame& game, BrickPlatform& fx);

// Drawing, between the frame's beginPaint and endPaint.
void DrawBanner(BrickGame& game, BrickPlatform& fx, std::int32_t mode);
void DrawPlayfield(const BrickGame& game, BrickPlatform& fx);
void DrawScore(const BrickGame& game, BrickPlatform& fx, int count);

// Sound: a cue sounds only while soundOff is false; a stop always happens.
void PlayCue(const BrickGame& game, BrickPlatform& fx, const char* fileName, CueWay way);
void StopCues(BrickPlatform& fx, StopForm form);

// Menus, settings and dialogs.
CommandResult Command(BrickGame& game, BrickPlatform& fx, int commandId);
void CheckInGroup(BrickGame& game, BrickPlatform& fx, MenuGroup group, int commandId);
void ChooseItemColour(BrickGame& game, BrickPlatform& fx, desk::Colour& field);
// The sound part of closing an information dialog; the window layer then
// ends the dialog.
void CloseHelpDialog(BrickGame& game, BrickPlatform& fx);

// The credits block: ten lines at fixed x and at y relative to creditsY.
struct CreditsLine {
    int x;
    int dy;
    const char* text;
    int count;
};
constexpr int CreditsLineCount = 10;
extern const CreditsLine creditsLines[CreditsLineCount];

} // namespace brick
