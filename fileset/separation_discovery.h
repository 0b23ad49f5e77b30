// Finding the four separation files of a master: a wildcard search beside
// the master, and the file chooser where the search does not settle it.
#pragma once

#include "master/channel.h"
#include "platform/dialog.h"

#include <array>
#include <optional>
#include <string>

namespace platelier {

// The wildcard for a channel's separation file: the master path with the
// character before its last '.' turned into '*' and everything after the
// '.' replaced by the channel's letter (D:\job\IMAGE.EPS gives
// D:\job\IMAG*.C). None when the path has no '.' with a character before it.
std::optional<std::string> separationPattern(const std::string& masterPath,
                                             const char* searchLetter);

// The number of entries matching `pattern`, folders included; `foundName`
// receives the name of the last one found, when there is one.
int countMatchingFiles(const std::string& pattern, std::string& foundName);

// Fills the separation path edits from `firstPathEdit` for the master named
// by edit `masterPathEdit`: the single match of each channel's pattern, or
// the file the user chooses. Stops at the first chooser the user cancels.
void locateSeparationFiles(Dialog& dialog, int masterPathEdit, int firstNameEdit,
                           int firstPathEdit);

// A channel's Browse button: lets the user choose its separation file, which
// becomes the channel's path in the dialog and in `recordedPaths`.
void browseSeparationFile(Dialog& dialog, ChannelIndex channel,
                          std::array<std::string, channelCount>& recordedPaths);

} // namespace platelier
