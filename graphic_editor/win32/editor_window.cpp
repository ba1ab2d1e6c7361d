#include "win32/editor_window.h"

#include "model/transforms.h"
#include "resource.h"
#include "win32/file_commands.h"
#include "win32/gdi_surface.h"
#include "win32/recordings.h"
#include "platform/message_loop.h"
#include "platform/text.h"

namespace risovik::win {

const char kClassName[] = "LMN 07-3";
const char kWindowTitle[] = "Курсовая работа `Графический редактор`";
const char kTextLabel[] = "Type you text:";

static_assert(static_cast<int>(Button::Line) == IDC_LINE_TOOL &&
                  static_cast<int>(Button::Rectangle) == IDC_RECTANGLE_TOOL &&
                  static_cast<int>(Button::Ellipse) == IDC_ELLIPSE_TOOL &&
                  static_cast<int>(Button::Text) == IDC_TEXT_TOOL &&
                  static_cast<int>(Button::Red) == IDC_RED &&
                  static_cast<int>(Button::Green) == IDC_GREEN &&
                  static_cast<int>(Button::Blue) == IDC_BLUE &&
                  static_cast<int>(Button::Magenta) == IDC_MAGENTA,
              "the model's buttons are named by their control ids");

namespace {

constexpr int kWindowX = 100;
constexpr int kWindowY = 70;
constexpr int kWindowWidth = 650;
constexpr int kWindowHeight = 455;
constexpr DWORD kWindowStyle = WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kLabelX = 460;
constexpr int kLabelY = 225;

struct ControlSpec {
    const wchar_t* className;
    const char* text; // Windows-1251, shown through the wide calls
    int id;
    int x, y, width, height;
    DWORD style;
};

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL;

// The panel right of the canvas, in creation order.
constexpr ControlSpec kControls[] = {
    {L"BUTTON", "Line", IDC_LINE_TOOL, 460, 0, 80, 70, kButtonStyle},
    {L"BUTTON", "Rectangle", IDC_RECTANGLE_TOOL, 540, 0, 80, 70, kButtonStyle},
    {L"BUTTON", "Ellipse", IDC_ELLIPSE_TOOL, 460, 70, 80, 70, kButtonStyle},
    {L"BUTTON", "Text", IDC_TEXT_TOOL, 540, 70, 80, 70, kButtonStyle},
    {L"BUTTON", "RED", IDC_RED, 460, 160, 60, 30, kButtonStyle},
    {L"BUTTON", "GREEN", IDC_GREEN, 460, 190, 60, 30, kButtonStyle},
    {L"BUTTON", "BLUE", IDC_BLUE, 530, 160, 60, 30, kButtonStyle},
    {L"BUTTON", "MAGENA", IDC_MAGENTA, 530, 190, 60, 30, kButtonStyle},
    {L"edit", "", IDC_TEXT_FIELD, 460, 240, 120, 20, kFieldStyle},
    {L"BUTTON", "Rotate 90%", IDC_ROTATE, 460, 300, 80, 70, kButtonStyle},
    {L"BUTTON", "Macshtab", IDC_SCALE, 550, 300, 80, 70, kButtonStyle},
};

WindowHandles g_handles;
EditorState g_state;

// The model's platform over g_handles' window, controls and DCs.
class GdiEditorPlatform final : public EditorPlatform {
  public:
    DrawingSurface& canvasSurface() override {
        canvas_.attach(g_handles.canvasSurface.get());
        return canvas_;
    }
    DrawingSurface& recording() override {
        recording_.attach(g_handles.recording);
        return recording_;
    }
    // The wide call: the characters as typed, whatever the system's code page.
    int readTextField(char16_t* buffer) override {
        return static_cast<int>(
            SendMessageW(g_handles.textField, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer)));
    }
    void playLoadedRecording() override {
        PlayRecording(g_handles.canvasSurface.get(), g_handles.loadedRecording);
    }
    void setButtonPushed(Button button, bool pushed) override {
        SendMessageA(g_handles.buttons[static_cast<int>(button) - 1], BM_SETSTATE, pushed ? 1 : 0,
                     0);
    }
    void invalidateAll(bool erase) override {
        RECT client;
        GetClientRect(g_handles.window, &client);
        InvalidateRect(g_handles.window, &client, erase);
    }
    DrawingSurface& makeNewPicture(int width, int height) override {
        discardPending();
        desk::WindowDc screen(g_handles.window);
        pendingSurface_ = desk::PictureDc(screen.get());
        pendingPicture_.reset(CreateCompatibleBitmap(screen.get(), width, height));
        pendingSurface_.select(pendingPicture_.get());
        pending_.attach(pendingSurface_.get());
        return pending_;
    }
    // The old surface goes first (its first picture back, then DeleteDC),
    // then the old picture.
    void adoptNewPicture() override {
        g_handles.canvasSurface = std::move(pendingSurface_);
        g_handles.canvas = std::move(pendingPicture_);
        pending_.attach(nullptr);
    }

  private:
    void discardPending() {
        pendingSurface_ = desk::PictureDc();
        pendingPicture_.reset();
    }

    GdiSurface canvas_;
    GdiSurface recording_;
    GdiSurface pending_;
    desk::PictureDc pendingSurface_;
    desk::Bitmap pendingPicture_;
};

GdiEditorPlatform platform;

// Puts the current canvas into the canvas surface: after ReplaceCanvas the
// surface holds nothing until this runs.
void SelectCanvas() {
    g_handles.canvasSurface.select(g_handles.canvas.get());
}

void OnCreate(HWND hwnd, const CREATESTRUCTW& create) {
    g_handles = WindowHandles{};
    g_handles.instance = create.hInstance;
    g_handles.window = hwnd;
    StartEditor(g_state);
    for (const ControlSpec& c : kControls) {
        HWND control = CreateWindowExW(
            0, c.className, desk::Wide(c.text).c_str(), c.style, c.x, c.y, c.width, c.height, hwnd,
            reinterpret_cast<HMENU>(INT_PTR{c.id}), create.hInstance, nullptr);
        if (c.id >= IDC_LINE_TOOL && c.id <= IDC_MAGENTA)
            g_handles.buttons[c.id - 1] = control;
        else if (c.id == IDC_TEXT_FIELD)
            g_handles.textField = control;
        else if (c.id == IDC_ROTATE)
            g_handles.rotateButton = control;
        else if (c.id == IDC_SCALE)
            g_handles.scaleButton = control;
    }
    desk::WindowDc screen(hwnd);
    g_handles.canvasSurface = desk::PictureDc(screen.get());
    g_handles.canvas.reset(CreateCompatibleBitmap(screen.get(), kCanvasWidth, kCanvasHeight));
    g_handles.canvasSurface.select(g_handles.canvas.get());
    g_handles.recording = CreateMetaFileA(nullptr);
}

void OnPaint() {
    desk::PaintDc paint(g_handles.window);
    SelectCanvas();
    SetBkColor(paint.get(), GetSysColor(COLOR_MENU));
    const std::wstring label = desk::Wide(kTextLabel);
    TextOutW(paint.get(), kLabelX, kLabelY, label.c_str(), static_cast<int>(label.size()));
    RenderPending(g_state, platform);
    BitBlt(paint.get(), 0, 0, kCanvasWidth, kCanvasHeight, g_handles.canvasSurface.get(), 0, 0,
           SRCCOPY);
}

void OnDestroy() {
    g_handles.canvasSurface.takeOut();
    g_handles.canvas.reset();
    if (g_handles.loadedRecording)
        DeleteMetaFile(g_handles.loadedRecording);
    g_handles.loadedRecording = nullptr;
    g_handles.canvasSurface = desk::PictureDc();
    // An unsaved recording is lost at the end; its memory is given back.
    if (g_handles.recording)
        DeleteMetaFile(CloseMetaFile(g_handles.recording));
    g_handles.recording = nullptr;
    PostQuitMessage(0);
}

// A transform reads the canvas through the canvas surface: make sure a
// picture replaced since the last repaint is the one read.
void OnTransform(void (*transform)(EditorState&, EditorPlatform&)) {
    SelectCanvas();
    transform(g_state, platform);
}

// The menu's "twice" entries: each run is a complete nested command.
void SendCommandTimes(HWND hwnd, int command, int times) {
    for (int i = 0; i < times; ++i)
        SendMessageW(hwnd, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

void OnAbout(HWND hwnd) {
    DialogBoxParamA(g_handles.instance, MAKEINTRESOURCEA(IDD_ABOUT), hwnd, AboutProc, 0);
}

// Returns false for ids that are not commands of this window.
bool OnCommand(HWND hwnd, int id) {
    EditorState& s = g_state;
    switch (id) {
    case IDC_LINE_TOOL: SelectTool(s, platform, Tool::Line); return true;
    case IDC_RECTANGLE_TOOL: SelectTool(s, platform, Tool::Rectangle); return true;
    case IDC_ELLIPSE_TOOL: SelectTool(s, platform, Tool::Ellipse); return true;
    case IDC_TEXT_TOOL: SelectTool(s, platform, Tool::Text); return true;
    case IDC_RED: SelectColour(s, platform, DrawColour::Red); return true;
    case IDC_GREEN: SelectColour(s, platform, DrawColour::Green); return true;
    case IDC_BLUE: SelectColour(s, platform, DrawColour::Blue); return true;
    case IDC_MAGENTA: SelectColour(s, platform, DrawColour::Magenta); return true;
    case IDC_ROTATE: OnTransform(RotateQuarter); return true;
    case IDC_SCALE: OnTransform(HalveSize); return true;
    case IDM_NEW: NewPicture(s, platform); return true;
    case IDM_EXIT: DestroyWindow(hwnd); return true;
    case IDM_ABOUT: OnAbout(hwnd); return true;
    case IDM_ROTATE_90: SendCommandTimes(hwnd, IDC_ROTATE, 1); return true;
    case IDM_ROTATE_180: SendCommandTimes(hwnd, IDC_ROTATE, 2); return true;
    case IDM_SCALE_X2: SendCommandTimes(hwnd, IDC_SCALE, 1); return true;
    case IDM_SCALE_X4: SendCommandTimes(hwnd, IDC_SCALE, 2); return true;
    case IDM_OPEN_FILE: OpenPicture(); return true;
    case IDM_SAVE_FILE: SavePicture(); return true;
    case IDM_OPEN_META_1: OpenRecording(1); return true;
    case IDM_OPEN_META_2: OpenRecording(2); return true;
    case IDM_OPEN_META_3: OpenRecording(3); return true;
    case IDM_SAVE_META_1: SaveRecording(1); return true;
    case IDM_SAVE_META_2: SaveRecording(2); return true;
    case IDM_SAVE_META_3: SaveRecording(3); return true;
    default: return false;
    }
}

int LowWord(LPARAM value) {
    return static_cast<int>(value & 0xFFFF);
}
int HighWord(LPARAM value) {
    return static_cast<int>((value >> 16) & 0xFFFF);
}

} // namespace

WindowHandles& Handles() {
    return g_handles;
}

EditorState& State() {
    return g_state;
}

EditorPlatform& Platform() {
    return platform;
}

void ReplaceCanvas(HBITMAP picture) {
    g_handles.canvasSurface.takeOut();
    g_handles.canvas.reset(picture);
}

void RegisterEditorClass(HINSTANCE instance) {
    // A Unicode class: the title and the controls' texts reach the window
    // as UTF-16, so they read right whatever the system's code page.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = EditorWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));     // IDI_ASTERISK
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    const std::wstring className = desk::Wide(kClassName);
    wc.lpszClassName = className.c_str();
    RegisterClassExW(&wc);
}

HWND CreateEditorWindow(HINSTANCE instance) {
    return CreateWindowExW(0, desk::Wide(kClassName).c_str(), desk::Wide(kWindowTitle).c_str(),
                           kWindowStyle, kWindowX, kWindowY, kWindowWidth, kWindowHeight, nullptr,
                           nullptr, instance, nullptr);
}

LRESULT CALLBACK EditorWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(hwnd, *reinterpret_cast<const CREATESTRUCTW*>(lParam)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_LBUTTONDOWN: PressAt(g_state, LowWord(lParam), HighWord(lParam)); return 0;
    case WM_LBUTTONUP: ReleaseAt(g_state, platform, LowWord(lParam), HighWord(lParam)); return 0;
    case WM_COMMAND:
        if (OnCommand(hwnd, static_cast<int>(wParam & 0xFFFF)))
            return 0;
        break;
    case WM_DESTROY: OnDestroy(); return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: {
        const int id = static_cast<int>(wParam & 0xFFFF);
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    }
    }
    return FALSE;
}

int RunEditor(HINSTANCE instance, int showMode) {
    RegisterEditorClass(instance);
    HWND hwnd = CreateEditorWindow(instance);
    if (!hwnd)
        return 0;
    ShowWindow(hwnd, showMode);
    UpdateWindow(hwnd);
    return desk::RunMessageLoop(desk::TranslateAndDispatch);
}

} // namespace risovik::win
