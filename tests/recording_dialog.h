// A dialog without windows for the controller's tests: it holds control
// texts and enabled states as the real dialog would, answers the file
// chooser from a script and records the rest; and the main dialog's
// controller over it, with a fileset on disk opened as the user opens one.
#pragma once

#include "app/dialog_messages.h"
#include "app/main_dialog_controller.h"
#include "fixtures.h"
#include "resources/resource_ids.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace platelier::testing {

using Names = PerChannel;

struct RecordingDialog final : Dialog {
    struct Chooser {
        std::string extension, title, filter; // filter: "text|pattern"
    };
    std::map<int, std::string> texts;
    std::map<int, bool> disabled = {
        {IDC_SAVE_ALL, 1}, {IDC_RENAME_CHANNELS, 1}, {IDC_RENAME_FILES, 1}};
    std::vector<std::string> messages;
    std::vector<Chooser> choosers;
    std::deque<std::optional<std::string>> answers; // none left: the user cancels
    std::string did; // a for the About box, h for help or a page, as they open
    int endResult = -1;
    std::string program = "C:\\Tools\\Platelier.exe";
    std::vector<std::string> opened; // "help PATH" or "page PATH"
    bool opens = true;               // false: neither the help viewer nor a browser starts
    std::vector<int> posted;
    std::function<void(int)> onCommand;

    std::string controlText(int id, int limit) override {
        return texts[id].substr(0, static_cast<std::size_t>(limit - 1));
    }
    void setControlText(int id, const std::string& text) override { texts[id] = text; }
    void enableControl(int id, bool on) override { disabled[id] = !on; }
    void showMessage(const std::string& text, const std::string& caption) override {
        EXPECT_EQ(caption, "Talvernes");
        messages.push_back(text);
    }
    void runModalDialog(int templateId) override { did += templateId == IDD_ABOUT ? "a" : "?"; }
    void endDialog(int result) override { endResult = result; }
    void sendCommand(int id) override { onCommand(id); }
    void postCommand(int id) override { posted.push_back(id); }
    std::optional<std::string> chooseFile(const std::string& extension, const std::string& title,
                                          const FileFilter& filter) override {
        choosers.push_back({extension, title, filter.text + "|" + filter.pattern});
        const std::optional<std::string> answer = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }
    std::string programPath() override { return program; }
    bool openHelpFile(const std::string& path) override {
        opened.push_back("help " + path), did += "h";
        return opens;
    }
    bool openPage(const std::string& path) override {
        opened.push_back("page " + path), did += "h";
        return opens;
    }
};

// The main dialog as it opens (for a program started with `masterToOpen`),
// with its controller; commands it sends or posts itself come back to it.
struct MainDialog {
    RecordingDialog dialog;
    ControllerState state;

    explicit MainDialog(const std::string& masterToOpen = "") {
        dialog.onCommand = [this](int id) { command(id); };
        state.masterToOpen = masterToOpen;
        handleMainDialogMessage(dialog, state, messageInitDialog, 0);
        for (int id : std::exchange(dialog.posted, {})) {
            command(id);
        }
    }
    bool command(int id) {
        return handleMainDialogMessage(dialog, state, messageCommand,
                                       static_cast<std::uintptr_t>(id));
    }
    void open(const std::string& master) {
        dialog.answers.push_back(master);
        command(IDC_MASTER_BROWSE);
    }
    void setNames(const Names& names) {
        for (std::size_t channel = 0; channel < names.size(); ++channel) {
            dialog.texts[IDC_CYAN_NAME + static_cast<int>(channel)] = names[channel];
        }
    }
};

// A master and separation files, each holding its own name, opened by the
// user: the master chosen, the separation files found beside it.
struct OpenedFileset : MainDialog {
    TempFolder folder;
    std::string master;

    OpenedFileset(const std::string& bytes, const Names& separations) {
        master = folder.write("JOB.EPS", bytes);
        for (const std::string& name : separations) {
            folder.write(name, name);
        }
        open(master);
    }
};

} // namespace platelier::testing
