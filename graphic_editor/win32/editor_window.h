// The editor's window layer: the main window, its controls and menu, the
// repaint, the About box, and the GDI objects the editor owns for the run.
#pragma once

#include "model/editor_platform.h"
#include "model/editor_state.h"
#include "platform/gdi.h"
#include "platform/win32.h"

namespace risovik::win {

extern const char kClassName[];   // "LMN 07-3"
extern const char kWindowTitle[]; // Windows-1251
extern const char kTextLabel[];   // drawn above the text field

// The one editor of the process: the model's state and the platform's
// objects it works on. Valid from WM_CREATE to WM_DESTROY of the main window.
struct EditorWindow {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    // The tool and colour buttons, by control id - 1 (ids 1..8).
    HWND buttons[8] = {};
    HWND textField = nullptr;
    HWND rotateButton = nullptr;
    HWND scaleButton = nullptr;

    EditorState state;

    // The picture being edited. It is selected into canvasSurface at the
    // start of every repaint and of every transform; to replace it, use
    // ReplaceCanvas.
    desk::Bitmap canvas;
    // The memory DC all drawing into the canvas goes through.
    HDC canvasSurface = nullptr;
    // What canvasSurface held when it was made, put back before release.
    HGDIOBJ firstPicture = nullptr;
    // The metafile DC receiving every drawn shape (CreateMetaFileA(NULL));
    // set it to nullptr once CloseMetaFile has ended it.
    HDC recording = nullptr;
    // The recording last opened, played by the next paint step when
    // state.playPending is 1; deleted when replaced and at the end.
    HMETAFILE loadedRecording = nullptr;
};

// The running editor and the platform interface its model operations take.
EditorWindow& Editor();
EditorPlatform& Platform();

// Makes `picture` the canvas: the previous canvas is taken out of the canvas
// surface and deleted; the new one joins the surface at the next repaint or
// transform.
void ReplaceCanvas(HBITMAP picture);

// Registers the window class (the result is not examined: a second
// registration in one process fails harmlessly).
void RegisterEditorClass(HINSTANCE instance);
// Creates the main window (WM_CREATE runs before it returns); null on failure.
HWND CreateEditorWindow(HINSTANCE instance);
LRESULT CALLBACK EditorWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The whole program: class, window, message loop. Returns the quit code.
int RunEditor(HINSTANCE instance, int showMode);

} // namespace risovik::win
