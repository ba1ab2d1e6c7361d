// A recording fake of BrowserPlatform with an in-memory list, listings and
// files. Commands sent to the own window run through RunCommand, nested, as
// the real window does.
#pragma once

#include "model/browser.h"

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace browser::testing {

class FakePlatform : public BrowserPlatform {
  public:
    explicit FakePlatform(BrowserState& state) : state_(state) {}

    // Every call in order, as short strings ("listFolder c:\*.*").
    std::vector<std::string> calls;
    // The list box.
    std::vector<std::string> list;
    int selected = -1;
    // Entries that show their item's name only approximately.
    std::set<std::string> inexact;
    // Listings by pattern; drives for the root view.
    std::map<std::string, std::vector<std::string>> listings;
    std::vector<std::string> drives{"[-c-]", "[-d-]"};
    // Answers of the yes/no questions, taken in order (No when empty); the
    // hook runs when a question is shown, before the answer is taken.
    std::deque<bool> answers;
    std::function<void()> onQuestion;
    // Files by path, folders by path with trailing backslash; error codes to
    // return for a copy to a destination instead of copying.
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::map<std::string, unsigned long> copyErrors;
    // The input field's text, when a panel is open.
    bool panelOpen = false;
    std::string input;
    // The menu items' state and the up button.
    bool fileCommandsEnabled = false;
    bool upButton = false;
    std::vector<std::string> errors; // texts of the error boxes shown

    // Selects `entry` in the list; false when it is not there.
    bool choose(const std::string& entry) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == entry) {
                selected = static_cast<int>(i);
                return true;
            }
        }
        return false;
    }
    // A user's click on `entry` (selection change) and double-click on it.
    void click(const std::string& entry) {
        choose(entry);
        RunCommand(state_, *this, IDC_ENTRY_LIST, kSelectionChanged);
    }
    void doubleClick(const std::string& entry) {
        click(entry);
        RunCommand(state_, *this, IDC_ENTRY_LIST, kDoubleClicked);
    }
    void command(int id) { RunCommand(state_, *this, id, 0); }
    // Returns the calls recorded since the last take and forgets them.
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }

    void listDrives() override {
        calls.push_back("listDrives");
        list.insert(list.end(), drives.begin(), drives.end());
    }
    void listFolder(const char* pattern) override {
        calls.push_back(std::string("listFolder ") + pattern);
        auto it = listings.find(pattern);
        if (it != listings.end())
            list.insert(list.end(), it->second.begin(), it->second.end());
    }
    void clearList() override {
        calls.push_back("clearList");
        list.clear();
        selected = -1;
    }
    int entryCount() override { return static_cast<int>(list.size()); }
    int selectedIndex() override { return selected; }
    bool entryText(int index, char* buffer, std::size_t capacity) override {
        if (index < 0 || index >= static_cast<int>(list.size()))
            return false;
        const std::string& t = list[static_cast<std::size_t>(index)];
        if (t.size() + 1 > capacity)
            return false;
        std::memcpy(buffer, t.c_str(), t.size() + 1);
        return true;
    }
    bool entryNameExact(int index) override {
        return index >= 0 && index < static_cast<int>(list.size()) &&
               !inexact.count(list[static_cast<std::size_t>(index)]);
    }
    void setPathBar(const char* text) override {
        calls.push_back(std::string("setPathBar ") + text);
        pathBar = text;
    }
    void showRootTitle(const char* title) override { setPathBar(title); }
    void createUpButton() override {
        calls.push_back("createUpButton");
        upButton = true;
    }
    void closeUpButton() override {
        calls.push_back("closeUpButton");
        upButton = false;
    }
    void setFileCommands(bool enabled) override {
        calls.push_back(enabled ? "enableFileCommands" : "greyFileCommands");
        fileCommandsEnabled = enabled;
    }
    void sendCommand(int id) override {
        calls.push_back("sendCommand " + std::to_string(id));
        RunCommand(state_, *this, id, 0);
    }
    void endProgram() override { calls.push_back("endProgram"); }
    void openPanel(int okId, const char* prompt, const char* suggestion) override {
        calls.push_back("openPanel " + std::to_string(okId));
        panelOpen = true;
        panelOk = okId;
        panelPrompt = prompt;
        input = suggestion;
    }
    void closePanel() override {
        calls.push_back("closePanel");
        panelOpen = false;
    }
    bool readInput(char* buffer, std::size_t capacity) override {
        if (!panelOpen || input.size() + 1 > capacity)
            return false;
        std::memcpy(buffer, input.c_str(), input.size() + 1);
        return true;
    }
    void showError(const char* text, const char* caption) override {
        calls.push_back(std::string("showError ") + caption);
        errors.push_back(text);
    }
    bool askYesNo(const char* text, const char* caption, Question kind) override {
        calls.push_back(std::string("ask ") +
                        (kind == Question::Warning ? "warning " : "question ") + caption);
        questions.push_back(text);
        if (onQuestion)
            onQuestion();
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    unsigned long copyFile(const char* from, const char* to, bool failIfExists) override {
        calls.push_back(std::string("copyFile ") + from + " > " + to +
                        (failIfExists ? " keep" : " replace"));
        auto err = copyErrors.find(to);
        if (err != copyErrors.end())
            return err->second;
        auto src = files.find(from);
        if (src == files.end())
            return 2;
        if (!folders.count(parentOf(to)))
            return kErrorPathNotFound;
        if (files.count(to) && failIfExists)
            return kErrorFileExists;
        files[to] = src->second;
        return 0;
    }
    bool renameFile(const char* from, const char* to) override {
        calls.push_back(std::string("renameFile ") + from + " > " + to);
        auto src = files.find(from);
        if (src == files.end() || files.count(to) || !folders.count(parentOf(to)))
            return false;
        const std::string content = src->second;
        files.erase(src);
        files[to] = content;
        return true;
    }
    bool sameFile(const char* a, const char* b) override {
        return files.count(a) && std::string(a) == b;
    }
    void showSystemError(unsigned long code, const char* caption) override {
        calls.push_back(std::string("showError ") + caption);
        errors.push_back("system text " + std::to_string(code));
    }

    std::string pathBar;
    int panelOk = 0;
    std::string panelPrompt;
    std::vector<std::string> questions;

  private:
    static std::string parentOf(const std::string& path) {
        const auto cut = path.rfind('\\');
        return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    }

    BrowserState& state_;
};

// BrowserState is about 2 MB: never on the stack.
inline std::unique_ptr<BrowserState> NewState() {
    return std::make_unique<BrowserState>();
}

} // namespace browser::testing
