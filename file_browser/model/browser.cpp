#include "model/browser.h"

#include <algorithm>
#include <cstring>

namespace browser {

const char* const kRootTitle = "Мой компьютер";

namespace {

// Length of a text held in a buffer of kPathCapacity; kPathCapacity when the
// buffer has no terminator.
std::size_t BoundedLength(const char* text) {
    const void* end = std::memchr(text, '\0', kPathCapacity);
    return end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : kPathCapacity;
}

const char* const kErrorCaption = "Error";
const char* const kRetryQuestion =
    "Устройство не готово или диск не содержет информации. Повторить?";
const char* const kCopyPrompt = "Введите путь,куда следует скопировать файл";
const char* const kRenamePrompt = "Введите новое имя файла";
const char* const kNoSuchFolder = "Директории стаким именем не существует";
const char* const kCopyFailed = "     Произошла ошибка при копировании файла !\n"
                                "Диск может быть переполнен или защещён от записи";
const char* const kReplaceQuestion = "Файл уже существует. Заменить его ?";
const char* const kReplaceCaption = "Потверждение замены файла";
const char* const kRenameFailed = "Произошла ошибка при периименовании файла ! \n"
                                  "Диск может быть защещён от записи";

// Refusals of steps whose result would not fit the fixed buffers.
const char* const kPathTooLong = "Путь слишком длинный: папка не открыта.";
const char* const kTooDeep = "Слишком глубокая вложенность папок: папка не открыта.";
const char* const kEntryTooLong = "Имя элемента списка слишком длинное.";
const char* const kInputTooLong = "Введённый текст слишком длинный. Сократите его.";
const char* const kFilePathTooLong = "Путь к файлу слишком длинный. Операция не выполнена.";
const char* const kNameNotExact =
    "В имени есть знаки, которые система не передаёт точно: оно показано неточно.\n"
    "Открыть, скопировать или переименовать этот элемент нельзя.";

// Writes `a` followed by `b` into `out`; false and `out` untouched when the
// result with its terminator would not fit.
bool Join(char (&out)[kPathCapacity], const char* a, const char* b) {
    const std::size_t la = std::strlen(a);
    const std::size_t lb = std::strlen(b);
    if (la + lb >= kPathCapacity)
        return false;
    char joined[kPathCapacity];
    std::memcpy(joined, a, la);
    std::memcpy(joined + la, b, lb);
    joined[la + lb] = '\0';
    std::memcpy(out, joined, la + lb + 1);
    return true;
}

// Copies a text held in a kPathCapacity buffer; cut at the last byte should
// that buffer lack its terminator.
void CopyText(char (&out)[kPathCapacity], const char* text) {
    const std::size_t length = std::min(BoundedLength(text), kPathCapacity - 1);
    std::memmove(out, text, length);
    out[length] = '\0';
}

void UpdateFileCommands(const BrowserState& state, BrowserPlatform& platform) {
    platform.setFileCommands(IsFileEntry(state.selectedEntry));
}

// A path made from an approximate name would name another file, or none:
// such an entry is shown but never acted on. True when it was refused.
bool RefuseInexact(const BrowserState& state, BrowserPlatform& platform) {
    if (state.selectedInexact)
        platform.showError(kNameNotExact, kErrorCaption);
    return state.selectedInexact;
}

// Asks to list the drive root shown again while it lists nothing and the
// answer is Yes; No goes back up. False when the place shown changed while
// the question waited (it leaves the window usable): the answer no longer
// concerns what is shown, nor does the rest of the opening.
bool AskUntilDriveLists(BrowserState& state, BrowserPlatform& platform) {
    char pattern[kPathCapacity];
    CopyText(pattern, state.pathPattern);
    const int level = state.level;
    bool again = true;
    while (platform.entryCount() == 0 && again) {
        again = platform.askYesNo(kRetryQuestion, "", Question::Warning);
        if (state.level != level || std::strcmp(state.pathPattern, pattern) != 0)
            return false;
        if (again)
            platform.listFolder(pattern);
    }
    if (!again)
        platform.sendCommand(IDC_UP_BUTTON);
    return true;
}

// Closes an open panel, so that at most one exists; true when a new one may
// open for the selected entry, which then counts as the latest panel.
bool ClosePanelForNew(BrowserState& state, BrowserPlatform& platform) {
    platform.sendCommand(IDC_CANCEL);
    if (RefuseInexact(state, platform))
        return false;
    state.panelSerial += 1;
    return true;
}

// Shows the reaction to a failed copy; `replacing` for the second call, made
// after Yes, whose failures are told in the system's words.
void ReportCopyFailure(unsigned long error, bool replacing, BrowserPlatform& platform) {
    if (!replacing && error == kErrorPathNotFound) {
        platform.showError(kNoSuchFolder, kErrorCaption);
    } else if (!replacing && error == kErrorAccessDenied) {
        platform.showError(kCopyFailed, kErrorCaption);
    } else {
        platform.showSystemError(error, kErrorCaption);
    }
}

} // namespace

bool IsDriveEntry(const char* entry) {
    return std::strlen(entry) == 5 && entry[0] == '[' && entry[1] == '-' && entry[2] >= 'a' &&
           entry[2] <= 'z' && entry[3] == '-' && entry[4] == ']';
}

bool IsFileEntry(const char* entry) {
    return entry[0] != '\0' && entry[0] != '[';
}

bool ExtendPattern(char (&pattern)[kPathCapacity], char (&entry)[kPathCapacity]) {
    const std::size_t n = BoundedLength(pattern);
    if (n >= kPathCapacity || (n > 0 && (n < 3 || std::strcmp(pattern + n - 3, "*.*") != 0)))
        return false;
    char name[kPathCapacity];
    std::size_t nameLength = 0;
    if (n == 0 && IsDriveEntry(entry)) {
        name[0] = entry[2];
        name[1] = ':';
        nameLength = 2;
    } else {
        const std::size_t e = BoundedLength(entry);
        if (e < 2 || e >= kPathCapacity || entry[0] != '[' || entry[e - 1] != ']')
            return false;
        nameLength = e - 2;
        std::memcpy(name, entry + 1, nameLength);
    }
    name[nameLength] = '\0';
    const std::size_t at = n > 0 ? n - 3 : 0;
    static const char kTail[] = "\\*.*";
    if (at + nameLength + sizeof kTail > kPathCapacity)
        return false;
    std::memcpy(entry, name, nameLength + 1);
    std::memcpy(pattern + at, name, nameLength);
    std::memcpy(pattern + at + nameLength, kTail, sizeof kTail);
    return true;
}

void FolderShown(const char* pattern, char (&folder)[kPathCapacity]) {
    std::size_t i = 0;
    while (i + 1 < kPathCapacity && pattern[i] != '\0' && pattern[i] != '*') {
        folder[i] = pattern[i];
        ++i;
    }
    folder[i] = '\0';
}

void ShowRootView(BrowserState& state, BrowserPlatform& platform) {
    platform.listDrives();
    platform.showRootTitle(kRootTitle);
    state.level = 0;
    state.pathPattern[0] = '\0';
}

bool SelectEntry(BrowserState& state, BrowserPlatform& platform, int index) {
    if (index < 0)
        return false;
    if (!platform.entryText(index, state.selectedEntry, kPathCapacity)) {
        platform.showError(kEntryTooLong, kErrorCaption);
        return false;
    }
    state.selectedInexact = !platform.entryNameExact(index);
    return true;
}

void OpenEntry(BrowserState& state, BrowserPlatform& platform) {
    if (!SelectEntry(state, platform, platform.selectedIndex()))
        return;
    if (state.selectedEntry[0] != '[')
        return;
    if (std::strcmp(state.selectedEntry, "[..]") == 0) {
        platform.sendCommand(IDC_UP_BUTTON);
        return;
    }
    // Drive and folder entries end with "]"; a file whose name merely starts
    // with "[" ("[notes].txt") is a file and is not opened either.
    if (state.selectedEntry[std::strlen(state.selectedEntry) - 1] != ']')
        return;
    if (RefuseInexact(state, platform))
        return;
    if (state.level >= kHistorySlots - 1) {
        platform.showError(kTooDeep, kErrorCaption);
        return;
    }
    if (!ExtendPattern(state.pathPattern, state.selectedEntry)) {
        platform.showError(kPathTooLong, kErrorCaption);
        return;
    }
    state.level += 1;
    CopyText(state.pathHistory[state.level], state.pathPattern);
    RelistFolder(state, platform);

    // A drive root that lists nothing: not ready, no medium or empty.
    if (platform.entryCount() == 0 && state.pathPattern[3] == '*' &&
        !AskUntilDriveLists(state, platform))
        return;
    if (state.level == 1)
        platform.createUpButton();
}

void GoUpLevel(BrowserState& state, BrowserPlatform& platform) {
    platform.setFileCommands(false);
    if (state.level <= 0)
        return;
    state.level -= 1;
    if (state.level == 0) {
        platform.clearList();
        platform.showRootTitle(kRootTitle);
        platform.listDrives();
        state.pathPattern[0] = '\0';
        platform.closeUpButton();
        // The root view shows no folder for an open panel to work in: its
        // "OK" would take the file from the program's working folder.
        platform.sendCommand(IDC_CANCEL);
    } else {
        CopyText(state.pathPattern, state.pathHistory[state.level]);
        RelistFolder(state, platform);
    }
}

void RelistFolder(BrowserState& state, BrowserPlatform& platform) {
    // A panel belongs to the folder it was opened in: its "OK" must never act
    // on a file of another folder.
    platform.sendCommand(IDC_CANCEL);
    platform.clearList();
    platform.setPathBar(state.pathPattern);
    platform.listFolder(state.pathPattern);
}

void StartCopy(BrowserState& state, BrowserPlatform& platform) {
    if (ClosePanelForNew(state, platform)) {
        FolderShown(state.pathPattern, state.inputText);
        platform.openPanel(IDC_OK_COPY, kCopyPrompt, state.inputText);
    }
}

void StartRename(BrowserState& state, BrowserPlatform& platform) {
    if (ClosePanelForNew(state, platform)) {
        CopyText(state.inputText, state.selectedEntry);
        platform.openPanel(IDC_OK_RENAME, kRenamePrompt, state.inputText);
    }
}

void FinishCopy(BrowserState& state, BrowserPlatform& platform) {
    char typed[kPathCapacity];
    if (!platform.readInput(typed, kPathCapacity)) {
        platform.showError(kInputTooLong, kErrorCaption);
        return;
    }
    char destination[kPathCapacity];
    const std::size_t length = std::strlen(typed);
    const bool namesFolder = length > 0 && typed[length - 1] == '\\';
    char folder[kPathCapacity];
    FolderShown(state.pathPattern, folder);
    char source[kPathCapacity];
    if (!Join(destination, typed, namesFolder ? state.selectedEntry : "") ||
        !Join(source, folder, state.selectedEntry)) {
        platform.showError(kFilePathTooLong, kErrorCaption);
        return;
    }
    CopyText(state.inputText, destination);
    CopyText(state.sourcePath, source);

    // The question leaves the window usable, and what runs while it waits may
    // rewrite the state's fields: from here on only the local paths count.
    const unsigned panel = state.panelSerial;
    unsigned long error = platform.copyFile(source, destination, true);
    const bool replacing = error == kErrorFileExists;
    if (replacing) {
        error = 0;
        // A copy onto the file itself has nothing to replace, so it is never
        // attempted.
        if (platform.askYesNo(kReplaceQuestion, kReplaceCaption, Question::Ask) &&
            !platform.sameFile(source, destination))
            error = platform.copyFile(source, destination, false);
    }
    // A panel opened while the question waited is not this step's to close.
    if (state.panelSerial == panel)
        platform.sendCommand(IDC_CANCEL);
    if (error != 0)
        ReportCopyFailure(error, replacing, platform);
}

void FinishRename(BrowserState& state, BrowserPlatform& platform) {
    char folder[kPathCapacity];
    FolderShown(state.pathPattern, folder);
    char typed[kPathCapacity];
    if (!platform.readInput(typed, kPathCapacity)) {
        platform.showError(kInputTooLong, kErrorCaption);
        return;
    }
    char source[kPathCapacity];
    char target[kPathCapacity];
    if (!Join(source, folder, state.selectedEntry) || !Join(target, folder, typed)) {
        platform.showError(kFilePathTooLong, kErrorCaption);
        return;
    }
    CopyText(state.sourcePath, source);
    CopyText(state.inputText, typed);
    CopyText(state.targetPath, target);

    // Relisted and closed before the message, which leaves the window usable
    // while it waits.
    const bool renamed = platform.renameFile(source, target);
    platform.clearList();
    platform.listFolder(state.pathPattern);
    platform.sendCommand(IDC_CANCEL);
    if (!renamed)
        platform.showError(kRenameFailed, kErrorCaption);
}

void ClosePanel(BrowserState&, BrowserPlatform& platform) {
    platform.closePanel();
}

void RunCommand(BrowserState& state, BrowserPlatform& platform, int id, int notification) {
    // Only the list double-click opens entries; plain push buttons, menu items
    // and the edit controls never send this code with the list's id.
    if (id == IDC_ENTRY_LIST && notification == kDoubleClicked)
        OpenEntry(state, platform);
    switch (id) {
    case IDM_COPY_FILE: StartCopy(state, platform); break;
    case IDM_RENAME: StartRename(state, platform); break;
    case IDM_EXIT:
    case IDC_EXIT_BUTTON: platform.endProgram(); break;
    case IDC_UP_BUTTON: GoUpLevel(state, platform); break;
    case IDC_OK_COPY: FinishCopy(state, platform); break;
    case IDC_CANCEL: ClosePanel(state, platform); break;
    case IDC_OK_RENAME: FinishRename(state, platform); break;
    case IDC_ENTRY_LIST:
        if (notification == kSelectionChanged) {
            // An entry that could not be read leaves nothing to copy or rename.
            const bool read = SelectEntry(state, platform, platform.selectedIndex());
            platform.sendCommand(IDC_CANCEL);
            if (read)
                UpdateFileCommands(state, platform);
            else
                platform.setFileCommands(false);
        }
        break;
    default: break;
    }
}

} // namespace browser
