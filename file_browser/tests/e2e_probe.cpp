// A helper of the end-to-end script: finds the running browser's window from
// another process and prints where to point the mouse, so that the script can
// click with real X input. It only reads and scrolls; it never clicks.
//
//   probe wait              waits up to 20 s for the window; exit code 1 if none
//   probe item TEXT         screen centre of the list entry TEXT (scrolled into view)
//   probe control ID        screen centre of the control ID
//   probe text ID           the text of the control ID
//   probe count             the number of list entries
//   probe box               waits up to 10 s for a message box; prints its
//                           caption, a "|" and its text
//   probe boxbutton ID      screen centre of the button ID of the message box
#include "platform/win32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const kBrowserClass = "MyKlass";

// The visible top-level window of class `cls`, waiting up to `tenths` tenths
// of a second for one.
HWND WaitFor(const char* cls, int tenths) {
    for (int i = 0; i < tenths; ++i, Sleep(100)) {
        HWND w = FindWindowA(cls, nullptr);
        if (w && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

// The text of a list entry in the ANSI code page. Asked for in UTF-16: Wine
// hands the text of another process's list box over in UTF-16 even to
// LB_GETTEXT sent with SendMessageA.
std::string EntryText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length <= 0 || length > 4000)
        return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    char text[8000] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, nullptr, nullptr);
    return text;
}

// The text of a window of another process, in the ANSI code page.
std::string TextOf(HWND hwnd) {
    char text[2000] = {};
    SendMessageA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

int PrintCentre(HWND reference, RECT r) {
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(reference, &centre);
    std::printf("%ld %ld\n", centre.x, centre.y);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const char* what = argv[1];
    if (std::strcmp(what, "wait") == 0)
        return WaitFor(kBrowserClass, 200) ? 0 : 1;
    // "box" and "boxbutton" look at the message box shown, the others at the browser.
    const bool onBox = std::strncmp(what, "box", 3) == 0;
    HWND top = onBox ? WaitFor("#32770", 100) : FindWindowA(kBrowserClass, nullptr);
    if (!top) {
        std::fprintf(stderr, "probe: no %s\n", onBox ? "message box" : "browser window");
        return 1;
    }
    if (std::strcmp(what, "box") == 0) {
        std::string text; // in the box's static controls
        for (HWND c = nullptr; (c = FindWindowExA(top, c, "Static", nullptr)) != nullptr;)
            text += TextOf(c);
        std::printf("%s|%s\n", TextOf(top).c_str(), text.c_str());
        return 0;
    }
    HWND list = GetDlgItem(top, 307);
    if (std::strcmp(what, "count") == 0) {
        std::printf("%ld\n", static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0)));
        return 0;
    }
    if (argc < 3)
        return 2;
    if (std::strcmp(what, "item") == 0) {
        const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            if (EntryText(list, i) != argv[2])
                continue;
            SendMessageA(list, LB_SETTOPINDEX, i, 0);
            RECT r{};
            SendMessageA(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            return PrintCentre(list, r);
        }
        std::fprintf(stderr, "probe: no entry %s among %d\n", argv[2], n);
        return 1;
    }
    HWND control = GetDlgItem(top, std::atoi(argv[2]));
    if (!control) {
        std::fprintf(stderr, "probe: no control %s\n", argv[2]);
        return 1;
    }
    if (std::strcmp(what, "control") == 0 || std::strcmp(what, "boxbutton") == 0) {
        RECT r{};
        GetClientRect(control, &r);
        return PrintCentre(control, r);
    }
    if (std::strcmp(what, "text") == 0) {
        // GetWindowTextA does not ask a window of another process for its text.
        std::printf("%s\n", TextOf(control).c_str());
        return 0;
    }
    return 2;
}
