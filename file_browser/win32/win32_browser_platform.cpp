#include "win32/win32_browser_platform.h"

#include "model/browser.h"

#include "platform/handle.h"
#include "platform/text.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace browser {

std::wstring NameToWide(const char* name) {
    const int needed = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, -1, nullptr, 0);
    if (needed <= 1)
        return std::wstring();
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, -1, out.data(), needed);
    out.pop_back();
    return out;
}

bool NameFromWide(const std::wstring& name, char* buffer, std::size_t capacity) {
    if (capacity == 0)
        return false;
    if (name.empty()) {
        buffer[0] = '\0';
        return true;
    }
    const int length = static_cast<int>(name.size());
    const int needed = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, name.data(), length,
                                           nullptr, 0, nullptr, nullptr);
    if (needed <= 0 || static_cast<std::size_t>(needed) + 1 > capacity)
        return false;
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, name.data(), length, buffer, needed, nullptr,
                        nullptr);
    buffer[needed] = '\0';
    return true;
}

namespace {

// The error of a call that just failed; `otherwise` should the system have
// set none, so that a failure is never taken for success.
DWORD LastError(DWORD otherwise) {
    const DWORD error = GetLastError();
    return error != 0 ? error : otherwise;
}

void CloseControl(HWND& control) {
    if (control && IsWindow(control))
        SendMessageW(control, WM_CLOSE, 0, 0);
    control = nullptr;
}

void PutText(HWND edit, const std::wstring& text) {
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

// The text of list entry `index` in UTF-16; false when there is none.
bool EntryWide(HWND list, int index, std::wstring& out) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length < 0)
        return false;
    out.assign(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(out.data()));
    if (got == LB_ERR || got < 0)
        return false;
    out.resize(static_cast<std::size_t>(got) <= out.size() ? static_cast<std::size_t>(got) : 0);
    return true;
}

// The long-path form of a full path ("\\?\c:\dir\name", "\\?\UNC\host\share\name"):
// the file calls then take it as it is, beyond MAX_PATH characters.
std::wstring LongForm(const std::wstring& full) {
    if (full.compare(0, 4, L"\\\\?\\") == 0 || full.compare(0, 4, L"\\\\.\\") == 0)
        return full;
    if (full.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// The full path a copy of `source` to `target` writes: `target` made full,
// or, when it names an existing folder, the file of the source's name in that
// folder (a folder typed without its trailing backslash is still a folder).
// 0 or the error code; the path must fit MAX_PATH, as any path the
// browser lists does.
DWORD CopyDestination(const std::wstring& source, const std::wstring& target, std::wstring& full) {
    // An empty text names no folder at all; the system reports nothing for
    // it (GetFullPathName returns 0 and leaves the last error as it was).
    if (target.empty())
        return ERROR_PATH_NOT_FOUND;
    wchar_t buffer[MAX_PATH];
    wchar_t* name = nullptr;
    SetLastError(0);
    const DWORD length = GetFullPathNameW(target.c_str(), MAX_PATH, buffer, &name);
    if (length == 0) {
        const DWORD error = GetLastError();
        return error != 0 ? error : ERROR_PATH_NOT_FOUND;
    }
    if (length >= MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    full.assign(buffer, length);
    const DWORD attributes = GetFileAttributesW(LongForm(full).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const std::size_t cut = source.find_last_of(L"\\/");
        if (full.back() != L'\\')
            full += L'\\';
        full += source.substr(cut == std::wstring::npos ? 0 : cut + 1);
        if (full.size() >= MAX_PATH)
            return ERROR_FILENAME_EXCED_RANGE;
        return 0;
    }
    return name && *name != L'\0' ? 0 : ERROR_INVALID_NAME;
}

// The identity of an existing file; false when it cannot be opened.
bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const BOOL got = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return got != 0;
}

} // namespace

HWND Win32BrowserPlatform::createControl(const wchar_t* className, const wchar_t* text, DWORD style,
                                         int id, int x, int y, int width, int height) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           h_.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           h_.instance, nullptr);
}

void Win32BrowserPlatform::listDrives() {
    // With DDL_DIRECTORY or an empty pattern Wine lists no drives at all; the
    // exclusive drive listing gives the same "[-x-]" entries on both systems.
    static wchar_t pattern[] = L"*.*";
    SendMessageW(h_.entryList, LB_DIR, kListDrivesFlags, reinterpret_cast<LPARAM>(pattern));
}

void Win32BrowserPlatform::listFolder(const char* pattern) {
    // A visible list updates its scroll bar after every entry added; for a big
    // folder that costs far more than the listing itself. Redrawing is held
    // back while the entries come in, then the list is drawn once. The wide
    // listing keeps every name as the file system spells it.
    const std::wstring wide = NameToWide(pattern);
    SendMessageW(h_.entryList, WM_SETREDRAW, FALSE, 0);
    SendMessageW(h_.entryList, LB_DIR, kListFolderFlags, reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(h_.entryList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h_.entryList, nullptr, TRUE);
}

void Win32BrowserPlatform::clearList() {
    // One message, whatever the number of entries: deleting entry 0 one at a
    // time costs time growing with the square of the count.
    SendMessageW(h_.entryList, LB_RESETCONTENT, 0, 0);
}

int Win32BrowserPlatform::entryCount() {
    return static_cast<int>(SendMessageW(h_.entryList, LB_GETCOUNT, 0, 0));
}

int Win32BrowserPlatform::selectedIndex() {
    const LRESULT index = SendMessageW(h_.entryList, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

bool Win32BrowserPlatform::entryText(int index, char* buffer, std::size_t capacity) {
    std::wstring wide;
    if (!EntryWide(h_.entryList, index, wide))
        return false;
    if (NameFromWide(wide, buffer, capacity))
        return true;
    // A lone surrogate has no UTF-8 form: the entry is read with a stand-in
    // character, and entryNameExact tells the model not to act on it.
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0 || static_cast<std::size_t>(needed) + 1 > capacity)
        return false;
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, buffer, needed, nullptr, nullptr);
    buffer[needed] = '\0';
    return true;
}

bool Win32BrowserPlatform::entryNameExact(int index) {
    // Names travel as UTF-8, which carries every UTF-16 name but one holding
    // a lone surrogate.
    std::wstring wide;
    char narrow[kPathCapacity];
    return EntryWide(h_.entryList, index, wide) && NameFromWide(wide, narrow, sizeof narrow);
}

void Win32BrowserPlatform::replaceBarText(const std::wstring& text) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(h_.pathBar, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    SendMessageW(h_.pathBar, EM_SETSEL, 0, -1);
    PutText(h_.pathBar, text);
    // The caret ends behind the new text, and a one-line edit keeps its view
    // scrolled to it: bring the start of the path back into view.
    SendMessageW(h_.pathBar, EM_SETSEL, 0, 0);
    SendMessageW(h_.pathBar, EM_SCROLLCARET, 0, 0);
}

void Win32BrowserPlatform::setPathBar(const char* pattern) {
    replaceBarText(NameToWide(pattern));
}

void Win32BrowserPlatform::showRootTitle(const char* title) {
    replaceBarText(desk::Wide(title));
}

void Win32BrowserPlatform::createUpButton() {
    CloseControl(h_.upButton);
    h_.upButton = createControl(L"BUTTON", L"Up to level", 0, IDC_UP_BUTTON, 310, 22, 200, 40);
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
    SendMessageW(h_.window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void Win32BrowserPlatform::endProgram() {
    SendMessageW(h_.window, WM_DESTROY, 0, 0);
}

void Win32BrowserPlatform::openPanel(int okId, const char* prompt, const char* suggestion) {
    h_.promptField = createControl(L"edit", L"", ES_MULTILINE | ES_READONLY | ES_NOHIDESEL,
                                   IDC_PROMPT_FIELD, 310, 80, 280, 36);
    HWND ok = createControl(L"BUTTON", L"OK", 0, okId, 350, 160, 70, 30);
    (okId == IDC_OK_COPY ? h_.okCopyButton : h_.okRenameButton) = ok;
    h_.cancelButton = createControl(L"BUTTON", L"Cencel", 0, IDC_CANCEL, 465, 160, 70, 30);
    PutText(h_.promptField, desk::Wide(prompt));
    h_.inputField = createControl(L"edit", L"", WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                  IDC_INPUT_FIELD, 310, 116, 280, 20);
    PutText(h_.inputField, NameToWide(suggestion));
}

void Win32BrowserPlatform::closePanel() {
    CloseControl(h_.okCopyButton);
    CloseControl(h_.cancelButton);
    CloseControl(h_.okRenameButton);
    CloseControl(h_.promptField);
    CloseControl(h_.inputField);
}

bool Win32BrowserPlatform::readInput(char* buffer, std::size_t capacity) {
    // A one-line field: its window text is exactly the characters in it.
    if (!h_.inputField || !IsWindow(h_.inputField))
        return false;
    return NameFromWide(desk::WindowTextWide(h_.inputField), buffer, capacity);
}

void Win32BrowserPlatform::showError(const char* text, const char* caption) {
    desk::MessageBox1251(nullptr, text, caption, MB_ICONERROR);
}

bool Win32BrowserPlatform::askYesNo(const char* text, const char* caption, Question kind) {
    const UINT icon = kind == Question::Warning ? MB_ICONEXCLAMATION : MB_ICONQUESTION;
    return desk::MessageBox1251(nullptr, text, caption, icon | MB_YESNO) == IDYES;
}

unsigned long Win32BrowserPlatform::copyFile(const char* from, const char* to, bool failIfExists) {
    return CopyWhole(files_, from, to, failIfExists);
}

bool Win32BrowserPlatform::renameFile(const char* from, const char* to) {
    const std::wstring source = NameToWide(from);
    const std::wstring target = NameToWide(to);
    return !source.empty() && !target.empty() && MoveFileW(source.c_str(), target.c_str()) != 0;
}

bool Win32BrowserPlatform::sameFile(const char* from, const char* to) {
    const std::wstring source = NameToWide(from);
    std::wstring full;
    BY_HANDLE_FILE_INFORMATION info[2] = {};
    if (CopyDestination(source, NameToWide(to), full) != 0 || !FileIdentity(source, info[0]) ||
        !FileIdentity(LongForm(full), info[1]))
        return false;
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
}

void Win32BrowserPlatform::showSystemError(unsigned long code, const char* caption) {
    // The system's text in its own language, in UTF-16 all the way.
    wchar_t text[1024];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, 1024, nullptr);
    if (length == 0)
        length = static_cast<DWORD>(std::swprintf(text, 1024, L"Error %lu", code));
    while (length > 0 &&
           (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        text[--length] = L'\0';
    MessageBoxW(nullptr, text, desk::Wide(caption).c_str(), MB_ICONERROR);
}

unsigned long Win32FileSystem::resolveTarget(const char* from, const char* to,
                                             std::string& target) {
    std::wstring full;
    if (const DWORD error = CopyDestination(NameToWide(from), NameToWide(to), full))
        return error;
    char name[kPathCapacity];
    if (!NameFromWide(LongForm(full), name, sizeof name))
        return ERROR_INVALID_NAME;
    target = name;
    return 0;
}

PathState Win32FileSystem::stateOf(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(NameToWide(path.c_str()).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathState{};
    return PathState{true, (attributes & FILE_ATTRIBUTE_READONLY) != 0};
}

unsigned long Win32FileSystem::openSource(const char* path, SourceFacts& facts) {
    source_.emplace(CreateFileW(NameToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!source_->valid() || !GetFileInformationByHandle(source_->get(), &info)) {
        const DWORD error = LastError(ERROR_FILE_NOT_FOUND);
        source_.reset();
        return error;
    }
    const DWORD bits = info.dwFileAttributes;
    facts.attributes =
        FileAttributes{(bits & FILE_ATTRIBUTE_READONLY) != 0, (bits & FILE_ATTRIBUTE_HIDDEN) != 0,
                       (bits & FILE_ATTRIBUTE_SYSTEM) != 0, (bits & FILE_ATTRIBUTE_ARCHIVE) != 0};
    facts.lastWrite.ticks =
        (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
        info.ftLastWriteTime.dwLowDateTime;
    return 0;
}

unsigned long Win32FileSystem::readSource(char* buffer, std::size_t capacity, std::size_t& got) {
    DWORD read = 0;
    const BOOL done =
        ReadFile(source_->get(), buffer, static_cast<DWORD>(capacity), &read, nullptr);
    got = read;
    return done ? 0 : LastError(ERROR_READ_FAULT);
}

void Win32FileSystem::closeSource() {
    source_.reset();
}

unsigned long Win32FileSystem::createTarget(const std::string& path) {
    // CREATE_NEW: an existing file is never opened.
    HANDLE file = CreateFileW(NameToWide(path.c_str()).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = file == INVALID_HANDLE_VALUE ? LastError(ERROR_PATH_NOT_FOUND) : 0;
    target_.emplace(file);
    return error;
}

unsigned long Win32FileSystem::writeTarget(const char* data, std::size_t size, std::size_t& put) {
    DWORD written = 0;
    const BOOL done = WriteFile(target_->get(), data, static_cast<DWORD>(size), &written, nullptr);
    put = written;
    return done ? 0 : LastError(ERROR_WRITE_FAULT);
}

bool Win32FileSystem::setTargetTime(FileTime lastWrite) {
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(lastWrite.ticks);
    time.dwHighDateTime = static_cast<DWORD>(lastWrite.ticks >> 32);
    return SetFileTime(target_->get(), nullptr, nullptr, &time) != 0;
}

unsigned long Win32FileSystem::flushTarget() {
    return FlushFileBuffers(target_->get()) ? 0 : LastError(ERROR_WRITE_FAULT);
}

unsigned long Win32FileSystem::closeTarget() {
    return !target_ || target_->close() ? 0 : LastError(ERROR_WRITE_FAULT);
}

bool Win32FileSystem::setAttributes(const std::string& path, FileAttributes attributes) {
    const DWORD bits = (attributes.readOnly ? FILE_ATTRIBUTE_READONLY : 0) |
                       (attributes.hidden ? FILE_ATTRIBUTE_HIDDEN : 0) |
                       (attributes.system ? FILE_ATTRIBUTE_SYSTEM : 0) |
                       (attributes.archive ? FILE_ATTRIBUTE_ARCHIVE : 0);
    return SetFileAttributesW(NameToWide(path.c_str()).c_str(),
                              bits ? bits : FILE_ATTRIBUTE_NORMAL) != 0;
}

unsigned long Win32FileSystem::replace(const std::string& from, const std::string& to,
                                       bool replaceExisting) {
    const DWORD flags = (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH;
    return MoveFileExW(NameToWide(from.c_str()).c_str(), NameToWide(to.c_str()).c_str(), flags)
               ? 0
               : LastError(ERROR_ACCESS_DENIED);
}

bool Win32FileSystem::remove(const std::string& path) {
    return DeleteFileW(NameToWide(path.c_str()).c_str()) != 0;
}

unsigned long Win32FileSystem::temporarySeed() {
    return GetTickCount();
}

} // namespace browser
