// Menu commands, settings with their check marks, sound cues and the
// information dialogs.
#include "brick_game.h"

namespace brick {

namespace {

constexpr desk::Colour DialogGrey = desk::Rgb(128, 128, 128);

// The waiting cue of a settings item replaces the title music; on the title
// screen the music starts again after it.
void RestartTitleMusic(const BrickGame& game, BrickPlatform& fx) {
    if (game.screenMode == ModeTitle) {
        PlayCue(game, fx, "play.wav", CueWay::Loop);
    }
}

std::intptr_t InformationDialog(BrickGame& game, BrickPlatform& fx, int dialogId, const char* cue,
                                CueWay way) {
    if (!game.soundOff) {
        StopCues(fx, StopForm::Purge);
        fx.playCue(cue, way);
    }
    return fx.runDialog(dialogId);
}

bool IsSpeedCommand(int id) {
    return id == cmd::SpeedVerySlow || id == cmd::SpeedSlow || id == cmd::SpeedNormal ||
           id == cmd::SpeedFast || id == cmd::SpeedVeryFast;
}

} // namespace

void PlayCue(const BrickGame& game, BrickPlatform& fx, const char* fileName, CueWay way) {
    if (!game.soundOff) {
        fx.playCue(fileName, way);
    }
}

void StopCues(BrickPlatform& fx, StopForm form) {
    fx.stopCues(form);
}

void CheckInGroup(BrickGame& game, BrickPlatform& fx, MenuGroup group, int commandId) {
    std::int32_t* checked = &game.checkedSpeedId;
    if (group == MenuGroup::Control) {
        checked = &game.checkedControlId;
    } else if (group == MenuGroup::Sound) {
        checked = &game.checkedSoundId;
    }
    fx.checkMenuItem(*checked, false);
    *checked = commandId;
    fx.checkMenuItem(commandId, true);
}

void ChooseItemColour(BrickGame& game, BrickPlatform& fx, desk::Colour& field) {
    game.colourDialogOpen = true;
    const desk::Colour chosen = fx.chooseColour(game.customColours);
    // A cancelled dialog leaves its starting grey, so grey means no change.
    if (chosen != DialogGrey) {
        field = chosen;
        PlayCue(game, fx, "pp.wav", CueWay::Wait);
        RestartTitleMusic(game, fx);
    }
    fx.invalidateAll(true);
    game.colourDialogOpen = false;
}

void CloseHelpDialog(BrickGame& game, BrickPlatform& fx) {
    StopCues(fx, StopForm::EmptyName);
    if (!game.soundOff && game.screenMode == ModeTitle) {
        fx.playCue("play.wav", CueWay::Loop);
    }
}

CommandResult Command(BrickGame& game, BrickPlatform& fx, int commandId) {
    CommandResult out;
    switch (commandId) {
    case cmd::Start: fx.sendKeyDown(desk::key::Return, 0); break;
    case cmd::Pause: fx.sendKeyDown(desk::key::Pause, 0); break;
    case cmd::Exit:
        PlayCue(game, fx, "Bye.wav", CueWay::Wait);
        PlayCue(game, fx, "exit.wav", CueWay::Wait);
        fx.destroyWindow();
        return out;
    case cmd::Keyboard:
        PlayCue(game, fx, "Stupid.wav", CueWay::Wait);
        RestartTitleMusic(game, fx);
        game.keyboardControl = true;
        CheckInGroup(game, fx, MenuGroup::Control, commandId);
        break;
    case cmd::Mouse:
        PlayCue(game, fx, "pp.wav", CueWay::Wait);
        RestartTitleMusic(game, fx);
        game.keyboardControl = false;
        CheckInGroup(game, fx, MenuGroup::Control, commandId);
        break;
    case cmd::SoundOn:
        // Sound is being switched on, so the title music starts at once.
        if (game.screenMode == ModeTitle) {
            fx.playCue("play.wav", CueWay::Loop);
        }
        game.soundOff = false;
        CheckInGroup(game, fx, MenuGroup::Sound, commandId);
        break;
    case cmd::SoundOff:
        StopCues(fx, StopForm::EmptyName);
        game.soundOff = true;
        CheckInGroup(game, fx, MenuGroup::Sound, commandId);
        break;
    case cmd::BrickColour: ChooseItemColour(game, fx, game.brickColour); break;
    case cmd::BallColour: ChooseItemColour(game, fx, game.ballColour); break;
    case cmd::PaddleColour: ChooseItemColour(game, fx, game.paddleColour); break;
    case cmd::Rules: InformationDialog(game, fx, RulesDialogId, "Hop.wav", CueWay::Loop); break;
    case cmd::About:
        out.result = InformationDialog(game, fx, AboutDialogId, "Hop.wav", CueWay::Loop);
        return out;
    case cmd::Author:
        out.result = InformationDialog(game, fx, AuthorDialogId, "Yeahbaby.wav", CueWay::Start);
        return out;
    default:
        if (IsSpeedCommand(commandId)) {
            PlayCue(game, fx, "pp.wav", CueWay::Wait);
            RestartTitleMusic(game, fx);
            SetSpeed(game, commandId);
            CheckInGroup(game, fx, MenuGroup::Speed, commandId);
        }
        break;
    }
    out.playFrameFollows = game.isPlaying;
    return out;
}

} // namespace brick
