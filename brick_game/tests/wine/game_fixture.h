// What the brick game's Wine tests share: a recorder that stands in for
// PlaySoundA, a fixture that starts the real main window as WinMain does, and
// a copy of the window's client pixels.
#pragma once

#include "platform/testing/wine_support.h"
#include "win32/game_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace brickwin::testing {

// One call of the sound service: the name ("(null)" for none) and the flags.
struct SoundCall {
    std::string name;
    DWORD flags;
    friend bool operator==(const SoundCall& a, const SoundCall& b) {
        return a.name == b.name && a.flags == b.flags;
    }
};
std::ostream& operator<<(std::ostream& out, const SoundCall& call);

std::vector<SoundCall>& SoundLog();
BOOL WINAPI RecordSound(LPCSTR sound, HMODULE module, DWORD flags);

constexpr DWORD kWait = 0x20000;
constexpr DWORD kStart = 0x20001;
constexpr DWORD kLoop = 0x20009;
constexpr DWORD kPurge = 0x40;

using desk::testing::PumpFor;
using desk::testing::PumpUntil;

// The client area's pixels at one moment, read through BitBlt from the
// window, or from another device context of the client area's size.
class ClientShot {
  public:
    explicit ClientShot(HWND hwnd);
    ClientShot(HWND hwnd, HDC source);
    COLORREF at(int x, int y) const;
    // How many pixels of the box (right and bottom exclusive) have this colour.
    int count(const RECT& box, COLORREF colour) const;
    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Starts the game window as WinMain does, with every sound recorded instead
// of played; destroys it and unregisters the class afterwards.
class GameWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Enter on the title screen, Enter again to skip the round intro: play
    // runs with the ball on the paddle.
    void StartPlay();
    LRESULT Command(int id) { return SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Key(int virtualKey) { SendMessageA(hwnd_, WM_KEYDOWN, virtualKey, 0); }

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
};

} // namespace brickwin::testing
