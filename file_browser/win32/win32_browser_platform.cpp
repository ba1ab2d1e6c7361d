#include "win32/win32_browser_platform.h"

#include "platform/handle.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace browser {

namespace {

void CloseControl(HWND& control) {
    if (control && IsWindow(control))
        SendMessageA(control, WM_CLOSE, 0, 0);
    control = nullptr;
}

void PutText(HWND edit, const char* text) {
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

// Creates a new file "dvkXXXX.tmp" in `folder` (ending in a backslash) and
// writes its path into `temp`; INVALID_HANDLE_VALUE and the last error set
// when none can be made. Never opens an existing file.
HANDLE CreateTemporary(const char* folder, char (&temp)[MAX_PATH]) {
    const DWORD start = GetTickCount();
    for (DWORD k = 0; k < 1000; ++k) {
        const int length = std::snprintf(temp, sizeof temp, "%sdvk%04lx.tmp", folder,
                                         static_cast<unsigned long>((start + k) & 0xFFFF));
        if (length < 0 || length >= static_cast<int>(sizeof temp)) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return INVALID_HANDLE_VALUE;
        }
        HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Writes the whole of `source` into the new, empty file `target` and closes
// it; then gives it the source's time of last change and attributes, as a
// copy by the system has them (a read-only file gives a read-only copy).
// 0 or the error code.
DWORD WriteWholeCopy(HANDLE source, const BY_HANDLE_FILE_INFORMATION& info,
                     desk::KernelHandle& target, const char* temp) {
    // Static: one copy runs at a time, and the stack stays small.
    static char buffer[1 << 20];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source, buffer, sizeof buffer, &got, nullptr))
            return GetLastError();
        if (got == 0)
            break;
        DWORD put = 0;
        if (!WriteFile(target.get(), buffer, got, &put, nullptr))
            return GetLastError();
        if (put != got)
            return ERROR_DISK_FULL;
    }
    SetFileTime(target.get(), nullptr, nullptr, &info.ftLastWriteTime);
    if (!FlushFileBuffers(target.get()) || !target.close())
        return GetLastError();
    const DWORD kept = info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesA(temp, kept ? kept : FILE_ATTRIBUTE_NORMAL);
    return 0;
}

} // namespace

HWND Win32BrowserPlatform::createControl(const char* className, const char* text, DWORD style,
                                         int id, int x, int y, int width, int height) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           h_.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           h_.instance, nullptr);
}

void Win32BrowserPlatform::listDrives() {
    // With DDL_DIRECTORY or an empty pattern Wine lists no drives at all; the
    // exclusive drive listing gives the same "[-x-]" entries on both systems.
    static char pattern[] = "*.*";
    SendMessageA(h_.entryList, LB_DIR, kListDrivesFlags, reinterpret_cast<LPARAM>(pattern));
}

void Win32BrowserPlatform::listFolder(const char* pattern) {
    // A visible list updates its scroll bar after every entry added; for a big
    // folder that costs far more than the listing itself. Redrawing is held
    // back while the entries come in, then the list is drawn once.
    SendMessageA(h_.entryList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(h_.entryList, LB_DIR, kListFolderFlags, reinterpret_cast<LPARAM>(pattern));
    SendMessageA(h_.entryList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h_.entryList, nullptr, TRUE);
}

void Win32BrowserPlatform::clearList() {
    // One message, whatever the number of entries: deleting entry 0 one at a
    // time costs time growing with the square of the count.
    SendMessageA(h_.entryList, LB_RESETCONTENT, 0, 0);
}

int Win32BrowserPlatform::entryCount() {
    return static_cast<int>(SendMessageA(h_.entryList, LB_GETCOUNT, 0, 0));
}

int Win32BrowserPlatform::selectedIndex() {
    const LRESULT index = SendMessageA(h_.entryList, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

bool Win32BrowserPlatform::entryText(int index, char* buffer, std::size_t capacity) {
    const LRESULT length = SendMessageA(h_.entryList, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length < 0 || static_cast<std::size_t>(length) + 1 > capacity)
        return false;
    const LRESULT got =
        SendMessageA(h_.entryList, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
    if (got == LB_ERR)
        return false;
    buffer[got] = '\0';
    return true;
}

bool Win32BrowserPlatform::entryNameExact(int index) {
    // The list keeps each name in UTF-16 and hands out its nearest
    // single-byte spelling ("café" as "cafe"). The name is exact when it
    // converts without a default character or a best-fit substitute and
    // converts back unchanged.
    const LRESULT length = SendMessageW(h_.entryList, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length < 0 || length >= static_cast<LRESULT>(kTextCapacity))
        return false;
    wchar_t wide[kTextCapacity];
    if (SendMessageW(h_.entryList, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide)) == LB_ERR)
        return false;
    char narrow[kTextCapacity * 2];
    BOOL usedDefault = FALSE;
    if (!WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, narrow, sizeof narrow, nullptr,
                             &usedDefault) ||
        usedDefault)
        return false;
    wchar_t back[kTextCapacity];
    return MultiByteToWideChar(CP_ACP, 0, narrow, -1, back, kTextCapacity) != 0 &&
           std::wcscmp(back, wide) == 0;
}

void Win32BrowserPlatform::setPathBar(const char* text) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(h_.pathBar, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    SendMessageA(h_.pathBar, EM_SETSEL, 0, -1);
    PutText(h_.pathBar, text);
    // The caret ends behind the new text, and a one-line edit keeps its view
    // scrolled to it: bring the start of the path back into view.
    SendMessageA(h_.pathBar, EM_SETSEL, 0, 0);
    SendMessageA(h_.pathBar, EM_SCROLLCARET, 0, 0);
}

void Win32BrowserPlatform::createUpButton() {
    CloseControl(h_.upButton);
    h_.upButton = createControl("BUTTON", "Up to level", 0, IDC_UP_BUTTON, 310, 22, 200, 40);
}

void Win32BrowserPlatform::closeUpButton() {
    CloseControl(h_.upButton);
}

void Win32BrowserPlatform::setFileCommands(bool enabled) {
    const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(h_.filePopup, IDM_RENAME, state);
    EnableMenuItem(h_.filePopup, IDM_COPY_FILE, state);
}

void Win32BrowserPlatform::sendCommand(int id) {
    SendMessageA(h_.window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void Win32BrowserPlatform::endProgram() {
    SendMessageA(h_.window, WM_DESTROY, 0, 0);
}

void Win32BrowserPlatform::openPanel(int okId, const char* prompt, const char* suggestion) {
    h_.promptField = createControl("edit", "", ES_MULTILINE | ES_READONLY | ES_NOHIDESEL,
                                   IDC_PROMPT_FIELD, 310, 80, 280, 36);
    HWND ok = createControl("BUTTON", "OK", 0, okId, 350, 160, 70, 30);
    (okId == IDC_OK_COPY ? h_.okCopyButton : h_.okRenameButton) = ok;
    h_.cancelButton = createControl("BUTTON", "Cencel", 0, IDC_CANCEL, 465, 160, 70, 30);
    PutText(h_.promptField, prompt);
    h_.inputField = createControl("edit", "", WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                  IDC_INPUT_FIELD, 310, 116, 280, 20);
    PutText(h_.inputField, suggestion);
}

void Win32BrowserPlatform::closePanel() {
    CloseControl(h_.okCopyButton);
    CloseControl(h_.cancelButton);
    CloseControl(h_.okRenameButton);
    CloseControl(h_.promptField);
    CloseControl(h_.inputField);
}

bool Win32BrowserPlatform::readInput(char* buffer, std::size_t capacity) {
    if (!h_.inputField || !IsWindow(h_.inputField) || capacity < sizeof(WORD) || capacity > 0xFFFF)
        return false;
    const LRESULT length = SendMessageA(h_.inputField, EM_LINELENGTH, 0, 0);
    if (length < 0 || static_cast<std::size_t>(length) + 1 > capacity)
        return false;
    // EM_GETLINE takes the buffer's size in its first word and adds no terminator.
    const WORD size = static_cast<WORD>(capacity - 1);
    std::memcpy(buffer, &size, sizeof size);
    const LRESULT got =
        SendMessageA(h_.inputField, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer));
    buffer[got > 0 ? got : 0] = '\0';
    return true;
}

void Win32BrowserPlatform::showError(const char* text, const char* caption) {
    MessageBoxA(nullptr, text, caption, MB_ICONERROR);
}

bool Win32BrowserPlatform::askYesNo(const char* text, const char* caption, Question kind) {
    const UINT icon = kind == Question::Warning ? MB_ICONEXCLAMATION : MB_ICONQUESTION;
    return MessageBoxA(nullptr, text, caption, icon | MB_YESNO) == IDYES;
}

unsigned long Win32BrowserPlatform::copyFile(const char* from, const char* to, bool failIfExists) {
    // The copy is written to a temporary file beside the destination and put
    // in its place in one step: a failure part way (a full disk) leaves the
    // destination as it was and no cut-off file behind.
    char full[MAX_PATH];
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(to, MAX_PATH, full, &name);
    if (length == 0)
        return GetLastError();
    if (length >= MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    if (!name || *name == '\0')
        return ERROR_INVALID_NAME;
    desk::KernelHandle source(CreateFileA(from, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!source.valid() || !GetFileInformationByHandle(source.get(), &info))
        return GetLastError();
    const DWORD existing = GetFileAttributesA(full);
    if (failIfExists && existing != INVALID_FILE_ATTRIBUTES)
        return ERROR_FILE_EXISTS;
    // A read-only file is not replaced, as by a copy of the system (Wine's
    // rename would replace it).
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;

    const char saved = *name;
    *name = '\0'; // `full` is now the destination's folder
    char temp[MAX_PATH];
    desk::KernelHandle target(CreateTemporary(full, temp));
    *name = saved;
    if (!target.valid()) {
        // A missing folder or drive, or a file in the folder's place.
        const DWORD notMade = GetLastError();
        const bool noFolder = notMade == ERROR_FILE_NOT_FOUND || notMade == ERROR_PATH_NOT_FOUND ||
                              notMade == ERROR_INVALID_DRIVE || notMade == ERROR_DIRECTORY;
        return noFolder ? ERROR_PATH_NOT_FOUND : notMade;
    }
    DWORD error = WriteWholeCopy(source.get(), info, target, temp);
    const DWORD replace = failIfExists ? 0 : MOVEFILE_REPLACE_EXISTING;
    if (error == 0 && !MoveFileExA(temp, full, replace | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS)
            error = ERROR_FILE_EXISTS;
    }
    if (error != 0) {
        target.close();
        SetFileAttributesA(temp, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(temp);
    }
    return error;
}

bool Win32BrowserPlatform::renameFile(const char* from, const char* to) {
    return MoveFileA(from, to) != 0;
}

bool Win32BrowserPlatform::sameFile(const char* a, const char* b) {
    BY_HANDLE_FILE_INFORMATION info[2] = {};
    const char* paths[2] = {a, b};
    for (int i = 0; i < 2; ++i) {
        HANDLE file =
            CreateFileA(paths[i], 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        const BOOL got = GetFileInformationByHandle(file, &info[i]);
        CloseHandle(file);
        if (!got)
            return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
}

void Win32BrowserPlatform::describeError(unsigned long code, char* buffer, std::size_t capacity) {
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, buffer, static_cast<DWORD>(capacity), nullptr);
    if (length == 0) {
        std::snprintf(buffer, capacity, "Error %lu", code);
        return;
    }
    while (length > 0 &&
           (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' '))
        buffer[--length] = '\0';
}

} // namespace browser
