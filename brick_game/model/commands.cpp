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

// A settings item: its waiting cue, the title music again, the setting itself,
// then the check mark of its group.
void SettingsItem(BrickGame& game, BrickPlatform& platform, const char* cue, MenuGroup group,
                  int id) {
    PlayCue(game, platform, cue, CueWay::Wait);
    RestartTitleMusic(game, platform);
    if (group == MenuGroup::Speed) {
        SetSpeed(game, id);
    } else {
        game.keyboardControl = id == IDM_KEYBOARD;
    }
    CheckInGroup(game, platform, group, id);
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

int ControlItem(BrickGame& game, BrickPlatform& platform, int id) {
    SettingsItem(game, platform, id == IDM_KEYBOARD ? "Stupid.wav" : "pp.wav", MenuGroup::Control,
                 id);
    return 0;
}

int SpeedItem(BrickGame& game, BrickPlatform& platform, int id) {
    SettingsItem(game, platform, "pp.wav", MenuGroup::Speed, id);
    return 0;
}

int SoundOn(BrickGame& game, BrickPlatform& platform, int id) {
    // Sound is being switched on, so the title music starts at once.
    if (game.screenMode == ModeTitle) {
        platform.playCue("play.wav", CueWay::Loop);
    }
    game.soundOff = false;
    CheckInGroup(game, platform, MenuGroup::Sound, id);
    return 0;
}

int SoundOff(BrickGame& game, BrickPlatform& platform, int id) {
    platform.stopCues(StopForm::EmptyName);
    game.soundOff = true;
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
    {IDM_KEYBOARD, ControlItem, true},
    {IDM_MOUSE, ControlItem, true},
    {IDM_SPEED_VERY_SLOW, SpeedItem, true},
    {IDM_SPEED_SLOW, SpeedItem, true},
    {IDM_SPEED_NORMAL, SpeedItem, true},
    {IDM_SPEED_FAST, SpeedItem, true},
    {IDM_SPEED_VERY_FAST, SpeedItem, true},
    {IDM_SOUND_ON, SoundOn, true},
    {IDM_SOUND_OFF, SoundOff, true},
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
