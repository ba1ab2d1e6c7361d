// BrowserPlatform on Win32: the list box's own directory listing, the edit
// controls, the "&File" popup, ownerless message boxes and the file calls.
#pragma once

#include "model/browser_platform.h"
#include "win32/browser_window.h"

namespace browser {

// Flags of the list box's directory listing.
constexpr UINT kListDrivesFlags = DDL_DRIVES | DDL_EXCLUSIVE;
constexpr UINT kListFolderFlags = DDL_DIRECTORY;

class Win32BrowserPlatform : public BrowserPlatform {
  public:
    explicit Win32BrowserPlatform(BrowserHandles& handles) : h_(handles) {}

    void listDrives() override;
    void listFolder(const char* pattern) override;
    void clearList() override;
    int entryCount() override;
    int selectedIndex() override;
    bool entryText(int index, char* buffer, std::size_t capacity) override;
    bool entryNameExact(int index) override;
    void setPathBar(const char* text) override;
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
    bool sameFile(const char* a, const char* b) override;
    void describeError(unsigned long code, char* buffer, std::size_t capacity) override;

    // A child control of the main window with the common styles and `id`.
    HWND createControl(const char* className, const char* text, DWORD style, int id, int x, int y,
                       int width, int height);

  private:
    BrowserHandles& h_;
};

} // namespace browser
