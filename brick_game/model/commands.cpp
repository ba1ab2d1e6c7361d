// Menu commands, settings with their check marks, sound cues and the
// information dialogs.
#include "brick_game.h"

namespace brick {

namespace {

constexpr desk::Colour DialogGrey = desk::Rgb(128, 128, 128);

// The waiting cue of a settings item replaces the title music; on the title
// screen the music starts again after it.
void RestartTitleMusic(const BrickGame& game, BrickPlatform& platform) {
    if (game.screenMode == ModeTitle) {
        PlayCue(game, platform, "play.wav", CueWay::Loop);
    }
}

// Every command runs as (game, platform, its id) and returns the result it
// hands on (only the About and Author dialogs hand one on).
int SendKey(BrickGame&, BrickPlatform& platform, int id) {
    platform.sendKeyDown(id == IDM_START ? desk::key::Return : desk::key::Pause, {});
    return 0;
}

int Exit(BrickGame& game, BrickPlatform& platform, int) {
    PlayCue(game, platform, "Bye.wav", CueWay::Wait);
    PlayCue(game, platform, "exit.wav", CueWay::Wait);
    platform.destroyWindow();
    return 0;
}

// A settings item: its waiting cue, the title music again, the setting itself,
// then the check mark of its group.
int SettingsItem(BrickGame& game, BrickPlatform& platform, int id) {
    const bool control = id == IDM_KEYBOARD || id == IDM_MOUSE;
    PlayCue(game, platform, id == IDM_KEYBOARD ? "Stupid.wav" : "pp.wav", CueWay::Wait);
    RestartTitleMusic(game, platform);
    if (control) {
        game.keyboardControl = id == IDM_KEYBOARD;
    } else {
        SetSpeed(game, id);
    }
    CheckInGroup(game, platform, control ? MenuGroup::Control : MenuGroup::Speed, id);
    return 0;
}

int SoundItem(BrickGame& game, BrickPlatform& platform, int id) {
    const bool off = id == IDM_SOUND_OFF;
    if (off) {
        platform.stopCues(StopForm::EmptyName);
    } else if (game.screenMode == ModeTitle) {
        // Sound is being switched on, so the title music starts at once.
        platform.playCue("play.wav", CueWay::Loop);
    }
    game.soundOff = off;
    CheckInGroup(game, platform, MenuGroup::Sound, id);
    return 0;
}

int ColourItem(BrickGame& game, BrickPlatform& platform, int id) {
    ChooseItemColour(game, platform,
                     id == IDM_COLOUR_BRICKS ? game.brickColour
                     : id == IDM_COLOUR_BALL ? game.ballColour
                                             : game.paddleColour);
    return 0;
}

// An information dialog with its own cue: looping Hop.wav for the Rules and
// About dialogs, Yeahbaby.wav once for the Author dialog.
int InformationDialog(BrickGame& game, BrickPlatform& platform, int id) {
    const bool author = id == IDM_AUTHOR;
    if (!game.soundOff) {
        platform.stopCues(StopForm::Purge);
        platform.playCue(author ? "Yeahbaby.wav" : "Hop.wav",
                         author ? CueWay::Start : CueWay::Loop);
    }
    const int result = platform.runDialog(id == IDM_RULES   ? IDD_RULES
                                          : id == IDM_ABOUT ? IDD_ABOUT
                                                            : IDD_AUTHOR);
    return id == IDM_RULES ? 0 : result;
}

struct CommandEntry {
    int id;
    int (*run)(BrickGame& game, BrickPlatform& platform, int id);
    // Exit returns at once, About and Author return their dialog's result;
    // after every other command a play frame follows while play runs.
    bool playFrameFollows;
};

constexpr CommandEntry commandTable[] = {
    {IDM_START, SendKey, true},
    {IDM_PAUSE, SendKey, true},
    {IDM_EXIT, Exit, false},
    {IDM_KEYBOARD, SettingsItem, true},
    {IDM_MOUSE, SettingsItem, true},
    {IDM_SPEED_VERY_SLOW, SettingsItem, true},
    {IDM_SPEED_SLOW, SettingsItem, true},
    {IDM_SPEED_NORMAL, SettingsItem, true},
    {IDM_SPEED_FAST, SettingsItem, true},
    {IDM_SPEED_VERY_FAST, SettingsItem, true},
    {IDM_SOUND_ON, SoundItem, true},
    {IDM_SOUND_OFF, SoundItem, true},
    {IDM_COLOUR_BRICKS, ColourItem, true},
    {IDM_COLOUR_BALL, ColourItem, true},
    {IDM_COLOUR_PADDLE, ColourItem, true},
    {IDM_RULES, InformationDialog, true},
    {IDM_ABOUT, InformationDialog, false},
    {IDM_AUTHOR, InformationDialog, false},
};

const CommandEntry* FindCommand(int id) {
    for (const CommandEntry& entry : commandTable) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

void PlayCue(const BrickGame& game, BrickPlatform& platform, const char* fileName, CueWay way) {
    if (!game.soundOff) {
        platform.playCue(fileName, way);
    }
}

void CheckInGroup(BrickGame& game, BrickPlatform& platform, MenuGroup group, int commandId) {
    std::int32_t* checked = &game.checkedSpeedId;
    if (group == MenuGroup::Control) {
        checked = &game.checkedControlId;
    } else if (group == MenuGroup::Sound) {
        checked = &game.checkedSoundId;
    }
    platform.checkMenuItem(*checked, false);
    *checked = commandId;
    platform.checkMenuItem(commandId, true);
}

void ChooseItemColour(BrickGame& game, BrickPlatform& platform, desk::Colour& field) {
    game.colourDialogOpen = true;
    const desk::Colour chosen = platform.chooseColour(game.customColours);
    // A cancelled dialog leaves its starting grey, so grey means no change.
    if (chosen != DialogGrey) {
        field = chosen;
        PlayCue(game, platform, "pp.wav", CueWay::Wait);
        RestartTitleMusic(game, platform);
    }
    platform.invalidateAll(true);
    game.colourDialogOpen = false;
}

void CloseHelpDialog(BrickGame& game, BrickPlatform& platform) {
    platform.stopCues(StopForm::EmptyName);
    if (!game.soundOff && game.screenMode == ModeTitle) {
        platform.playCue("play.wav", CueWay::Loop);
    }
}

int Command(BrickGame& game, BrickPlatform& platform, int commandId) {
    const CommandEntry* entry = FindCommand(commandId);
    return entry ? entry->run(game, platform, commandId) : 0;
}

bool PlayFrameFollows(int commandId) {
    const CommandEntry* entry = FindCommand(commandId);
    return !entry || entry->playFrameFollows;
}

} // namespace brick
