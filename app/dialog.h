// What the program's controller needs of a dialog window. The Win32 shell
// implements it over a real dialog; the tests implement it without windows.
#pragma once

#include <optional>
#include <string>

namespace platelier {

// The buffer size with which the program reads a control's text: a text
// holds at most 255 characters (UTF-16 units on Win32, bytes elsewhere).
constexpr int dialogTextLimit = 256;

// One entry of an open-file filter: the text shown, then its pattern (several
// wildcards are separated by ';').
struct FileFilter {
    std::string text;
    std::string pattern;
};

class Dialog {
  public:
    virtual ~Dialog() = default;

    // The text of control `id`, cut to `limit` - 1 characters as the platform
    // cuts a text read into a buffer of `limit` characters. Texts are UTF-8
    // on Win32 (its wide functions' text) and bytes elsewhere.
    virtual std::string controlText(int id, int limit) = 0;
    virtual void setControlText(int id, const std::string& text) = 0;
    virtual void enableControl(int id, bool enabled) = 0;

    // A modal box with the text, the caption and one OK button; returns when
    // the user has closed it.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;

    // Runs the dialog of template `templateId` modally, owned by this one.
    virtual void runModalDialog(int templateId) = 0;

    // Ends this dialog's modal loop with `result`.
    virtual void endDialog(int result) = 0;

    // Delivers command `id` to this dialog synchronously, as a click would.
    virtual void sendCommand(int id) = 0;

    // Delivers command `id` to this dialog once the messages before it have
    // been handled: after the dialog shows, when posted while it opens.
    virtual void postCommand(int id) = 0;

    // The open-file dialog: the chosen file's full path, whole, or none when
    // the user cancels. `defaultExtension` (without dot, empty for none) is
    // added to a typed name that has none.
    virtual std::optional<std::string> chooseFile(const std::string& defaultExtension,
                                                  const std::string& title,
                                                  const FileFilter& filter) = 0;

    // The full path of the running program.
    virtual std::string programPath() = 0;

    // Opens a help file on its contents, without waiting for the viewer.
    // False when the viewer could not be started; a file it cannot show, it
    // says so itself.
    virtual bool openHelpFile(const std::string& path) = 0;

    // Opens a web page in the user's browser, without waiting for it. False
    // when no browser took it.
    virtual bool openPage(const std::string& path) = 0;

  protected:
    Dialog() = default;
    Dialog(const Dialog&) = default;
    Dialog& operator=(const Dialog&) = default;
};

} // namespace platelier
