// Times the browser on a big folder, through its real window: opening the
// folder, going up one level and opening it again, each a double-click or
// "Up to level" command as the user gives them. Prints the figures.
//
//   browser_bench FOLDER [--compare]   FOLDER holds a sub-folder "big" with many
//   files; --compare also times emptying the list entry by entry
#include "win32/browser_window.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

HWND g_window;

HWND List() {
    return GetDlgItem(g_window, browser::IDC_ENTRY_LIST);
}

void Command(int id, int code, HWND from) {
    SendMessageA(g_window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(from));
}

bool Open(const std::string& entry) {
    const LRESULT i =
        SendMessageA(List(), LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(entry.c_str()));
    if (i == LB_ERR) {
        std::fprintf(stderr, "bench: no entry %s\n", entry.c_str());
        return false;
    }
    SendMessageA(List(), LB_SETCURSEL, i, 0);
    Command(browser::IDC_ENTRY_LIST, LBN_SELCHANGE, List());
    Command(browser::IDC_ENTRY_LIST, LBN_DBLCLK, List());
    return true;
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

int Entries() {
    return static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: browser_bench FOLDER (with a sub-folder big)\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\')
        folder += '\\';
    folder[0] = static_cast<char>(tolower(static_cast<unsigned char>(folder[0])));

    HINSTANCE instance = GetModuleHandleA(nullptr);
    browser::RegisterBrowserClass(instance);
    g_window = browser::CreateBrowserWindow(instance);
    browser::AttachBrowserMenu(g_window, SW_SHOWNORMAL);

    // Walk from the drives to FOLDER, one double-click per level.
    if (!Open(std::string("[-") + folder[0] + "-]"))
        return 1;
    for (std::size_t start = 3; start < folder.size();) {
        const std::size_t end = folder.find('\\', start);
        if (!Open("[" + folder.substr(start, end - start) + "]"))
            return 1;
        start = end + 1;
    }

    auto t = Clock::now();
    if (!Open("[big]"))
        return 1;
    const double open1 = Seconds(t);
    const int listed = Entries();

    t = Clock::now();
    Command(browser::IDC_UP_BUTTON, BN_CLICKED, GetDlgItem(g_window, browser::IDC_UP_BUTTON));
    const double up = Seconds(t);

    t = Clock::now();
    Open("[big]");
    const double open2 = Seconds(t);

    std::printf("entries listed in big: %d\n", listed);
    std::printf("open big:        %.3f s\n", open1);
    std::printf("up one level:    %.3f s\n", up);
    std::printf("open big again:  %.3f s\n", open2);

    t = Clock::now();
    Command(browser::IDC_UP_BUTTON, BN_CLICKED, GetDlgItem(g_window, browser::IDC_UP_BUTTON));
    std::printf("up from it again: %.3f s\n", Seconds(t));

    if (argc > 2 && std::strcmp(argv[2], "--compare") == 0) {
        // The same list emptied entry by entry, as a removal of entry 0 until
        // none is left would do, against the one-step reset the browser uses.
        Open("[big]");
        t = Clock::now();
        while (SendMessageA(List(), LB_GETCOUNT, 0, 0) > 0)
            SendMessageA(List(), LB_DELETESTRING, 0, 0);
        std::printf("compare: emptying %d entries one by one: %.3f s\n", Entries() + listed,
                    Seconds(t));
        Command(browser::IDC_UP_BUTTON, BN_CLICKED, GetDlgItem(g_window, browser::IDC_UP_BUTTON));
        Open("[big]");
        t = Clock::now();
        SendMessageA(List(), LB_RESETCONTENT, 0, 0);
        std::printf("compare: emptying them in one step:       %.3f s\n", Seconds(t));
    }
    DestroyWindow(g_window);
    return 0;
}
