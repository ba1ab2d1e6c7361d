// What the file browser model asks of the platform. The window layer
// implements it with the list box, edit controls, menu, message boxes and file
// calls of Win32; the native tests implement it with a recording fake.
// Texts are NUL-terminated bytes of the system's single-byte code page.
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
    // False when entry `index` shows its item's name only approximately: the
    // name holds characters outside the single-byte code page, so the text
    // names another file or none.
    virtual bool entryNameExact(int index) = 0;

    // Replaces the whole text of the path bar.
    virtual void setPathBar(const char* text) = 0;
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
    // Returns 0 or the system's error code; a missing destination folder or
    // drive gives kErrorPathNotFound. With `failIfExists` an existing
    // destination is never touched.
    virtual unsigned long copyFile(const char* from, const char* to, bool failIfExists) = 0;
    // Renames or moves a file; false on failure. Never replaces an existing file.
    virtual bool renameFile(const char* from, const char* to) = 0;
    // True when both paths name one existing file (however they are spelled).
    virtual bool sameFile(const char* a, const char* b) = 0;
    // The system's own text for an error code, cut to `capacity` with its NUL.
    virtual void describeError(unsigned long code, char* buffer, std::size_t capacity) = 0;
};

} // namespace browser
