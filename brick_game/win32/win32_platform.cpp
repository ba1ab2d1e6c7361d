#include "win32/win32_platform.h"

#include "res/resource_ids.h"
#include "win32/game_window.h"
#include "platform/text.h"

#include <array>
#include <string>

namespace brickwin {

static_assert(sizeof(COLORREF) == sizeof(desk::Colour), "custom colours are shared as COLORREF");

DWORD CueFlags(brick::CueWay way) {
    switch (way) {
    case brick::CueWay::Wait: return SND_FILENAME;
    case brick::CueWay::Start: return SND_FILENAME | SND_ASYNC;
    case brick::CueWay::Loop: return SND_FILENAME | SND_ASYNC | SND_LOOP;
    }
    return SND_FILENAME | SND_ASYNC;
}

DWORD StopFlags(brick::StopForm form) {
    return form == brick::StopForm::Purge ? SND_PURGE : SND_FILENAME | SND_ASYNC;
}

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

PerformanceClock::PerformanceClock() {
    LARGE_INTEGER f;
    if (QueryPerformanceFrequency(&f) && f.QuadPart > 0)
        perSecond_ = f.QuadPart;
    // Systems before Windows 10 1803 refuse the flag.
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    if (!timer_)
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

PerformanceClock::~PerformanceClock() {
    releaseTimerPeriod();
    if (timer_)
        CloseHandle(timer_);
}

std::int64_t PerformanceClock::ticks() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

void PerformanceClock::blockUntil(std::int64_t deadline) {
    const std::int64_t left = deadline - ticks();
    if (left <= 0)
        return;
    // An ordinary timer keeps the system's timer period (often 15.6 ms)
    // unless asked for 1 ms, which is held until play stops.
    if (!highResolution_ && !periodHeld_)
        periodHeld_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    // In 100 ns units, negative for a time relative to now.
    const std::int64_t hundredNs =
        left / perSecond_ * 10'000'000 + left % perSecond_ * 10'000'000 / perSecond_;
    LARGE_INTEGER due;
    due.QuadPart = -(hundredNs > 0 ? hundredNs : 1);
    const DWORD bound = static_cast<DWORD>(hundredNs / 10'000 + 100);
    if (timer_ && SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE))
        WaitForSingleObject(timer_, bound);
    else
        Sleep(static_cast<DWORD>(hundredNs / 10'000));
}

void PerformanceClock::releaseTimerPeriod() {
    if (periodHeld_)
        timeEndPeriod(1);
    periodHeld_ = false;
}

Win32BrickPlatform::Paint* Win32BrickPlatform::innermost() {
    if (paintDepth_ <= 0 || paintDepth_ > kMaxPaintDepth)
        return nullptr;
    return &paints_[paintDepth_ - 1];
}

const Win32BrickPlatform::Paint* Win32BrickPlatform::innermost() const {
    return const_cast<Win32BrickPlatform*>(this)->innermost();
}

HDC Win32BrickPlatform::paintDc() const {
    const Paint* paint = innermost();
    if (!paint || !paint->window)
        return nullptr;
    return paint->inPicture ? buffer_.get() : paint->window->get();
}

bool Win32BrickPlatform::eraseInBuffer(HDC windowDc) {
    Paint* paint = innermost();
    if (buffered_ && paint && paint->beginning) {
        // Done once the paint's picture is ready, with the paint's region.
        paint->erased = true;
        return true;
    }
    // An erase outside a paint (DispatchMessage sends one after WM_PAINT while
    // a repaint with erasing is pending) stays in the picture too: on the
    // screen it would show until the next paint.
    if (!buffered_ || !buffer_.get() || bufferWindow_ != handles_.mainWindow)
        return false;
    HDC picture = buffer_.get();
    const int saved = SaveDC(picture);
    clipBufferLike(windowDc);
    DefWindowProcW(handles_.mainWindow, WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture), 0);
    RestoreDC(picture, saved);
    return true;
}

void Win32BrickPlatform::releaseBuffer() {
    if (buffersDrawing_ > 0)
        return;
    buffer_ = desk::MemoryDc();
    bufferBitmap_.reset();
    bufferWindow_ = nullptr;
    bufferSize_ = SIZE{0, 0};
}

void Win32BrickPlatform::clipBufferLike(HDC windowDc) {
    // The system region is in screen pixels; the picture's are client pixels.
    if (!clipRegion_)
        clipRegion_.reset(CreateRectRgn(0, 0, 0, 0));
    HRGN region = clipRegion_.get();
    POINT origin{0, 0};
    ClientToScreen(handles_.mainWindow, &origin);
    if (GetRandomRgn(windowDc, region, SYSRGN) != 1)
        SetRectRgn(region, 0, 0, 0, 0);
    OffsetRgn(region, -origin.x, -origin.y);
    SelectClipRgn(buffer_.get(), region);
}

// Makes the picture ready for one paint: of the client area's size, and
// clipped to the paint's update region, where it holds what the screen holds.
void Win32BrickPlatform::prepareBuffer(Paint& paint) {
    HWND hwnd = handles_.mainWindow;
    HDC window = paint.window->get();
    if (!window)
        return;
    RECT client{};
    GetClientRect(hwnd, &client);
    // While another paint draws into the picture it is not replaced; a
    // minimised window keeps the picture it had.
    const bool resized = client.right != bufferSize_.cx || client.bottom != bufferSize_.cy;
    if (buffersDrawing_ == 0 && client.right > 0 && client.bottom > 0 &&
        (!buffer_.get() || bufferWindow_ != hwnd || resized)) {
        desk::Bitmap bitmap(CreateCompatibleBitmap(window, client.right, client.bottom));
        desk::MemoryDc dc(window);
        if (!bitmap || !dc.get())
            return;
        SelectObject(dc.get(), bitmap.get());
        // A new size keeps what the old picture showed of the window.
        if (buffer_.get() && bufferWindow_ == hwnd)
            BitBlt(dc.get(), 0, 0, bufferSize_.cx, bufferSize_.cy, buffer_.get(), 0, 0, SRCCOPY);
        buffer_ = std::move(dc); // deletes the old DC first, letting its bitmap go
        bufferBitmap_ = std::move(bitmap);
        bufferWindow_ = hwnd;
        bufferSize_ = SIZE{client.right, client.bottom};
    }
    if (!buffer_.get() || bufferWindow_ != hwnd)
        return;
    HDC picture = buffer_.get();
    // A paint begun while another draws into the picture keeps the outer's
    // state aside. The usual single paint does without (RestoreDC costs more
    // than the rest of the picture's work): every frame sets the text
    // attributes it draws with, and its clipping goes again at its end.
    if (buffersDrawing_ > 0) {
        paint.savedState = SaveDC(picture);
        if (!paint.savedState)
            return;
    }
    paint.inPicture = true;
    ++buffersDrawing_;
    clipBufferLike(window);
    if (paint.erased)
        DefWindowProcW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture), 0);
}

void Win32BrickPlatform::invalidate(const desk::Rect& area, bool erase) {
    const RECT r = desk::ToRECT(area);
    InvalidateRect(handles_.mainWindow, &r, erase ? TRUE : FALSE);
}

void Win32BrickPlatform::invalidateAll(bool erase) {
    InvalidateRect(handles_.mainWindow, nullptr, erase ? TRUE : FALSE);
}

void Win32BrickPlatform::sleep(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

void Win32BrickPlatform::countingWait(std::int32_t counts, bool fromNow) {
    wait_.run(counts, fromNow);
}

void Win32BrickPlatform::playCue(const char* fileName, brick::CueWay way) {
    playSound_(fileName, nullptr, CueFlags(way));
}

void Win32BrickPlatform::stopCues(brick::StopForm form) {
    playSound_(nullptr, nullptr, StopFlags(form));
}

void Win32BrickPlatform::showCursor(bool show) {
    ShowCursor(show ? TRUE : FALSE);
}

desk::Point Win32BrickPlatform::cursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return desk::Point{p.x, p.y};
}

void Win32BrickPlatform::setCursorPos(int x, int y) {
    SetCursorPos(x, y);
}

void Win32BrickPlatform::sendKeyDown(int virtualKey, desk::Point clickPoint) {
    const LPARAM packed =
        MAKELPARAM(static_cast<WORD>(clickPoint.x), static_cast<WORD>(clickPoint.y));
    SendMessageW(handles_.mainWindow, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), packed);
}

void Win32BrickPlatform::beginPaint() {
    // BeginPaint sends WM_ERASEBKGND from inside itself, and that message runs
    // a banner frame with a paint of its own: the slot is taken before the
    // call, so that the inner paint lands in the next one.
    const int slot = paintDepth_++;
    if (slot >= kMaxPaintDepth)
        return;
    Paint& paint = paints_[slot];
    paint.erased = false;
    paint.inPicture = false;
    paint.savedState = 0;
    paint.clipKnown = false;
    paint.beginning = true;
    paint.window.emplace(handles_.mainWindow);
    paint.beginning = false;
    if (buffered_)
        prepareBuffer(paint);
}

void Win32BrickPlatform::endPaint() {
    if (paintDepth_ <= 0)
        return;
    --paintDepth_;
    if (paintDepth_ >= kMaxPaintDepth)
        return;
    Paint& paint = paints_[paintDepth_];
    if (paint.inPicture) {
        // The whole frame reaches the screen at once; the window's own clipping
        // keeps the copy to the update region.
        HDC picture = buffer_.get();
        const RECT& box = clipBox(paint, picture);
        BitBlt(paint.window->get(), box.left, box.top, box.right - box.left, box.bottom - box.top,
               picture, box.left, box.top, SRCCOPY);
        if (paint.savedState)
            RestoreDC(picture, paint.savedState);
        else
            SelectClipRgn(picture, nullptr);
        paint.savedState = 0;
        paint.inPicture = false;
        --buffersDrawing_;
    }
    paint.window.reset();
}

void Win32BrickPlatform::setTextColour(desk::Colour colour) {
    if (HDC dc = paintDc())
        SetTextColor(dc, colour);
}

void Win32BrickPlatform::setTextBackground(desk::Colour colour) {
    if (HDC dc = paintDc())
        SetBkColor(dc, colour);
}

void Win32BrickPlatform::setOpaqueText(bool opaque) {
    if (HDC dc = paintDc())
        SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
}

const RECT& Win32BrickPlatform::clipBox(Paint& paint, HDC dc) {
    if (!paint.clipKnown) {
        if (GetClipBox(dc, &paint.clip) == ERROR)
            SetRectEmpty(&paint.clip);
        paint.clipKnown = true;
    }
    return paint.clip;
}

// Whether any pixel of the box lies in the paint's clipping region. A shape
// or a text outside it would change nothing on the screen, so it is not drawn
// at all: most play frames repaint only the ball's old box. The clipping's
// bounds, taken once per paint, answer most boxes without a call.
bool Win32BrickPlatform::visible(HDC dc, int left, int top, int right, int bottom) {
    if (Paint* paint = innermost()) {
        const RECT& clip = clipBox(*paint, dc);
        if (right <= clip.left || left >= clip.right || bottom <= clip.top || top >= clip.bottom)
            return false;
    }
    const RECT box{left, top, right, bottom};
    return RectVisible(dc, &box) != FALSE;
}

namespace {

// UTF-16 of every Windows-1251 byte, made once: the game's texts are drawn
// every frame, and a table lookup per byte costs less than a conversion call.
const wchar_t* WideOf1251() {
    static const auto table = [] {
        std::array<wchar_t, 256> t{};
        for (int b = 1; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const std::wstring w = desk::Wide(&byte, 1);
            t[b] = w.size() == 1 ? w[0] : L'?';
        }
        return t;
    }();
    return table.data();
}

} // namespace

void Win32BrickPlatform::textOut(int x, int y, const char* text, int count) {
    HDC dc = paintDc();
    if (!dc || !text || count <= 0)
        return;
    // Every character of the game's font lies within its widest one, so this
    // box holds all that TextOut may paint, the opaque background included.
    if (!textCell_.cy) {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        textCell_ = SIZE{tm.tmMaxCharWidth + tm.tmOverhang, tm.tmHeight};
    }
    if (!visible(dc, x, y, x + count * textCell_.cx + textCell_.cx, y + textCell_.cy))
        return;
    // The game's texts are single bytes of 1251, one UTF-16 unit each.
    const wchar_t* table = WideOf1251();
    std::array<wchar_t, 128> wide;
    const int n = count < static_cast<int>(wide.size()) ? count : static_cast<int>(wide.size());
    for (int i = 0; i < n; ++i)
        wide[i] = table[static_cast<unsigned char>(text[i])];
    TextOutW(dc, x, y, wide.data(), n);
}

void Win32BrickPlatform::drawLifeIcon(int x, int y) {
    // The icon is a shared one: loading it again would give the same handle,
    // at the cost of three server round trips under Wine every frame.
    if (!handles_.lifeIcon || lifeIconModule_ != handles_.instanceHandle) {
        handles_.lifeIcon = LoadIconA(handles_.instanceHandle, MAKEINTRESOURCEA(IDI_LIFE));
        lifeIconModule_ = handles_.instanceHandle;
        lifeIconSize_ = SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    }
    HDC dc = paintDc();
    if (dc && visible(dc, x, y, x + lifeIconSize_.cx, y + lifeIconSize_.cy))
        DrawIcon(dc, x, y, handles_.lifeIcon);
}

HBRUSH Win32BrickPlatform::brushOf(brick::BrushKind kind) const {
    switch (kind) {
    case brick::BrushKind::Brick: return handles_.brickBrush.get();
    case brick::BrushKind::Ball: return handles_.ballBrush.get();
    case brick::BrushKind::Paddle: return handles_.paddleBrush.get();
    }
    return nullptr;
}

// Draws a shape in the box with the brush selected, unless the box shows
// nothing. A shape without its brush keeps whatever brush the device context
// holds.
template <class Draw>
void Win32BrickPlatform::shape(const desk::Rect& box, brick::BrushKind brush, Draw draw) {
    HDC dc = paintDc();
    if (!dc || !visible(dc, box.left, box.top, box.right, box.bottom))
        return;
    HBRUSH b = brushOf(brush);
    desk::Selection sel(dc, b ? static_cast<HGDIOBJ>(b) : GetCurrentObject(dc, OBJ_BRUSH));
    draw(dc);
}

void Win32BrickPlatform::ellipse(const desk::Rect& box, brick::BrushKind brush) {
    shape(box, brush, [&](HDC dc) { Ellipse(dc, box.left, box.top, box.right, box.bottom); });
}

void Win32BrickPlatform::roundRect(const desk::Rect& box, int cornerW, int cornerH,
                                   brick::BrushKind brush) {
    shape(box, brush, [&](HDC dc) {
        RoundRect(dc, box.left, box.top, box.right, box.bottom, cornerW, cornerH);
    });
}

void Win32BrickPlatform::rectangle(const desk::Rect& box, brick::BrushKind brush) {
    shape(box, brush, [&](HDC dc) { Rectangle(dc, box.left, box.top, box.right, box.bottom); });
}

void Win32BrickPlatform::remakeBrushes(desk::Colour brick, desk::Colour ball, desk::Colour paddle) {
    handles_.brickBrush.reset(CreateSolidBrush(brick));
    handles_.ballBrush.reset(CreateSolidBrush(ball));
    handles_.paddleBrush.reset(CreateSolidBrush(paddle));
}

void Win32BrickPlatform::attachMenu() {
    handles_.menuHandle = LoadMenuW(handles_.instanceHandle, MAKEINTRESOURCEW(IDR_MAIN_MENU));
    SetMenu(handles_.mainWindow, handles_.menuHandle);
}

void Win32BrickPlatform::checkMenuItem(int commandId, bool checked) {
    CheckMenuItem(handles_.menuHandle, static_cast<UINT>(commandId),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

int Win32BrickPlatform::runDialog(int dialogId) {
    // The dialogs end with the id of their button (1 or 2), or fail with 0 or -1.
    return static_cast<int>(DialogBoxParamW(handles_.instanceHandle, MAKEINTRESOURCEW(dialogId),
                                            handles_.mainWindow, &HelpDialogProc, 0));
}

desk::Colour Win32BrickPlatform::chooseColour(desk::Colour customColours[16]) {
    CHOOSECOLORA& request = handles_.colourRequest;
    request.lpCustColors = reinterpret_cast<COLORREF*>(customColours);
    ChooseColorA(&request);
    return request.rgbResult;
}

void Win32BrickPlatform::destroyWindow() {
    DestroyWindow(handles_.mainWindow);
}

void Win32BrickPlatform::quit() {
    PostQuitMessage(0);
    handles_.brickBrush.reset();
    handles_.ballBrush.reset();
    handles_.paddleBrush.reset();
    releaseBuffer();
    clock_.releaseTimerPeriod();
}

} // namespace brickwin
