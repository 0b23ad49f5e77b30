// Writes edited channel names into a master file's plate lines, keeping the
// master's previous bytes under its backup path.
#pragma once

#include "master/channel.h"
#include "platform/open_files.h"

#include <memory>
#include <string>
#include <utility>

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
    nameNotReadBack,  // a name the reader would change: blanks at either end, a control character
    nameTooLong,      // a plate line would not be read back whole; `channel` says which
    // A name given as a file name has no bytes a plate line names that file
    // with (on Win32 a character outside the ANSI code page); `channel`
    // says which. The fileset's commands refuse it before the rewrite.
    nameNotInCodePage,
    backupIsLinked, // the backup's name is a plate's: `channel`'s, or one of `other`'s
    backupIsShared, // `other`, another master of the folder, has the same backup
    masterIsLink,   // a symbolic link: the file it leads to is rewritten by its own path
    cannotOpenMaster,
    masterInUse,       // another rewrite of it runs, or (on Win32) a program writes it
    masterChanged,     // it changed since it was read, or while it was rewritten
    masterReadOnly,    // the master may not be written, or is read-only
    damagedHeader,     // an EPS binary header that does not fit the file
    damagedPlateBlock, // cut short, holding another block or the title, or a line without ':'
    cannotReadMaster,
    cannotWriteNewMaster,
    cannotReplaceMaster, // also a folder at the backup path, refused before anything is written
};

struct RewriteResult {
    RewriteResult(RewriteError why = RewriteError::none, ChannelIndex which = cyan,
                  std::string master = std::string())
        : error(why), channel(which), other(std::move(master)) {}

    RewriteError error;
    ChannelIndex channel;
    std::string other; // backupIsLinked, backupIsShared: another master's path
};

// Whether a rewrite replaces the master, or only reads it through the same
// code into nothing and makes every check that replacing it would make and
// that can be known without writing: the same refusals, in the same order.
// What a check cannot know is whether the system will let the new master
// be written (a folder where no file may be created, a full disk) and then
// take the master's place (the old master the backup's name).
enum class RewriteMode { replace, checkOnly };

// A rewrite whose new master is written beside the old one, its place not
// taken yet: what the caller tells of the change can then be told in the
// same uninterrupted step as the change itself (platform/interruption.h).
// The master stays open and locked against other rewrites until then; the
// new master is removed when the rewrite is let go without its commit.
class PreparedRewrite {
  public:
    PreparedRewrite(PreparedRewrite&&) noexcept;
    PreparedRewrite& operator=(PreparedRewrite&&) = delete;
    ~PreparedRewrite();

    // Why the new master could not be written; none when it was.
    const RewriteResult& result() const { return result_; }

    // Puts the new master in the old one's place, the old one under the
    // backup path (replacing an older backup), when the old one is still
    // the file that was read; only checks that in the check-only mode.
    RewriteResult commit();

  private:
    struct State;
    friend PreparedRewrite prepareRewrite(const std::string&, const PerChannel&, RewriteMode,
                                          const FileIdentity*);
    explicit PreparedRewrite(std::unique_ptr<State> state);

    std::unique_ptr<State> state_;
    RewriteResult result_;
};

// Rebuilds every plate block of the master (a "%%CyanPlate" line and the
// three lines after it) as keyword, colon, one blank, the channel's name and
// CR LF (a blank line that followed a plate line in a master whose lines
// end with LF or CR alone was part of that line's ending, and goes with
// it); every other byte stays as it was. A rebuilt line must stay under 256 bytes, and each name
// must read back as it is written, so that the master is read back with the
// names written. The new master is written whole beside the old one first
// (an interruption removes it, in a program that asked for that: see
// platform/interruption.h). With `asRead`, the identity of the master when
// its plates were read, a master that changed since is refused.
PreparedRewrite prepareRewrite(const std::string& masterPath, const PerChannel& names,
                               RewriteMode mode = RewriteMode::replace,
                               const FileIdentity* asRead = nullptr);

// prepareRewrite, then its commit in an uninterrupted step.
RewriteResult rewriteMasterFile(const std::string& masterPath, const PerChannel& names,
                                RewriteMode mode = RewriteMode::replace,
                                const FileIdentity* asRead = nullptr);

} // namespace platelier
