// The Dialog interface over a real Win32 dialog window.
#pragma once

#include "app/dialog.h"

#include <windows.h>

namespace platelier {

class Win32Dialog final : public Dialog {
  public:
    explicit Win32Dialog(HWND window) : window_(window) {}

    std::string controlText(int id, int limit) override;
    void setControlText(int id, const std::string& text) override;
    void enableControl(int id, bool enabled) override;
    void showMessage(const std::string& text, const std::string& caption) override;
    void runModalDialog(int templateId) override;
    void endDialog(int result) override;
    void sendCommand(int id) override;
    void postCommand(int id) override;
    std::optional<std::string> chooseFile(const std::string& defaultExtension,
                                          const std::string& title,
                                          const FileFilter& filter) override;
    std::string programPath() override;
    bool openHelpFile(const std::string& path) override;
    bool openPage(const std::string& path) override;

  private:
    HWND window_;
};

} // namespace platelier
