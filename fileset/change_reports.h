// How the commands that change a fileset tell what happens, step by step and
// as it happens, whatever front end runs them: each failure's message, in
// the program's words, and each separation file's new path. The dialog shows
// them as its commands always have.
#pragma once

#include "master/channel.h"
#include "platform/dialog.h"

#include <functional>
#include <string>

namespace platelier {

using FailureReport = std::function<void(const std::string& message)>;
using RenameReport = std::function<void(ChannelIndex channel, const std::string& newPath)>;

// A message box for each failure.
FailureReport showInMessageBox(Dialog& dialog);

// Each new path in its channel's edit, counted from `firstPathEdit`.
RenameReport showInPathEdits(Dialog& dialog, int firstPathEdit);

} // namespace platelier
