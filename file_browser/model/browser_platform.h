// What the file browser model asks of the platform. The window layer
// implements it with the list box, edit controls, menu, message boxes and file
// calls of Win32; the native tests implement it with a recording fake.
//
// Two kinds of NUL-terminated text cross this interface. The model's own texts
// (prompts, messages, captions, the root view's title) are Windows-1251 bytes.
// Names (list entries, patterns, paths, the input field's text) are bytes in
// the platform's own encoding for the file system's names, chosen so that
// every name arrives exactly (the Win32 layer carries its UTF-16 names as
// UTF-8); the model looks only at their ASCII characters ('[', ']', '\\',
// '*', ':', drive letters) and joins them, so it never needs to know which.
#pragma once

#include <cstddef>

namespace browser {

// Icons and buttons of a yes/no question.
enum class Question {
    Warning, // MB_ICONEXCLAMATION | MB_YESNO
    Ask,     // MB_ICONQUESTION | MB_YESNO
};

class BrowserPlatform {
  public:
    virtual ~BrowserPlatform() = default;

    // Appends one "[-x-]" entry per drive present (x in lower case), nothing else.
    virtual void listDrives() = 0;
    // Appends the listing of `pattern`: "[name]" per sub-folder, "[..]" below a
    // drive root, and the ordinary read-write files; nothing when it fails.
    virtual void listFolder(const char* pattern) = 0;
    // Removes every entry of the list, in one step whatever their number.
    virtual void clearList() = 0;
    // The number of entries in the list.
    virtual int entryCount() = 0;
    // The index of the selected entry, or -1 when none is selected.
    virtual int selectedIndex() = 0;
    // Copies the text of entry `index` with its NUL into `buffer`; returns false
    // and leaves `buffer` untouched when there is no such entry or it does not fit.
    virtual bool entryText(int index, char* buffer, std::size_t capacity) = 0;
    // False when entry `index` shows its item's name only approximately, so
    // that its text would name another file or none.
    virtual bool entryNameExact(int index) = 0;

    // Replaces the whole text of the path bar with a listing pattern (a name),
    // or with the root view's title (an own text).
    virtual void setPathBar(const char* pattern) = 0;
    virtual void showRootTitle(const char* title) = 0;
    // Creates the "Up to level" button; closes it (nothing when it is absent).
    virtual void createUpButton() = 0;
    virtual void closeUpButton() = 0;
    // Enables or greys the menu items "Rename" and "&Copy File", in this order.
    virtual void setFileCommands(bool enabled) = 0;

    // Sends the command `id` to the own window; it runs, nested, before this returns.
    virtual void sendCommand(int id) = 0;
    // Sends WM_DESTROY to the own window, which ends the program.
    virtual void endProgram() = 0;

    // Creates the input panel: prompt field, "OK" button with `okId`, "Cencel"
    // button, then the input field holding `suggestion`.
    virtual void openPanel(int okId, const char* prompt, const char* suggestion) = 0;
    // Closes those of the panel's five controls that exist.
    virtual void closePanel() = 0;
    // Copies the input field's text with its NUL into `buffer`; returns false and
    // leaves `buffer` untouched when there is no field or the text does not fit.
    virtual bool readInput(char* buffer, std::size_t capacity) = 0;

    // A message box without owner: error icon, OK button.
    virtual void showError(const char* text, const char* caption) = 0;
    // A question without owner; true when the answer is Yes.
    virtual bool askYesNo(const char* text, const char* caption, Question kind) = 0;

    // Copies a file, all or nothing: on success the destination holds the whole
    // copy; on failure it is as it was (or absent), and nothing else is left.
    // A destination that names an existing folder stands for the file of the
    // source's name in that folder. Returns 0 or the system's error code,
    // never 0 on failure; a missing destination folder or drive, and an empty
    // destination, give kErrorPathNotFound. With `failIfExists` an existing
    // destination is never touched.
    virtual unsigned long copyFile(const char* from, const char* to, bool failIfExists) = 0;
    // Renames or moves a file; false on failure. Never replaces an existing file.
    virtual bool renameFile(const char* from, const char* to) = 0;
    // True when `to`, read as copyFile reads its destination, names the
    // existing file `from` itself (however the two are spelled).
    virtual bool sameFile(const char* from, const char* to) = 0;
    // A message box without owner, error icon, OK button, holding the
    // system's own text for an error code in the system's language.
    virtual void showSystemError(unsigned long code, const char* caption) = 0;
};

} // namespace browser
