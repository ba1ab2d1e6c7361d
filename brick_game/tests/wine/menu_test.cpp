// The menu bar loaded from resource 101: texts, ids and check marks, and what
// each command does to the marks, the settings and the sounds.
#include "game_fixture.h"
#include "res/resource_ids.h"

#include <algorithm>
#include <string>

namespace brickwin::testing {
namespace {

struct Item {
    int popup;
    int position;
    const char* text;
    int id;
    bool checked;
};

const char* const kPopups[] = {"&Файл", "&Управление", "&Скорость", "&Звук", "&Цвет", "С&правка"};

const Item kItems[] = {
    {0, 0, "&Пуск    ENTER", IDM_START, false},
    {0, 1, "П&ауза  PAUSE", IDM_PAUSE, false},
    {0, 3, "&Выход  Alt+F4", IDM_EXIT, false},
    {1, 0, "&Клава", IDM_KEYBOARD, false},
    {1, 1, "&Мышка", IDM_MOUSE, true},
    {2, 0, "&Очень медленно", IDM_SPEED_VERY_SLOW, false},
    {2, 1, "&Медленно", IDM_SPEED_SLOW, false},
    {2, 2, "&Нормально", IDM_SPEED_NORMAL, true},
    {2, 3, "&Быстро", IDM_SPEED_FAST, false},
    {2, 4, "О&чень быстро", IDM_SPEED_VERY_FAST, false},
    {3, 0, "&включен", IDM_SOUND_ON, true},
    {3, 1, "в&ыключен", IDM_SOUND_OFF, false},
    {4, 0, "&кубики ...", IDM_COLOUR_BRICKS, false},
    {4, 1, "&мячик ...", IDM_COLOUR_BALL, false},
    {4, 2, "&доска ...", IDM_COLOUR_PADDLE, false},
    {5, 0, "Правила &игры ...", IDM_RULES, false},
    {5, 1, "О &программе ...", IDM_ABOUT, false},
    {5, 2, "Об &авторе ...", IDM_AUTHOR, false},
};

std::string MenuText(HMENU menu, UINT position) {
    char buf[128] = {};
    GetMenuStringA(menu, position, buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

bool IsChecked(HMENU menu, int id) {
    return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The ids of a group that carry a check mark, in menu order.
std::vector<int> CheckedIn(HMENU menu, std::initializer_list<int> ids) {
    std::vector<int> out;
    for (int id : ids)
        if (IsChecked(menu, id))
            out.push_back(id);
    return out;
}

const std::initializer_list<int> kSpeedIds = {IDM_SPEED_VERY_SLOW, IDM_SPEED_SLOW, IDM_SPEED_NORMAL,
                                              IDM_SPEED_FAST, IDM_SPEED_VERY_FAST};

TEST_F(GameWindowTest, MenuBarHasEveryItemWithItsIdTextAndMark) {
    HMENU bar = GetMenu(hwnd_);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 6);
    for (int p = 0; p < 6; ++p)
        EXPECT_EQ(MenuText(bar, p), kPopups[p]) << "popup " << p;

    for (const Item& item : kItems) {
        HMENU popup = GetSubMenu(bar, item.popup);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(MenuText(popup, item.position), item.text) << "item " << item.id;
        EXPECT_EQ(static_cast<int>(GetMenuItemID(popup, item.position)), item.id)
            << "at popup " << item.popup << " position " << item.position;
        EXPECT_EQ(IsChecked(bar, item.id), item.checked) << "mark of " << item.id;
    }
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(GetMenuItemCount(file), 4);
    EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 2);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 2)), 5);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 3)), 2);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 4)), 3);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 5)), 3);
}

TEST_F(GameWindowTest, SpeedItemsMoveTheMarkAndSetTheWait) {
    const struct {
        int id;
        int delayLoops;
    } speeds[] = {{IDM_SPEED_VERY_SLOW, 700000}, {IDM_SPEED_SLOW, 300000},
                  {IDM_SPEED_FAST, 5000},        {IDM_SPEED_VERY_FAST, 1},
                  {IDM_SPEED_VERY_FAST, 1},      {IDM_SPEED_NORMAL, 70000}};
    for (const auto& s : speeds) {
        SoundLog().clear();
        EXPECT_EQ(Command(s.id), 0);
        EXPECT_EQ(Game().delayLoops, s.delayLoops) << "after " << s.id;
        EXPECT_EQ(CheckedIn(GetMenu(hwnd_), kSpeedIds), std::vector<int>{s.id});
        EXPECT_EQ(SoundLog(), (std::vector<SoundCall>{{"pp.wav", kWait}, {"play.wav", kLoop}}))
            << "on the title screen the music comes back after the cue";
    }
}

TEST_F(GameWindowTest, ControlItemsSwitchTheModeAndTheMark) {
    Command(IDM_KEYBOARD);
    EXPECT_TRUE(Game().keyboardControl);
    EXPECT_EQ(CheckedIn(GetMenu(hwnd_), {IDM_KEYBOARD, IDM_MOUSE}), std::vector<int>{IDM_KEYBOARD});
    EXPECT_EQ(SoundLog().back(), (SoundCall{"play.wav", kLoop}));
    EXPECT_EQ(SoundLog()[SoundLog().size() - 2], (SoundCall{"Stupid.wav", kWait}));

    Command(IDM_MOUSE);
    EXPECT_FALSE(Game().keyboardControl);
    EXPECT_EQ(CheckedIn(GetMenu(hwnd_), {IDM_KEYBOARD, IDM_MOUSE}), std::vector<int>{IDM_MOUSE});
    EXPECT_EQ(SoundLog()[SoundLog().size() - 2], (SoundCall{"pp.wav", kWait}));
}

TEST_F(GameWindowTest, SoundOffSilencesTheSettingsAndSoundOnRestartsTheMusic) {
    SoundLog().clear();
    Command(IDM_SOUND_OFF);
    EXPECT_EQ(SoundLog(), (std::vector<SoundCall>{{"(null)", kStart}}));
    EXPECT_EQ(CheckedIn(GetMenu(hwnd_), {IDM_SOUND_ON, IDM_SOUND_OFF}),
              std::vector<int>{IDM_SOUND_OFF});

    SoundLog().clear();
    Command(IDM_SPEED_FAST);
    Command(IDM_KEYBOARD);
    EXPECT_TRUE(SoundLog().empty()) << "first: " << SoundLog().front();
    EXPECT_EQ(Game().delayLoops, 5000) << "settings still change with sound off";

    Command(IDM_SOUND_ON);
    EXPECT_EQ(SoundLog(), (std::vector<SoundCall>{{"play.wav", kLoop}}));
    EXPECT_EQ(CheckedIn(GetMenu(hwnd_), {IDM_SOUND_ON, IDM_SOUND_OFF}),
              std::vector<int>{IDM_SOUND_ON});
}

TEST_F(GameWindowTest, ExitPlaysBothCuesToTheEndThenClosesTheWindow) {
    SoundLog().clear();
    EXPECT_EQ(Command(IDM_EXIT), 0);
    EXPECT_EQ(SoundLog(), (std::vector<SoundCall>{{"Bye.wav", kWait}, {"exit.wav", kWait}}));
    EXPECT_FALSE(IsWindow(hwnd_));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no quit message";
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(GameWindowTest, StartAndPauseItemsActAsTheirKeys) {
    Command(IDM_START);
    EXPECT_EQ(Game().screenMode, brick::ModeRoundIntro) << "Start on the title opens round 1";
    Command(IDM_START);
    ASSERT_TRUE(Game().isPlaying) << "Start during the intro begins play";

    SoundLog().clear();
    Command(IDM_PAUSE);
    EXPECT_FALSE(Game().isPlaying);
    EXPECT_EQ(Game().screenMode, brick::ModePaused);
    EXPECT_EQ(SoundLog(), (std::vector<SoundCall>{{"pause.wav", kStart}}));

    Command(IDM_PAUSE);
    EXPECT_TRUE(Game().isPlaying) << "Pause again resumes";
}

TEST_F(GameWindowTest, SpeedChangeDuringPlayKeepsThePlayFramesComing) {
    StartPlay();
    SendMessageA(hwnd_, WM_LBUTTONDOWN, 0, 0);
    const int before = Game().stepCount;
    Command(IDM_SPEED_VERY_FAST);
    EXPECT_EQ(Game().delayLoops, 1);
    EXPECT_GT(Game().stepCount, before) << "a command during play runs one play frame";
    const auto pp = std::find(SoundLog().begin(), SoundLog().end(), SoundCall{"pp.wav", kWait});
    ASSERT_NE(pp, SoundLog().end());
    EXPECT_EQ(
        std::find_if(pp, SoundLog().end(), [](const SoundCall& c) { return c.name == "play.wav"; }),
        SoundLog().end())
        << "no title music during play";
}

} // namespace
} // namespace brickwin::testing
