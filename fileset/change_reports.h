// How the commands that change a fileset tell what happens, step by step and
// as it happens, whatever front end runs them: each failure's message, in
// the program's words, and each separation file's new path.
#pragma once

#include "master/channel.h"

#include <functional>
#include <string>

namespace platelier {

using FailureReport = std::function<void(const std::string& message)>;
using RenameReport = std::function<void(ChannelIndex channel, const std::string& newPath)>;

} // namespace platelier
