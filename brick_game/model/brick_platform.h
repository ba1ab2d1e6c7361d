// What the brick game model asks of the platform. The window layer implements
// it with real Win32 calls; the native tests implement it with a recording fake.
// Every method is a plain request: the model never looks at a result unless
// the method returns one.
#pragma once

#include "platform/geometry.h"

#include <cstdint>

namespace brick {

// How a sound cue is played.
enum class CueWay {
    Wait,  // returns when the sound has ended (SND_FILENAME)
    Start, // returns at once; replaces any sound playing (SND_FILENAME | SND_ASYNC)
    Loop,  // returns at once; repeats until replaced or stopped (... | SND_LOOP)
};

// The two ways of stopping every sound.
enum class StopForm {
    Purge,     // no name, SND_PURGE
    EmptyName, // no name, SND_FILENAME | SND_ASYNC
};

// The three solid brushes the playfield is drawn with.
enum class BrushKind { Brick, Ball, Paddle };

class BrickPlatform {
  public:
    virtual ~BrickPlatform() = default;

    // Repaint requests on the main window (client pixels; right and bottom
    // exclusive). The next WM_PAINT follows from them.
    virtual void invalidate(const desk::Rect& area, bool erase) = 0;
    virtual void invalidateAll(bool erase) = 0;

    // Sleep for the given milliseconds.
    virtual void sleep(int milliseconds) = 0;
    // The play wait: count from 0 while below `counts`; each count ends at its
    // own deadline on the platform's clock, counted from where the previous
    // wait ended, so that play steps follow each other at the same pace on
    // every machine. With `fromNow` (play has just started or resumed), or
    // when the previous wait ended more than this wait's length ago, the
    // deadlines count from the moment this wait begins.
    virtual void countingWait(std::int32_t counts, bool fromNow) = 0;

    // Sound. The model decides whether a cue plays at all (sound on or off).
    virtual void playCue(const char* fileName, CueWay way) = 0;
    // StopCues: stops whatever is sounding, in either form, sound on or off.
    virtual void stopCues(StopForm form) = 0;

    // The mouse pointer, in screen pixels; showCursor raises (true) or lowers
    // (false) the platform's display count.
    virtual void showCursor(bool show) = 0;
    virtual desk::Point cursorPos() = 0;
    virtual void setCursorPos(int x, int y) = 0;

    // Sends WM_KEYDOWN with this key to the own window; the key's handling
    // runs, nested, before this call returns. A right click that stands for
    // Enter passes its client point on, packed into the key message's second
    // parameter as the click's message had it; other sent keys pass (0, 0).
    virtual void sendKeyDown(int virtualKey, desk::Point clickPoint) = 0;

    // Drawing, only between beginPaint and endPaint. beginPaint also clears
    // the update region where the system asks for erasing.
    virtual void beginPaint() = 0;
    virtual void endPaint() = 0;
    virtual void setTextColour(desk::Colour colour) = 0;
    virtual void setTextBackground(desk::Colour colour) = 0;
    virtual void setOpaqueText(bool opaque) = 0; // OPAQUE or TRANSPARENT background mode
    // Draws the first `count` bytes of `text` (Windows-1251) as the same
    // letters whatever the system's code page.
    virtual void textOut(int x, int y, const char* text, int count) = 0;
    // The spare-ball icon (resource 132), loaded and drawn at (x, y).
    virtual void drawLifeIcon(int x, int y) = 0;
    // Shapes with the given brush selected and the default pen.
    virtual void ellipse(const desk::Rect& box, BrushKind brush) = 0;
    virtual void roundRect(const desk::Rect& box, int cornerW, int cornerH, BrushKind brush) = 0;
    virtual void rectangle(const desk::Rect& box, BrushKind brush) = 0;

    // Replaces the three brushes by new solid brushes of these colours,
    // releasing the previous ones.
    virtual void remakeBrushes(desk::Colour brick, desk::Colour ball, desk::Colour paddle) = 0;

    // Loads the main menu (resource 101) and attaches it to the main window.
    virtual void attachMenu() = 0;
    // Menu check marks of the main menu.
    virtual void checkMenuItem(int commandId, bool checked) = 0;
    // Runs one of the modal information dialogs (104, 106, 113) and returns
    // its result: the id of the button that closed it, or 0 or -1 when it
    // could not be shown. The dialog's buttons call CloseHelpDialog on the model.
    virtual int runDialog(int dialogId) = 0;
    // Runs the colour dialog starting from RGB(128,128,128) with the given 16
    // custom colours (which it may change) and returns the colour it leaves
    // in the request: grey again when cancelled.
    virtual desk::Colour chooseColour(desk::Colour customColours[16]) = 0;
    // Destroys the main window (WM_DESTROY follows, nested).
    virtual void destroyWindow() = 0;
    // WM_DESTROY: ends the message loop with code 0 and releases the brushes
    // and whatever else drawing held.
    virtual void quit() = 0;
};

} // namespace brick
