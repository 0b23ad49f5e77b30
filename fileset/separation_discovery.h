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
// D:\job\IMAG*.C). The '.' and the character before it are looked for in
// the master's own name, so that the search stays in the master's folder:
// none for a name without '.' or one that begins with its only '.'.
std::optional<std::string> separationPattern(const std::string& masterPath,
                                             const char* searchLetter);

// The master at a path and its backup, which are never separation files,
// known once for all the entries compared with them.
class MasterAndBackup {
  public:
    explicit MasterAndBackup(const std::string& masterPath);

    // True when the entry `name` of `folder` (spelt as the master's folder is
    // in its path) is the master or its backup.
    bool includes(const std::string& folder, const std::string& name) const;

  private:
    std::string folder_;
    std::string masterName_;
    std::string backupName_;
};

// The number of entries matching `pattern`, folders included, but the master
// at `masterPath` and its backup; `foundName` receives the name of the last
// one found, when there is one.
int countMatchingFiles(const std::string& pattern, const std::string& masterPath,
                       std::string& foundName);

} // namespace platelier
