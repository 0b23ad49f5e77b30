// Writes edited plate names into a master file's plate lines, keeping the
// master's previous bytes under its backup path.
#pragma once

#include "master/channel.h"
#include "master/master_file_reader.h"
#include "platform/open_files.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace platelier {

class ByteSink;
class FileReader;

// Why a rewrite did not take place. In every case the master is as it was.
// So is an older backup, except after cannotReplaceMaster: the master may
// already have been moved or linked to the backup path, over the older
// backup, when the new master failed to take its name.
enum class RewriteError {
    none,
    noMasterPath,     // no master file is loaded
    backupIsMaster,   // the master's own extension is BAK
    nameHasLineBreak, // a name holds CR or LF; `plate` says which
    nameNotReadBack,  // a name the reader would change: blanks at either end, a control character
    nameTooLong,      // a plate line would not be read back whole; `plate` says which
    // A name given as a file name has no bytes a plate line names that file
    // with (on Win32 a character outside the ANSI code page); `plate`
    // says which. The fileset's commands refuse it before the rewrite.
    nameNotInCodePage,
    backupIsLinked, // the backup's name is a plate's: `plate`'s, or one of `other`'s
    backupIsShared, // `other`, another master of the folder, has the same backup
    masterIsLink,   // a symbolic link: the file it leads to is rewritten by its own path
    // DCS 2.0: a file name that the plate line writes bare (without
    // parentheses) with a blank, a parenthesis or a backslash in it.
    nameNeedsParentheses,
    plateNotInFile,     // DCS 2.0: a new name for a plate that is not in a file
    platesInsideMaster, // DCS 2.0: the master holds plates at offsets that a change would move
    cannotOpenMaster,
    masterInUse,       // another rewrite of it runs, or (on Win32) a program writes it
    masterChanged,     // it changed since it was read, or while it was rewritten
    masterReadOnly,    // the master may not be written, or is read-only
    damagedHeader,     // an EPS binary header that does not fit the file
    damagedPlateBlock, // cut short, holding another block or the title, or a line without ':'
    cannotReadMaster,
    cannotWriteNewMaster,
    cannotReplaceMaster, // also a folder at the backup path, which the exchange never takes
};

struct RewriteResult {
    RewriteResult(RewriteError why = RewriteError::none, std::size_t which = cyan,
                  std::string master = std::string())
        : error(why), plate(which), other(std::move(master)) {}

    RewriteError error;
    std::size_t plate;  // the plate in the master's order: a DCS 1.0 master's channel
    std::string other;  // backupIsLinked, backupIsShared: another master's path
    std::string colour; // DCS 2.0: the plate's colour, as the master names it
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
                                          const FileIdentity*, FileReader*);
    friend PreparedRewrite prepareRewrite(const std::string&, const MasterReading&,
                                          const PlateNames&, RewriteMode, FileReader*);
    explicit PreparedRewrite(std::unique_ptr<State> state);
    // Checked as `checked` says, the master opened (or `opened` taken) as
    // `asRead` read it and written by `run`.
    static PreparedRewrite prepare(const std::string& masterPath, RewriteMode mode,
                                   const FileIdentity* asRead, FileReader* opened,
                                   const RewriteResult& checked,
                                   const std::function<RewriteResult(FileReader&, ByteSink&)>& run);

    std::unique_ptr<State> state_;
    RewriteResult result_;
};

// Rebuilds every plate block of the master (a "%%CyanPlate" line and the
// three lines after it) as keyword, colon, one blank, the channel's name and
// CR LF (a blank line that followed a plate line in a master whose lines
// end with LF or CR alone was part of that line's ending, and goes with
// it); every other byte stays as it was. A rebuilt line must stay under 256
// bytes, and each name must read back as it is written, so that the master
// is read back with the names written. The new master is written whole
// beside the old one first (an interruption removes it, in a program that
// asked for that: see platform/interruption.h). With `asRead`, the identity
// of the master when its plates were read, a master that changed since is
// refused. With `opened`, the master as readMasterForRewrite left it open
// (if it did), the rewrite takes that file rather than open the master: it
// is the file that was read, and no other rewrite took it meanwhile.
PreparedRewrite prepareRewrite(const std::string& masterPath, const PerChannel& names,
                               RewriteMode mode = RewriteMode::replace,
                               const FileIdentity* asRead = nullptr, FileReader* opened = nullptr);

// The rewrite of the master that `asRead` read, with a name for each of its
// plates: a DCS 1.0 master's as above; in a DCS 2.0 master, the file name
// on each plate line whose name changes, written as the line wrote it (bare
// or as a PostScript string), every other byte of the master kept, the
// line's own ending included. A DCS 2.0 master with plates inside it is
// rewritten only when nothing changes. A master that changed since it was
// read is refused. `opened` as above.
PreparedRewrite prepareRewrite(const std::string& masterPath, const MasterReading& asRead,
                               const PlateNames& names, RewriteMode mode = RewriteMode::replace,
                               FileReader* opened = nullptr);

// prepareRewrite, then its commit in an uninterrupted step.
RewriteResult rewriteMasterFile(const std::string& masterPath, const PerChannel& names,
                                RewriteMode mode = RewriteMode::replace,
                                const FileIdentity* asRead = nullptr);

} // namespace platelier
