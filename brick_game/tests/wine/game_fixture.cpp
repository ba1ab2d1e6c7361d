#include "game_fixture.h"

#include <ostream>

namespace brickwin::testing {

std::ostream& operator<<(std::ostream& out, const SoundCall& call) {
    return out << "{" << call.name << ", 0x" << std::hex << call.flags << std::dec << "}";
}

std::vector<SoundCall>& SoundLog() {
    static std::vector<SoundCall> log;
    return log;
}

BOOL WINAPI RecordSound(LPCSTR sound, HMODULE, DWORD flags) {
    SoundLog().push_back(SoundCall{sound ? sound : "(null)", flags});
    return TRUE;
}

ClientShot::ClientShot(HWND hwnd) : ClientShot(hwnd, desk::WindowDc(hwnd).get()) {}

ClientShot::ClientShot(HWND hwnd, HDC source) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    width_ = rc.right;
    height_ = rc.bottom;
    desk::WindowDc window(hwnd);
    desk::MemoryDc memory(window.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    desk::Bitmap dib(CreateDIBSection(window.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits)
        return;
    {
        desk::Selection select(memory.get(), dib.get());
        BitBlt(memory.get(), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        GdiFlush();
    }
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(p, p + static_cast<size_t>(width_) * height_);
}

COLORREF ClientShot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty())
        return CLR_INVALID;
    const std::uint32_t bgra = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

int ClientShot::count(const RECT& box, COLORREF colour) const {
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            n += at(x, y) == colour ? 1 : 0;
    return n;
}

void GameWindowTest::SetUp() {
    SoundLog().clear();
    Platform().setSoundFunction(&RecordSound);
    instance_ = GetModuleHandleA(nullptr);
    ASSERT_TRUE(StartUp(instance_)) << "class registration failed";
    hwnd_ = CreateGameWindow(instance_, SW_SHOW);
    ASSERT_NE(hwnd_, nullptr) << "window creation failed";
    SetForegroundWindow(hwnd_);
    PumpFor(50);
}

void GameWindowTest::TearDown() {
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    // Takes the quit message that WM_DESTROY posts, so no later test sees it.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    UnregisterClassA(kClassName, instance_);
    Platform().setSoundFunction(nullptr);
    // The game hides and shows the pointer; leave the display count at 0.
    int count = ShowCursor(TRUE);
    while (count < 0)
        count = ShowCursor(TRUE);
    while (count > 0)
        count = ShowCursor(FALSE);
}

void GameWindowTest::StartPlay() {
    Key(VK_RETURN);
    ASSERT_EQ(Game().screenMode, brick::ModeRoundIntro);
    Key(VK_RETURN);
    ASSERT_TRUE(Game().isPlaying);
    PumpFor(120);
}

} // namespace brickwin::testing
