// The Win32 platform on its own: sound flags, nested painting and the brushes.
#include "game_fixture.h"
#include "res/resource_ids.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace brickwin::testing {
namespace {

TEST(SoundFlags, EachWayHasItsPlaySoundFlags) {
    EXPECT_EQ(CueFlags(brick::CueWay::Wait), 0x20000u);
    EXPECT_EQ(CueFlags(brick::CueWay::Start), 0x20001u);
    EXPECT_EQ(CueFlags(brick::CueWay::Loop), 0x20009u);
    EXPECT_EQ(StopFlags(brick::StopForm::Purge), 0x40u);
    EXPECT_EQ(StopFlags(brick::StopForm::EmptyName), 0x20001u);
}

TEST_F(GameWindowTest, NestedPaintingDrawsIntoTheInnermostContext) {
    Win32BrickPlatform& platform = Platform();
    EXPECT_EQ(platform.paintDc(), nullptr);
    platform.textOut(0, 0, "x", 1); // outside painting: nothing happens
    platform.beginPaint();
    HDC outer = platform.paintDc();
    ASSERT_NE(outer, nullptr);
    platform.beginPaint();
    HDC inner = platform.paintDc();
    ASSERT_NE(inner, nullptr);
    platform.endPaint();
    EXPECT_EQ(platform.paintDc(), outer) << "the outer paint goes on after the inner ends";
    platform.endPaint();
    EXPECT_EQ(platform.paintDc(), nullptr);
    platform.endPaint(); // one end too many is ignored
    EXPECT_EQ(platform.paintDc(), nullptr);
}

// The game's window procedure behind a probe that notes the painting depth
// when the background is erased, which BeginPaint does from inside itself.
WNDPROC g_gameProc = nullptr;
int g_depthAtErase = -1;
LRESULT CALLBACK EraseDepthProbe(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND && g_depthAtErase < 0)
        g_depthAtErase = Platform().paintDepth();
    return CallWindowProcA(g_gameProc, hwnd, message, wParam, lParam);
}

TEST_F(GameWindowTest, APaintBegunWhileBeginPaintErasesHasASlotOfItsOwn) {
    ASSERT_FALSE(Game().isPlaying);
    g_depthAtErase = -1;
    g_gameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EraseDepthProbe)));
    InvalidateRect(hwnd_, nullptr, TRUE);
    const int top = Game().bannerTopX;
    Win32BrickPlatform& platform = Platform();
    // The erase runs a banner frame, whose own paint must not be built in the
    // storage of the paint that is still being begun.
    platform.beginPaint();
    EXPECT_EQ(platform.paintDepth(), 1);
    EXPECT_NE(platform.paintDc(), nullptr);
    platform.endPaint();
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_gameProc));
    EXPECT_EQ(Game().bannerTopX, top + 1) << "the erase ran no banner frame";
    EXPECT_EQ(g_depthAtErase, 1) << "the outer paint was not counted while it began";
    EXPECT_EQ(platform.paintDepth(), 0);
    EXPECT_EQ(platform.paintDc(), nullptr);
}

TEST_F(GameWindowTest, RemadeBrushesReplaceAndReleaseThePrevious) {
    HBRUSH oldBrick = Handles().brickBrush.get();
    ASSERT_NE(oldBrick, nullptr) << "brushes exist from WM_CREATE on";
    LOGBRUSH lb{};
    GetObjectA(oldBrick, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(0, 0, 200)) << "the first brick brush is a shade darker";
    Platform().remakeBrushes(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(GetObjectType(oldBrick), 0u) << "the previous brush was not deleted";
    GetObjectA(Handles().paddleBrush.get(), sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(7, 8, 9));
    HBRUSH last = Handles().ballBrush.get();
    DestroyWindow(hwnd_);
    EXPECT_EQ(GetObjectType(last), 0u) << "WM_DESTROY deletes the brushes";
    EXPECT_EQ(Handles().ballBrush.get(), nullptr);
}

TEST_F(GameWindowTest, TheScreenShowsTheOffScreenPictureAfterEveryKindOfFrame) {
    SetCursorPos(1000, 900);
    // Outside the region still waiting for its repaint (which the picture
    // may already hold erased), the screen holds exactly the picture.
    const auto agree = [this](const char* after) {
        ASSERT_NE(Platform().bufferDc(), nullptr) << after;
        const ClientShot screen(hwnd_);
        const ClientShot picture(hwnd_, Platform().bufferDc());
        desk::Region pending(CreateRectRgn(0, 0, 0, 0));
        GetUpdateRgn(hwnd_, pending.get(), FALSE);
        int differ = 0;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                if (screen.at(x, y) != picture.at(x, y) && !PtInRegion(pending.get(), x, y) &&
                    differ++ == 0)
                    ADD_FAILURE() << after << ": first difference at " << x << "," << y;
        EXPECT_EQ(differ, 0) << after;
    };
    PumpFor(100);
    agree("title banners");
    StartPlay();
    SendMessageA(hwnd_, WM_LBUTTONDOWN, 0, 0);
    PumpUntil([] { return Game().stepCount > 30; }, 3000);
    agree("play frames with the ball in flight");
    const int x = Game().ballX, y = Game().ballY;
    EXPECT_GT(ClientShot(hwnd_).count(RECT{x - 2, y - 2, x + 12, y + 12}, RGB(240, 240, 10)), 40)
        << "the flying ball is not on the screen between frames";
    Key(VK_PAUSE);
    PumpFor(100);
    agree("pause banners");
}

const char* const kCueFiles[] = {"play.wav",     "round.wav", "1.wav",        "2.wav",
                                 "3.wav",        "pause.wav", "Kubik.wav",    "excelent.wav",
                                 "Doska.wav",    "Stena.wav", "gameover.wav", "Congrat.wav",
                                 "Applauds.wav", "Bye.wav",   "exit.wav",     "Stupid.wav",
                                 "pp.wav",       "Hop.wav",   "Yeahbaby.wav"};

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of("\\/") + 1);
}

struct WaveFormat {
    bool valid = false;
    unsigned channels = 0;
    unsigned rate = 0;
    unsigned bits = 0;
    double seconds = 0;
    long bytes = 0;
};

WaveFormat ReadWave(const std::string& path) {
    WaveFormat w;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return w;
    std::vector<unsigned char> b;
    unsigned char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        b.insert(b.end(), buf, buf + n);
    std::fclose(f);
    w.bytes = static_cast<long>(b.size());
    auto u32 = [&](size_t at) {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
               static_cast<std::uint32_t>(b[at + 3]) << 24;
    };
    auto u16 = [&](size_t at) { return static_cast<unsigned>(b[at] | b[at + 1] << 8); };
    if (b.size() < 44 || std::memcmp(&b[0], "RIFF", 4) || std::memcmp(&b[8], "WAVE", 4))
        return w;
    unsigned byteRate = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::uint32_t size = u32(at + 4);
        if (!std::memcmp(&b[at], "fmt ", 4) && at + 24 <= b.size()) {
            w.valid = u16(at + 8) == 1 || u16(at + 8) == 0xFFFE;
            w.channels = u16(at + 10);
            w.rate = u32(at + 12);
            byteRate = u32(at + 16);
            w.bits = u16(at + 22);
        } else if (!std::memcmp(&b[at], "data", 4) && byteRate) {
            w.seconds = static_cast<double>(size) / byteRate;
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

// The size of an icon image as loaded at the asked size.
SIZE IconSize(HICON icon) {
    ICONINFO info{};
    SIZE size{0, 0};
    if (!icon || !GetIconInfo(icon, &info))
        return size;
    BITMAP bm{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    size.cx = bm.bmWidth;
    size.cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

TEST(Pictures, IconsPointerAndTitlePictureLoadFromTheResources) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int id : {IDI_GAME, IDI_LIFE}) {
        for (int size : {16, 32, 48}) {
            HICON icon = static_cast<HICON>(
                LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            const SIZE got = IconSize(icon);
            EXPECT_EQ(got.cx, size) << "icon " << id << " at " << size;
            EXPECT_EQ(got.cy, size) << "icon " << id << " at " << size;
            if (icon)
                DestroyIcon(icon);
        }
    }
    EXPECT_NE(LoadCursorA(instance, MAKEINTRESOURCEA(IDC_GAME_POINTER)), nullptr);

    HBITMAP logo = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(logo, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(logo, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 106);
    EXPECT_EQ(dib.dsBm.bmHeight, 29);
    EXPECT_EQ(dib.dsBmih.biBitCount, 4) << "16 colours";
    DeleteObject(logo);
}

TEST(SoundFiles, AllNineteenCuesLieNextToTheProgramAsSmallMonoWaves) {
    const std::string folder = ProgramFolder();
    long total = 0;
    for (const char* name : kCueFiles) {
        const WaveFormat w = ReadWave(folder + name);
        ASSERT_TRUE(w.valid) << folder << name << " is missing or not a PCM wave file";
        EXPECT_EQ(w.channels, 1u) << name;
        EXPECT_LE(w.rate, 22050u) << name;
        EXPECT_GT(w.seconds, 0.02) << name;
        EXPECT_LT(w.seconds, 4.0) << name << " is too long for a cue";
        total += w.bytes;
    }
    EXPECT_LT(total, 1024 * 1024) << "the cues together should stay small";
}

TEST_F(GameWindowTest, SettingsWorkWhenTheirCueFilesAreMissing) {
    // The real sound service, in a folder without the cue files.
    Platform().setSoundFunction(nullptr);
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    ASSERT_EQ(GetFileAttributesA("pp.wav"), INVALID_FILE_ATTRIBUTES)
        << "pp.wav found in " << folder;
    Command(IDM_SPEED_SLOW);
    Command(IDM_KEYBOARD);
    EXPECT_EQ(Game().delayLoops, 300000);
    EXPECT_TRUE(Game().keyboardControl);
    EXPECT_TRUE(GetMenuState(GetMenu(hwnd_), IDM_SPEED_SLOW, MF_BYCOMMAND) & MF_CHECKED);
    Key(VK_RETURN);
    EXPECT_EQ(Game().screenMode, brick::ModeRoundIntro);
    EXPECT_TRUE(IsWindow(hwnd_));
}

} // namespace
} // namespace brickwin::testing
