// Helpers for the tests of the window layers, run under Wine (or Windows):
// driving a window's messages, answering modal boxes and reading pixels.
#pragma once

#include "platform/win32.h"

#include <functional>
#include <string>
#include <vector>

namespace desk::testing {

// Dispatches the calling thread's queued messages until none is left (never
// returns while a window repaints itself in every WM_PAINT: use PumpFor).
void PumpPending();

// Dispatches messages for about `milliseconds`.
void PumpFor(DWORD milliseconds);

// Dispatches messages, one at a time, until `done` returns true or
// `timeoutMs` passes. Returns the last value of `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Answers the modal boxes and dialogs (class #32770) that the calling thread
// opens while this object lives. Each time one is activated, the next answer
// in the queue is taken: its optional `prepare` runs on the dialog window,
// then WM_COMMAND with `command` is posted to it. With the queue empty,
// `fallback` is posted. The texts of every box seen are kept for checks.
class ModalAnswerer {
  public:
    // An answer's command that posts nothing: its `prepare` closes the box
    // itself, as a person would (a click, a key, the close box), or leaves
    // that to a timer.
    static constexpr int kClosedByPrepare = 0;
    struct Answer {
        int command = IDOK;
        std::function<void(HWND)> prepare;
    };
    explicit ModalAnswerer(std::vector<Answer> answers = {}, int fallback = IDCANCEL);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    void push(int command, std::function<void(HWND)> prepare = {});

    struct Seen {
        std::string caption; // Windows-1251, like WindowTextOf
        std::string text;    // the texts of the box's static controls, joined by '\n'
    };
    const std::vector<Seen>& seen() const { return seen_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void onActivate(HWND dialog);

    HHOOK hook_ = nullptr;
    std::vector<Answer> answers_;
    int fallback_;
    std::vector<Seen> seen_;
};

// The text of a window as Windows-1251 bytes, read through the wide call so
// that it does not depend on the system's ANSI code page.
std::string WindowTextOf(HWND hwnd);

// The texts of a dialog's STATIC children, joined by '\n'.
std::string StaticTextsOf(HWND dialog);

// A pixel of a window's client area, read from the screen through GetDC.
COLORREF ClientPixel(HWND hwnd, int x, int y);

// The ANSI code page that a code-page test run was started to have
// (DESK_EXPECT_ACP), or 0 when the run does not say.
unsigned ExpectedCodePage();

// Shows a colour as "RGB(r,g,b)" for failure messages.
std::string ColourName(COLORREF c);

// Files of the tests.

// Deletes `folder` and everything in it, read-only files too; the folder may
// be given with or without its trailing backslash (an empty name deletes
// nothing). The narrow form is in the ANSI code page, as the A calls read it.
void RemoveTree(const std::wstring& folder);
void RemoveTree(const std::string& folder);

} // namespace desk::testing
