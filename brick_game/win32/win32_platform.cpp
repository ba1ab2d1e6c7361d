#include "win32/win32_platform.h"

#include "res/resource_ids.h"
#include "win32/game_window.h"

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

std::int64_t PerformanceClock::ticks() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

std::int64_t PerformanceClock::ticksPerSecond() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
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
    return paint->savedState ? buffer_.get() : paint->window->get();
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
    if (!buffered_ || !buffer_.get() || bufferWindow_ != record_.mainWindow)
        return false;
    HDC picture = buffer_.get();
    const int saved = SaveDC(picture);
    clipBufferLike(windowDc);
    DefWindowProcA(record_.mainWindow, WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture), 0);
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
    desk::Region region(CreateRectRgn(0, 0, 0, 0));
    POINT origin{0, 0};
    ClientToScreen(record_.mainWindow, &origin);
    if (GetRandomRgn(windowDc, region.get(), SYSRGN) != 1)
        SetRectRgn(region.get(), 0, 0, 0, 0);
    OffsetRgn(region.get(), -origin.x, -origin.y);
    SelectClipRgn(buffer_.get(), region.get());
}

// Makes the picture ready for one paint: of the client area's size, and
// clipped to the paint's update region, where it holds what the screen holds.
void Win32BrickPlatform::prepareBuffer(Paint& paint) {
    HWND hwnd = record_.mainWindow;
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
        buffer_ = std::move(dc);
        dc = desk::MemoryDc(); // the old DC goes first, letting its bitmap go
        bufferBitmap_ = std::move(bitmap);
        bufferWindow_ = hwnd;
        bufferSize_ = SIZE{client.right, client.bottom};
    }
    if (!buffer_.get() || bufferWindow_ != hwnd)
        return;
    HDC picture = buffer_.get();
    paint.savedState = SaveDC(picture);
    if (!paint.savedState)
        return;
    ++buffersDrawing_;
    clipBufferLike(window);
    if (paint.erased)
        DefWindowProcA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture), 0);
}

void Win32BrickPlatform::invalidate(const desk::Rect& area, bool erase) {
    const RECT r = desk::ToRECT(area);
    InvalidateRect(record_.mainWindow, &r, erase ? TRUE : FALSE);
}

void Win32BrickPlatform::invalidateAll(bool erase) {
    InvalidateRect(record_.mainWindow, nullptr, erase ? TRUE : FALSE);
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

void Win32BrickPlatform::sendKeyDown(int virtualKey, std::intptr_t lParam) {
    SendMessageA(record_.mainWindow, WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
                 static_cast<LPARAM>(lParam));
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
    paint.savedState = 0;
    paint.beginning = true;
    paint.window.emplace(record_.mainWindow);
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
    if (paint.savedState) {
        // The whole frame reaches the screen at once; the window's own clipping
        // keeps the copy to the update region.
        HDC picture = buffer_.get();
        RECT box{};
        GetClipBox(picture, &box);
        BitBlt(paint.window->get(), box.left, box.top, box.right - box.left, box.bottom - box.top,
               picture, box.left, box.top, SRCCOPY);
        RestoreDC(picture, paint.savedState);
        paint.savedState = 0;
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

void Win32BrickPlatform::textOut(int x, int y, const char* text, int count) {
    if (HDC dc = paintDc())
        TextOutA(dc, x, y, text, count);
}

namespace {

// Whether any pixel of the box lies in the paint's clipping region. A shape
// outside it would change nothing on the screen, so it is not drawn at all:
// most play frames repaint only the ball's old box.
bool Visible(HDC dc, int left, int top, int right, int bottom) {
    const RECT box{left, top, right, bottom};
    return RectVisible(dc, &box) != FALSE;
}

} // namespace

void Win32BrickPlatform::drawLifeIcon(int x, int y) {
    record_.lifeIcon = LoadIconA(record_.instanceHandle, MAKEINTRESOURCEA(IDI_LIFE));
    HDC dc = paintDc();
    if (dc && Visible(dc, x, y, x + GetSystemMetrics(SM_CXICON), y + GetSystemMetrics(SM_CYICON)))
        DrawIcon(dc, x, y, record_.lifeIcon);
}

HBRUSH Win32BrickPlatform::brushOf(brick::BrushKind kind) const {
    switch (kind) {
    case brick::BrushKind::Brick: return record_.brickBrush.get();
    case brick::BrushKind::Ball: return record_.ballBrush.get();
    case brick::BrushKind::Paddle: return record_.paddleBrush.get();
    }
    return nullptr;
}

// A shape without its brush keeps whatever brush the device context holds.
void Win32BrickPlatform::ellipse(const desk::Rect& box, brick::BrushKind brush) {
    HDC dc = paintDc();
    if (!dc || !Visible(dc, box.left, box.top, box.right, box.bottom))
        return;
    HBRUSH b = brushOf(brush);
    desk::Selection sel(dc, b ? static_cast<HGDIOBJ>(b) : GetCurrentObject(dc, OBJ_BRUSH));
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

void Win32BrickPlatform::roundRect(const desk::Rect& box, int cornerW, int cornerH,
                                   brick::BrushKind brush) {
    HDC dc = paintDc();
    if (!dc || !Visible(dc, box.left, box.top, box.right, box.bottom))
        return;
    HBRUSH b = brushOf(brush);
    desk::Selection sel(dc, b ? static_cast<HGDIOBJ>(b) : GetCurrentObject(dc, OBJ_BRUSH));
    RoundRect(dc, box.left, box.top, box.right, box.bottom, cornerW, cornerH);
}

void Win32BrickPlatform::rectangle(const desk::Rect& box, brick::BrushKind brush) {
    HDC dc = paintDc();
    if (!dc || !Visible(dc, box.left, box.top, box.right, box.bottom))
        return;
    HBRUSH b = brushOf(brush);
    desk::Selection sel(dc, b ? static_cast<HGDIOBJ>(b) : GetCurrentObject(dc, OBJ_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
}

void Win32BrickPlatform::remakeBrushes(desk::Colour brick, desk::Colour ball, desk::Colour paddle) {
    record_.brickBrush.reset(CreateSolidBrush(brick));
    record_.ballBrush.reset(CreateSolidBrush(ball));
    record_.paddleBrush.reset(CreateSolidBrush(paddle));
}

void Win32BrickPlatform::checkMenuItem(int commandId, bool checked) {
    CheckMenuItem(record_.menuHandle, static_cast<UINT>(commandId),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

std::intptr_t Win32BrickPlatform::runDialog(int dialogId) {
    return DialogBoxParamA(record_.instanceHandle, MAKEINTRESOURCEA(dialogId), record_.mainWindow,
                           &HelpDialogProc, 0);
}

desk::Colour Win32BrickPlatform::chooseColour(desk::Colour customColours[16]) {
    CHOOSECOLORA& request = record_.colourRequest;
    request.lpCustColors = reinterpret_cast<COLORREF*>(customColours);
    ChooseColorA(&request);
    return request.rgbResult;
}

void Win32BrickPlatform::destroyWindow() {
    DestroyWindow(record_.mainWindow);
}

} // namespace brickwin
