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

// The Win32 handles of the one editor of the process: its window and
// controls, and the GDI objects it draws with. Valid from WM_CREATE to
// WM_DESTROY of the main window; the model's state lives beside it (State()).
struct WindowHandles {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    // The tool and colour buttons, by control id - 1 (ids 1..8).
    HWND buttons[8] = {};
    HWND textField = nullptr;
    // The transform buttons are kept for the run like the other controls,
    // though nothing is sent to them once they are made.
    HWND rotateButton = nullptr;
    HWND scaleButton = nullptr;

    // The picture being edited. It is selected into canvasSurface at the
    // start of every repaint and of every transform; to replace it, use
    // ReplaceCanvas.
    desk::Bitmap canvas;
    // The memory DC all drawing into the canvas goes through; it puts back
    // the picture it held when it was made before it is released.
    desk::PictureDc canvasSurface;
    // The metafile DC receiving every drawn shape (CreateMetaFileA(NULL));
    // set it to nullptr once CloseMetaFile has ended it.
    HDC recording = nullptr;
    // The recording last opened, played by the next paint step when
    // playPending is 1; deleted when replaced and at the end.
    HMETAFILE loadedRecording = nullptr;
};

// The running editor: its handles, its state and the platform interface its
// model operations take.
WindowHandles& Handles();
EditorState& State();
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
