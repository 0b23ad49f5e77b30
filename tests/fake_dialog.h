// A dialog without windows for the controller's tests: it holds control
// texts and enabled states as the real dialog would, answers the file
// chooser from a script, and records everything else the controller asks.
#pragma once

#include "platform/dialog.h"
#include "resources/resource_ids.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platelier::testing {

class FakeDialog final : public Dialog {
  public:
    struct ChooserCall {
        int targetId;
        std::string defaultExtension;
        std::string title;
        FileFilter filter;
    };
    struct Message {
        std::string text;
        std::string caption;
    };

    // As the main dialog's template leaves them: 600-602 disabled.
    FakeDialog() {
        for (int id : {IDC_SAVE_ALL, IDC_RENAME_CHANNELS, IDC_RENAME_FILES}) {
            enabled[id] = false;
        }
    }

    std::string controlText(int id, int limit) override {
        return texts[id].substr(0, static_cast<std::size_t>(limit - 1));
    }
    void setControlText(int id, const std::string& text) override { texts[id] = text; }
    void enableControl(int id, bool on) override { enabled[id] = on; }
    void showMessage(const std::string& text, const std::string& caption) override {
        messages.push_back({text, caption});
    }
    void runModalDialog(int templateId) override { modalDialogs.push_back(templateId); }
    void endDialog(int result) override { endResult = result; }
    void sendCommand(int id) override { onCommand(id); }
    bool chooseFile(int targetId, const std::string& defaultExtension, const std::string& title,
                    const FileFilter& filter) override {
        chooserCalls.push_back({targetId, defaultExtension, title, filter});
        std::optional<std::string> answer;
        if (!chooserAnswers.empty()) {
            answer = chooserAnswers.front();
            chooserAnswers.pop_front();
        }
        if (answer) {
            texts[targetId] = *answer;
        }
        return answer.has_value();
    }
    std::string programPath() override { return program; }
    void openHelpFile(const std::string& path) override { helpOpened.push_back(path); }

    // A control never enabled or disabled is enabled, as in the template.
    bool isEnabled(int id) const {
        const auto found = enabled.find(id);
        return found == enabled.end() || found->second;
    }

    std::map<int, std::string> texts;
    std::map<int, bool> enabled;
    std::vector<Message> messages;
    std::vector<ChooserCall> chooserCalls;
    std::deque<std::optional<std::string>> chooserAnswers; // an empty answer list cancels
    std::vector<int> modalDialogs;
    std::optional<int> endResult;
    std::string program = "C:\\Tools\\Platelier.exe";
    std::vector<std::string> helpOpened;
    std::function<void(int)> onCommand = [](int) {};
};

} // namespace platelier::testing
