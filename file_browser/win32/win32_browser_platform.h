// BrowserPlatform on Win32: the list box's own directory listing, the edit
// controls, the "&File" popup, ownerless message boxes and the file calls.
// Every call is a wide one: own texts are turned from Windows-1251 into
// UTF-16, names travel to and from the model as UTF-8 (see NameToWide), so
// nothing depends on the system's ANSI code page.
#pragma once

#include "model/browser_platform.h"
#include "model/file_copy.h"
#include "platform/handle.h"
#include "win32/window_handles.h"

#include <optional>
#include <string>

namespace browser {

// Flags of the list box's directory listing.
constexpr UINT kListDrivesFlags = DDL_DRIVES | DDL_EXCLUSIVE;
constexpr UINT kListFolderFlags = DDL_DIRECTORY;

// A name from the model (UTF-8) as UTF-16; empty when it is not UTF-8.
std::wstring NameToWide(const char* name);
// A UTF-16 name as the model carries it (UTF-8) into `buffer` with its NUL;
// false when it does not fit or holds a lone surrogate, which UTF-8 cannot carry.
bool NameFromWide(const std::wstring& name, char* buffer, std::size_t capacity);

// The copy's file calls on Win32: wide calls, every path but the source's in
// long-path form (see resolveTarget), so that a temporary name may outgrow
// MAX_PATH where the destination itself just fits.
class Win32FileSystem : public FileSystem {
  public:
    unsigned long resolveTarget(const char* from, const char* to, std::string& target) override;
    PathState stateOf(const std::string& path) override;
    unsigned long openSource(const char* path, SourceFacts& facts) override;
    unsigned long readSource(char* buffer, std::size_t capacity, std::size_t& got) override;
    void closeSource() override;
    unsigned long createTarget(const std::string& path) override;
    unsigned long writeTarget(const char* data, std::size_t size, std::size_t& put) override;
    bool setTargetTime(FileTime lastWrite) override;
    unsigned long flushTarget() override;
    unsigned long closeTarget() override;
    bool setAttributes(const std::string& path, FileAttributes attributes) override;
    unsigned long replace(const std::string& from, const std::string& to,
                          bool replaceExisting) override;
    bool remove(const std::string& path) override;
    unsigned long temporarySeed() override;

  private:
    std::optional<desk::KernelHandle> source_;
    std::optional<desk::KernelHandle> target_;
};

class Win32BrowserPlatform : public BrowserPlatform {
  public:
    explicit Win32BrowserPlatform(WindowHandles& handles) : h_(handles) {}

    void listDrives() override;
    void listFolder(const char* pattern) override;
    void clearList() override;
    int entryCount() override;
    int selectedIndex() override;
    bool entryText(int index, char* buffer, std::size_t capacity) override;
    bool entryNameExact(int index) override;
    void setPathBar(const char* pattern) override;
    void showRootTitle(const char* title) override;
    void createUpButton() override;
    void closeUpButton() override;
    void setFileCommands(bool enabled) override;
    void sendCommand(int id) override;
    void endProgram() override;
    void openPanel(int okId, const char* prompt, const char* suggestion) override;
    void closePanel() override;
    bool readInput(char* buffer, std::size_t capacity) override;
    void showError(const char* text, const char* caption) override;
    bool askYesNo(const char* text, const char* caption, Question kind) override;
    unsigned long copyFile(const char* from, const char* to, bool failIfExists) override;
    bool renameFile(const char* from, const char* to) override;
    bool sameFile(const char* from, const char* to) override;
    void showSystemError(unsigned long code, const char* caption) override;

    // A child control of the main window with the common styles and `id`: a
    // Unicode window, so that every text it holds is UTF-16.
    HWND createControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x,
                       int y, int width, int height);

  private:
    void replaceBarText(const std::wstring& text);

    WindowHandles& h_;
    Win32FileSystem files_;
};

} // namespace browser
