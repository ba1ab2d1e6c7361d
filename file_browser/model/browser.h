// The file browser's state and operations: navigation through drives and
// folders by list entries, and copying and renaming of the selected file.
// Everything talks to the platform through BrowserPlatform only.
#pragma once

#include "model/browser_platform.h"
#include "model/file_copy.h"

#include <cstddef>

namespace browser {

// Capacity of every text buffer, terminator included.
constexpr std::size_t kPathCapacity = 2000;
// Slots of the pattern history; usable levels are 1 to kHistorySlots - 1.
constexpr int kHistorySlots = 1000;

// Command ids of the menu and the controls.
enum CommandId : int {
    IDM_COPY_FILE = 100,
    IDM_RENAME = 101,
    IDM_SEPARATOR = 102,
    IDM_EXIT = 103,
    IDC_UP_BUTTON = 301,
    IDC_EXIT_BUTTON = 302,
    IDC_OK_COPY = 303,
    IDC_CANCEL = 304,
    IDC_OK_RENAME = 305,
    IDC_ENTRY_LIST = 307,
    IDC_PATH_BAR = 308,
    IDC_PROMPT_FIELD = 309,
    IDC_INPUT_FIELD = 310,
};

// List box notification codes the browser reacts to.
constexpr int kSelectionChanged = 1; // LBN_SELCHANGE
constexpr int kDoubleClicked = 2;    // LBN_DBLCLK

// The path bar's text in the root view.
extern const char* const kRootTitle;

// Zero-filled at start; one instance lives for the whole run.
struct BrowserState {
    char pathPattern[kPathCapacity]; // empty in the root view, else "x:\dir\...\*.*"
    int level;                       // 0 root view, 1 drive root, n + 1 n folders below
    char pathHistory[kHistorySlots][kPathCapacity]; // slot k: the pattern entered at level k
    char selectedEntry[kPathCapacity]; // entry last selected or opened, as the list shows it
    char inputText[kPathCapacity];     // suggestion, then the typed text / copy destination
    char sourcePath[kPathCapacity];    // folder shown + selectedEntry
    char targetPath[kPathCapacity];    // folder shown + typed new name
    // selectedEntry shows its item's name only approximately.
    bool selectedInexact;
    // Counts the panels opened, so that a step closes only its own.
    unsigned panelSerial;
};

// True for exactly "[-x-]" with x in 'a'..'z'.
bool IsDriveEntry(const char* entry);
// True for an entry that names a file: not empty and not starting with '['.
bool IsFileEntry(const char* entry);

// Turns `pattern` and an opened drive or folder `entry` into the pattern of the
// opened place, rewriting `entry` to the drive ("c:") or folder name. A drive
// entry counts as a drive only in the root view (empty pattern); elsewhere it
// is a folder whose name looks like one. Returns false and changes nothing
// when the result would not fit or `pattern` is not a listing pattern.
bool ExtendPattern(char (&pattern)[kPathCapacity], char (&entry)[kPathCapacity]);

// Writes into `folder` the part of `pattern` before its first '*'.
void FolderShown(const char* pattern, char (&folder)[kPathCapacity]);

// Navigation.
void ShowRootView(BrowserState& state, BrowserPlatform& platform);
// Reads entry `index` into selectedEntry; false (and nothing read) when there
// is no such entry or its text does not fit.
bool SelectEntry(BrowserState& state, BrowserPlatform& platform, int index);
void OpenEntry(BrowserState& state, BrowserPlatform& platform);
void GoUpLevel(BrowserState& state, BrowserPlatform& platform);
void RelistFolder(BrowserState& state, BrowserPlatform& platform);

// Copy and rename through the input panel.
void StartCopy(BrowserState& state, BrowserPlatform& platform);
void StartRename(BrowserState& state, BrowserPlatform& platform);
void FinishCopy(BrowserState& state, BrowserPlatform& platform);
void FinishRename(BrowserState& state, BrowserPlatform& platform);
void ClosePanel(BrowserState& state, BrowserPlatform& platform);

// A WM_COMMAND of the main window: `id` is the menu or control id,
// `notification` the control's notification code.
void RunCommand(BrowserState& state, BrowserPlatform& platform, int id, int notification);

} // namespace browser
