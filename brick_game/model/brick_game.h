// The brick game's state record and every rule of the game, with no window
// behind it. The window procedure owns one BrickGame for the whole run and
// calls these operations; everything the game needs from the platform goes
// through BrickPlatform.
#pragma once

#include "brick_platform.h"
#include "platform/geometry.h"
#include "res/resource_ids.h"

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
    std::int32_t checkedSpeedId = IDM_SPEED_NORMAL;
    std::int32_t checkedControlId = IDM_MOUSE;
    std::int32_t checkedSoundId = IDM_SOUND_ON;
    // The next play wait counts from its own start, not from the previous
    // wait's end: play has not run since the last banner frame.
    bool waitFromNow = true;
};

// Surfaces the ball bounces off (bricks and walls).
enum class Surface { BrickBottom, TopWall, BrickTop, BrickLeft, RightWall, BrickRight, LeftWall };

// The three menu groups whose items carry one check mark each.
enum class MenuGroup { Speed, Control, Sound };

// The main window's messages, one operation each, called alike by the window
// procedure and the tests. Each first runs the banner frame that every
// message starts with while no play runs, then the message's own handling.
void OnCreate(BrickGame& game, BrickPlatform& platform); // menu, colours, brushes, title music
void OnDestroy(BrickGame& game, BrickPlatform& platform);
void OnKillFocus(BrickGame& game, BrickPlatform& platform);
void OnPaint(BrickGame& game, BrickPlatform& platform); // a play frame while play runs
void OnKeyDown(BrickGame& game, BrickPlatform& platform, int virtualKey);
// clientX: the pointer's client x as the window reports it, 0 to 65535 (the low
// word of the message: a pointer left of the window reads as a large x).
void OnMouseMove(BrickGame& game, BrickPlatform& platform, int clientX);
void OnLButtonDown(BrickGame& game, BrickPlatform& platform);
void OnRButtonDown(BrickGame& game, BrickPlatform& platform, desk::Point clickPoint);
void OnRButtonDblClk(BrickGame& game, BrickPlatform& platform);
// Command, then a play frame while play runs, except after Exit, About and
// Author. Returns what Command returns.
int OnCommand(BrickGame& game, BrickPlatform& platform, int commandId);
// Any other message (the system's handling follows): the banner frame alone.
void OnOtherMessage(BrickGame& game, BrickPlatform& platform);

// Start-up, before the window exists.
void StartUpDefaults(BrickGame& game);

// The two frames. BannerFrame runs at the start of every message while
// isPlaying is false; PlayFrame runs on WM_PAINT while isPlaying is true.
void BannerFrame(BrickGame& game, BrickPlatform& platform);
void PlayFrame(BrickGame& game, BrickPlatform& platform);
// Sets delayLoops from a speed command id; other ids change nothing.
void SetSpeed(BrickGame& game, int commandId);

// Puts both scrolling lines of the title and pause banners back at their start.
void ResetBannerLines(BrickGame& game);

// Ball motion and collisions.
void LaunchBall(BrickGame& game);
void MoveBall(BrickGame& game);
void TestBricks(BrickGame& game, BrickPlatform& platform);
void TestPaddle(BrickGame& game, BrickPlatform& platform);
void TestWalls(BrickGame& game, BrickPlatform& platform);
// r and c name the brick cell whose face was hit (ignored for walls).
void Bounce(BrickGame& game, Surface surface, int r = 0, int c = 0);

// Bricks, rounds and the screen state machine.
void ScoreAndBricks(BrickGame& game, BrickPlatform& platform);
void EndOfBall(BrickGame& game, BrickPlatform& platform);
void EndGameOverBanner(BrickGame& game, BrickPlatform& platform);
void EndVictoryBanner(BrickGame& game, BrickPlatform& platform);
void EndRoundIntroBanner(BrickGame& game, BrickPlatform& platform);
void EndCreditsBanner(BrickGame& game, BrickPlatform& platform);
void EndReadyBanner(BrickGame& game, BrickPlatform& platform);

// Input: the inputs' own handling, without the banner frame before it.
void PressEnter(BrickGame& game, BrickPlatform& platform);
void TogglePause(BrickGame& game, BrickPlatform& platform);
void LoseFocus(BrickGame& game, BrickPlatform& platform);
void KeyDown(BrickGame& game, BrickPlatform& platform, int virtualKey);
void MouseMove(BrickGame& game, BrickPlatform& platform, int clientX);
void LeftButtonDown(BrickGame& game, BrickPlatform& platform);
void RightButtonDown(BrickGame& game, BrickPlatform& platform, desk::Point clickPoint);
void RightDoubleClick(BrickGame& game, BrickPlatform& platform);

// Drawing, between the frame's beginPaint and endPaint.
void DrawBanner(BrickGame& game, BrickPlatform& platform, std::int32_t mode);
void DrawPlayfield(const BrickGame& game, BrickPlatform& platform);
void DrawScore(const BrickGame& game, BrickPlatform& platform, int count);

// A sound cue, played only while soundOff is false. Stops (StopCues) go to
// the platform's stopCues, which always stops.
void PlayCue(const BrickGame& game, BrickPlatform& platform, const char* fileName, CueWay way);

// Menus, settings and dialogs.
// One menu command's own handling, without the frames around it. Returns the
// result of the About or Author dialog it ran, else 0 (the Rules dialog's
// result is not handed on).
int Command(BrickGame& game, BrickPlatform& platform, int commandId);
// Whether a play frame follows the command while play runs.
bool PlayFrameFollows(int commandId);
void CheckInGroup(BrickGame& game, BrickPlatform& platform, MenuGroup group, int commandId);
void ChooseItemColour(BrickGame& game, BrickPlatform& platform, desk::Colour& field);
// The sound part of closing an information dialog; the window layer then
// ends the dialog.
void CloseHelpDialog(BrickGame& game, BrickPlatform& platform);

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
