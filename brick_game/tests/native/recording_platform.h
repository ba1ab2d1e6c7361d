// A BrickPlatform for the native tests: keeps every call in order as a short
// text, answers the few questions the model asks, and hands the key messages
// the game sends to itself to the game's own key message operation, as the
// window procedure does.
#pragma once

#include "model/brick_game.h"

#include <functional>
#include <string>
#include <vector>

namespace brick::testing {

class RecordingPlatform : public BrickPlatform {
  public:
    explicit RecordingPlatform(BrickGame* game = nullptr) : game_(game) {}

    // Calls as texts, e.g. "cue Kubik.wav start", "invalidate 99,99,111,111 erase".
    std::vector<std::string> calls;
    // Off: nothing is kept, for long runs.
    bool recording = true;

    // The platform's pointer display count (0 at start) and position.
    int cursorDisplayCount = 0;
    desk::Point cursor{400, 300};
    // What the colour dialog leaves in its request, and what the information
    // dialogs return.
    desk::Colour colourAnswer = desk::Rgb(128, 128, 128);
    int dialogAnswer = 1;
    // Run nested inside chooseColour and runDialog, as messages that reach
    // the main window while a modal dialog is up.
    std::function<void()> whileDialogUp;
    // Set on destroyWindow.
    bool destroyed = false;
    // Cues and stops alone, kept also while recording is off.
    bool keepCues = false;
    std::vector<std::string> cues;
    // Play frames drawn (each draws the paddle once), counted always.
    long long paddlesDrawn = 0;
    // Sum of every counting wait, and how many waits ran.
    long long waitedCounts = 0;
    long long waits = 0;

    void invalidate(const desk::Rect& area, bool erase) override;
    void invalidateAll(bool erase) override;
    void sleep(int milliseconds) override;
    void countingWait(std::int32_t counts, bool fromNow) override;
    void playCue(const char* fileName, CueWay way) override;
    void stopCues(StopForm form) override;
    void showCursor(bool show) override;
    desk::Point cursorPos() override;
    void setCursorPos(int x, int y) override;
    void sendKeyDown(int virtualKey, desk::Point clickPoint) override;
    void beginPaint() override;
    void endPaint() override;
    void setTextColour(desk::Colour colour) override;
    void setTextBackground(desk::Colour colour) override;
    void setOpaqueText(bool opaque) override;
    void textOut(int x, int y, const char* text, int count) override;
    void drawLifeIcon(int x, int y) override;
    void ellipse(const desk::Rect& box, BrushKind brush) override;
    void roundRect(const desk::Rect& box, int cornerW, int cornerH, BrushKind brush) override;
    void rectangle(const desk::Rect& box, BrushKind brush) override;
    void remakeBrushes(desk::Colour brick, desk::Colour ball, desk::Colour paddle) override;
    void attachMenu() override;
    void checkMenuItem(int commandId, bool checked) override;
    int runDialog(int dialogId) override;
    desk::Colour chooseColour(desk::Colour customColours[16]) override;
    void destroyWindow() override;
    void quit() override;

    // The calls that start with prefix, in order.
    std::vector<std::string> only(const std::string& prefix) const;
    // Position of the first call equal to (or starting with) text, or -1.
    int indexOf(const std::string& text) const;
    void clear() { calls.clear(); }

  private:
    void add(std::string text);
    BrickGame* game_;
};

std::string Text(const desk::Rect& r);
std::string ColourText(desk::Colour c);
// Every field of the record, for comparisons that print what differed.
std::string Snapshot(const BrickGame& game);

} // namespace brick::testing
