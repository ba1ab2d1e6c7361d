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

HDC Win32BrickPlatform::paintDc() const {
    if (paintDepth_ <= 0 || paintDepth_ > kMaxPaintDepth)
        return nullptr;
    const std::optional<desk::PaintDc>& paint = paints_[paintDepth_ - 1];
    return paint ? paint->get() : nullptr;
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

void Win32BrickPlatform::countingWait(std::int32_t counts) {
    wait_.run(counts);
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
    if (slot < kMaxPaintDepth)
        paints_[slot].emplace(record_.mainWindow);
}

void Win32BrickPlatform::endPaint() {
    if (paintDepth_ <= 0)
        return;
    --paintDepth_;
    if (paintDepth_ < kMaxPaintDepth)
        paints_[paintDepth_].reset();
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
