// A fileset on disk (a master and four separation files, each holding its
// own name) opened through the controller as the user opens one: the master
// chosen with the master Browse button, the separation files found beside it.
#pragma once

#include "app/dialog_messages.h"
#include "app/main_dialog_controller.h"
#include "fake_dialog.h"
#include "temp_folder.h"

#include <array>
#include <string>

namespace platelier::testing {

struct OpenedFileset {
    TempFolder folder;
    FakeDialog dialog;
    ControllerState state;
    std::string master;

    OpenedFileset(const std::string& masterName, const std::string& masterBytes,
                  const std::array<std::string, channelCount>& separationNames)
        : master(folder.write(masterName, masterBytes)) {
        for (const std::string& name : separationNames) {
            folder.write(name, name);
        }
        dialog.onCommand = [this](int id) { command(id); };
        handleMainDialogMessage(dialog, state, messageInitDialog, 0);
        dialog.chooserAnswers.push_back(master);
        command(IDC_MASTER_BROWSE);
    }
    OpenedFileset(const OpenedFileset&) = delete;
    OpenedFileset& operator=(const OpenedFileset&) = delete;

    void command(int id) {
        handleMainDialogMessage(dialog, state, messageCommand, static_cast<std::uintptr_t>(id));
    }

    void setNames(const std::array<std::string, channelCount>& names) {
        for (int channel = cyan; channel <= black; ++channel) {
            dialog.texts[IDC_CYAN_NAME + channel] = names[static_cast<std::size_t>(channel)];
        }
    }
};

} // namespace platelier::testing
