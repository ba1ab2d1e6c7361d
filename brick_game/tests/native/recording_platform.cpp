#include "recording_platform.h"

#include <cstdio>

namespace brick::testing {

namespace {

const char* WayName(CueWay way) {
    static const char* const names[] = {"wait", "start", "loop"};
    return names[static_cast<int>(way)];
}

const char* BrushName(BrushKind brush) {
    static const char* const names[] = {"brick", "ball", "paddle"};
    return names[static_cast<int>(brush)];
}

std::string Xy(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

} // namespace

std::string Text(const desk::Rect& r) {
    return Xy(r.left, r.top) + "," + Xy(r.right, r.bottom);
}

std::string ColourText(desk::Colour c) {
    return "rgb(" + std::to_string(desk::RedOf(c)) + "," + std::to_string(desk::GreenOf(c)) + "," +
           std::to_string(desk::BlueOf(c)) + ")";
}

void RecordingPlatform::add(std::string text) {
    calls.push_back(std::move(text));
}

void RecordingPlatform::invalidate(const desk::Rect& area, bool erase) {
    if (recording) {
        add("invalidate " + Text(area) + (erase ? " erase" : " keep"));
    }
}

void RecordingPlatform::invalidateAll(bool erase) {
    if (recording) {
        add(erase ? "invalidateAll erase" : "invalidateAll keep");
    }
}

void RecordingPlatform::sleep(int milliseconds) {
    if (recording) {
        add("sleep " + std::to_string(milliseconds));
    }
}

void RecordingPlatform::countingWait(std::int32_t counts, bool fromNow) {
    waitedCounts += counts;
    waits += 1;
    if (recording) {
        add("wait " + std::to_string(counts) + (fromNow ? " from now" : ""));
    }
}

void RecordingPlatform::playCue(const char* fileName, CueWay way) {
    if (recording || keepCues) {
        std::string text = std::string("cue ") + fileName + " " + WayName(way);
        if (keepCues) {
            cues.push_back(text);
        }
        if (recording) {
            add(std::move(text));
        }
    }
}

void RecordingPlatform::stopCues(StopForm form) {
    const char* text = form == StopForm::Purge ? "stop purge" : "stop emptyName";
    if (keepCues) {
        cues.push_back(text);
    }
    if (recording) {
        add(text);
    }
}

void RecordingPlatform::showCursor(bool show) {
    cursorDisplayCount += show ? 1 : -1;
    if (recording) {
        add(show ? "showCursor 1" : "showCursor 0");
    }
}

desk::Point RecordingPlatform::cursorPos() {
    if (recording) {
        add("cursorPos");
    }
    return cursor;
}

void RecordingPlatform::setCursorPos(int x, int y) {
    cursor = {x, y};
    if (recording) {
        add("setCursorPos " + Xy(x, y));
    }
}

void RecordingPlatform::sendKeyDown(int virtualKey, desk::Point clickPoint) {
    if (recording) {
        add("sendKeyDown " + std::to_string(virtualKey) + " " + Xy(clickPoint.x, clickPoint.y));
    }
    if (game_ != nullptr) {
        OnKeyDown(*game_, *this, virtualKey);
    }
}

void RecordingPlatform::beginPaint() {
    if (recording) {
        add("beginPaint");
    }
}

void RecordingPlatform::endPaint() {
    if (recording) {
        add("endPaint");
    }
}

void RecordingPlatform::setTextColour(desk::Colour colour) {
    if (recording) {
        add("textColour " + ColourText(colour));
    }
}

void RecordingPlatform::setTextBackground(desk::Colour colour) {
    if (recording) {
        add("textBackground " + ColourText(colour));
    }
}

void RecordingPlatform::setOpaqueText(bool opaque) {
    if (recording) {
        add(opaque ? "opaque" : "transparent");
    }
}

void RecordingPlatform::textOut(int x, int y, const char* text, int count) {
    if (recording) {
        add("text " + Xy(x, y) + " " + std::string(text, static_cast<std::size_t>(count)));
    }
}

void RecordingPlatform::drawLifeIcon(int x, int y) {
    if (recording) {
        add("icon " + Xy(x, y));
    }
}

void RecordingPlatform::ellipse(const desk::Rect& box, BrushKind brush) {
    if (recording) {
        add("ellipse " + Text(box) + " " + BrushName(brush));
    }
}

void RecordingPlatform::roundRect(const desk::Rect& box, int cornerW, int cornerH,
                                  BrushKind brush) {
    paddlesDrawn += 1;
    if (recording) {
        add("roundRect " + Text(box) + " " + Xy(cornerW, cornerH) + " " + BrushName(brush));
    }
}

void RecordingPlatform::rectangle(const desk::Rect& box, BrushKind brush) {
    if (recording) {
        add("rectangle " + Text(box) + " " + BrushName(brush));
    }
}

void RecordingPlatform::remakeBrushes(desk::Colour brick, desk::Colour ball, desk::Colour paddle) {
    if (recording) {
        add("brushes " + ColourText(brick) + " " + ColourText(ball) + " " + ColourText(paddle));
    }
}

void RecordingPlatform::attachMenu() {
    if (recording) {
        add("attachMenu");
    }
}

void RecordingPlatform::checkMenuItem(int commandId, bool checked) {
    if (recording) {
        add("check " + std::to_string(commandId) + (checked ? " on" : " off"));
    }
}

int RecordingPlatform::runDialog(int dialogId) {
    if (recording) {
        add("dialog " + std::to_string(dialogId));
    }
    if (whileDialogUp) {
        whileDialogUp();
    }
    return dialogAnswer;
}

desk::Colour RecordingPlatform::chooseColour(desk::Colour customColours[16]) {
    if (recording) {
        add("chooseColour");
    }
    if (whileDialogUp) {
        whileDialogUp();
    }
    customColours[15] = colourAnswer; // the dialog remembers the last choice
    return colourAnswer;
}

void RecordingPlatform::destroyWindow() {
    destroyed = true;
    if (recording) {
        add("destroyWindow");
    }
}

void RecordingPlatform::quit() {
    if (recording) {
        add("quit");
    }
}

std::vector<std::string> RecordingPlatform::only(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) {
            out.push_back(call);
        }
    }
    return out;
}

int RecordingPlatform::indexOf(const std::string& text) const {
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].compare(0, text.size(), text) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string Snapshot(const BrickGame& g) {
    std::string s;
    const auto field = [&s](const char* name, long long value) {
        s += name;
        s += '=';
        s += std::to_string(value);
        s += ' ';
    };
    field("screenMode", g.screenMode);
    field("isPlaying", g.isPlaying);
    field("ballInFlight", g.ballInFlight);
    field("ballX", g.ballX);
    field("ballY", g.ballY);
    field("originX", g.originX);
    field("originY", g.originY);
    field("stepCount", g.stepCount);
    char angle[40];
    std::snprintf(angle, sizeof angle, "ballAngle=%.17g ", g.ballAngle);
    s += angle;
    field("quadrant", g.quadrant);
    field("paddleX", g.paddleX);
    s += "grid=";
    for (const auto& row : g.brickGrid) {
        for (std::int32_t cell : row) {
            s += std::to_string(cell);
        }
        s += '/';
    }
    s += ' ';
    field("score", g.score);
    field("roundBase", g.roundBase);
    field("spareBalls", g.spareBalls);
    field("delayLoops", g.delayLoops);
    field("keyboardControl", g.keyboardControl);
    field("soundOff", g.soundOff);
    field("colourDialogOpen", g.colourDialogOpen);
    field("bannerFade", g.bannerFade);
    field("bannerTopX", g.bannerTopX);
    field("bannerBottomX", g.bannerBottomX);
    field("creditsY", g.creditsY);
    field("savedCursorX", g.savedCursorX);
    field("savedCursorY", g.savedCursorY);
    s += "scoreText=";
    for (char ch : g.scoreText) {
        s += ch == '\0' ? '.' : ch;
    }
    s += ' ';
    field("scoreTextLen", g.scoreTextLen);
    field("brickColour", g.brickColour);
    field("ballColour", g.ballColour);
    field("paddleColour", g.paddleColour);
    for (desk::Colour c : g.customColours) {
        s += std::to_string(c) + ',';
    }
    field(" checkedSpeedId", g.checkedSpeedId);
    field("checkedControlId", g.checkedControlId);
    field("checkedSoundId", g.checkedSoundId);
    return s;
}

} // namespace brick::testing
