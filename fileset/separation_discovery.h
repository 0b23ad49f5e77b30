// Finding the separation files of a master: the wildcard search beside the
// master with which the dialog finds them.
#pragma once

#include "master/channel.h"

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

} // namespace platelier
