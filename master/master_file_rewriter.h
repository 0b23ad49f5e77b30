// Writes edited channel names into a master file's plate lines, keeping the
// master's previous bytes under its backup path.
#pragma once

#include "master/channel.h"

#include <string>

namespace platelier {

// Why a rewrite did not take place. In every case the master is as it was.
// So is an older backup, except after cannotReplaceMaster: the master may
// already have been moved or linked to the backup path, over the older
// backup, when the new master failed to take its name.
enum class RewriteError {
    none,
    noMasterPath,     // no master file is loaded
    backupIsMaster,   // the master's own extension is BAK
    nameHasLineBreak, // a name holds CR or LF; `channel` says which
    nameTooLong,      // a plate line would not be read back whole; `channel` says which
    // A name given as a file name has no bytes a plate line names that file
    // with (on Win32 a character outside the ANSI code page); `channel`
    // says which. The fileset's commands refuse it before the rewrite.
    nameNotInCodePage,
    cannotOpenMaster,
    masterReadOnly,    // the master may not be written, or is read-only
    damagedHeader,     // an EPS binary header that does not fit the file
    damagedPlateBlock, // cut short, holding another block or the title, or a line without ':'
    cannotReadMaster,
    cannotWriteNewMaster,
    cannotReplaceMaster, // also a folder at the backup path, refused before anything is written
};

struct RewriteResult {
    RewriteError error = RewriteError::none;
    ChannelIndex channel = cyan;
};

// Whether a rewrite replaces the master, or only reads it through the same
// code into nothing and makes every check that replacing it would make and
// that can be known without writing: the same refusals, in the same order.
// What a check cannot know is whether the system will let the new master
// be written (a folder where no file may be created, a full disk) and then
// take the master's place (the old master the backup's name).
enum class RewriteMode { replace, checkOnly };

// Rebuilds every plate block of the master (a "%%CyanPlate" line and the
// three lines after it) as keyword, colon, one blank, the channel's name and
// CR LF; every other byte stays as it was. A rebuilt line must stay under
// 256 bytes, so that the master is read back with the names written. The new
// master is written whole beside the old one first (an interruption removes
// it, in a program that asked for that: see platform/interruption.h); only
// then does the old master become the backup (replacing an older one) and
// the new file take the master's name.
RewriteResult rewriteMasterFile(const std::string& masterPath, const PerChannel& names,
                                RewriteMode mode = RewriteMode::replace);

} // namespace platelier
