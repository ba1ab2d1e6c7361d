#include "platform/testing/wine_support.h"

#include "platform/text.h"

#include <cstdio>
#include <cstdlib>

namespace desk::testing {

namespace {
ModalAnswerer* g_answerer = nullptr;
}

void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) {
            return done();
        }
        // One message at a time, reading the clock after each: a window that
        // asks for a new repaint in every WM_PAINT never empties its queue.
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    return true;
}

void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

ModalAnswerer::ModalAnswerer(std::vector<Answer> answers, int fallback)
    : answers_(std::move(answers)), fallback_(fallback) {
    g_answerer = this;
    hook_ = SetWindowsHookExA(WH_CBT, &ModalAnswerer::Hook, nullptr, GetCurrentThreadId());
}

ModalAnswerer::~ModalAnswerer() {
    if (hook_)
        UnhookWindowsHookEx(hook_);
    if (g_answerer == this)
        g_answerer = nullptr;
}

void ModalAnswerer::push(int command, std::function<void(HWND)> prepare) {
    answers_.push_back(Answer{command, std::move(prepare)});
}

LRESULT CALLBACK ModalAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_answerer) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) {
            g_answerer->onActivate(hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ModalAnswerer::onActivate(HWND dialog) {
    // A dialog is activated again when focus comes back to it; answer once.
    if (GetPropA(dialog, "desk.answered"))
        return;
    SetPropA(dialog, "desk.answered", reinterpret_cast<HANDLE>(1));
    seen_.push_back(Seen{WindowTextOf(dialog), StaticTextsOf(dialog)});
    int command = fallback_;
    if (!answers_.empty()) {
        Answer a = std::move(answers_.front());
        answers_.erase(answers_.begin());
        if (a.prepare)
            a.prepare(dialog);
        command = a.command;
    }
    if (command != kClosedByPrepare)
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
}

std::string WindowTextOf(HWND hwnd) {
    const std::wstring wide = WindowTextWide(hwnd);
    return Narrow(wide.data(), static_cast<int>(wide.size()));
}

std::string StaticTextsOf(HWND dialog) {
    std::string out;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0) {
            const std::string t = WindowTextOf(child);
            if (!t.empty()) {
                if (!out.empty())
                    out += '\n';
                out += t;
            }
        }
    }
    return out;
}

COLORREF ClientPixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

std::string ColourName(COLORREF c) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "RGB(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

unsigned ExpectedCodePage() {
    const char* value = std::getenv("DESK_EXPECT_ACP");
    return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : 0;
}

void RemoveTree(const std::wstring& folder) {
    // An empty name would stand for the current folder or the drive's root.
    if (folder.empty())
        return;
    const bool ends = folder.back() == L'\\' || folder.back() == L'/';
    const std::wstring inside = ends ? folder : folder + L'\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((inside + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = inside + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

void RemoveTree(const std::string& folder) {
    const int length = static_cast<int>(folder.size());
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, folder.data(), length, wide.data(), length)));
    RemoveTree(wide);
}

} // namespace desk::testing
