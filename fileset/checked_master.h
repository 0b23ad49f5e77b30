// A master as the commands that check and repair filesets see it: read,
// its plates' links checked against its folder, and, where asked, the
// separation files they lead to judged. The rules that decide what a repair
// may take are here, once for every command: a renamed file is taken only
// when it is sound.
#pragma once

#include "fileset/fileset_commands.h"
#include "fileset/folder_reading.h"
#include "fileset/plate_links.h"
#include "fileset/separation_content.h"
#include "master/master_file_reader.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platelier {

// Which separation files are judged: the renamed ones, before a repair
// takes them, or every one a link leads to (check --deep).
enum class FilesJudged { none, renamedOnly, everyFileFound };

struct CheckedMaster {
    std::string path;
    MasterReading reading;
    MasterLinks links; // one per plate; none when the reader refused the file
    // The verdict on each plate's file, where it was judged.
    std::vector<std::optional<ContentVerdict>> contents;
    FilesJudged judged = FilesJudged::none;
    // For each plate, another master of the folder that links to its file
    // as well (language versions of a job share their plates), or nothing.
    std::vector<std::string> sharedWith;
    // Why the master's backup may not be written (see backupConflict).
    RewriteResult backup;
    // The master as its folder's reading left it open for its rewrite, or
    // null (see FolderMaster::openForRewrite).
    std::shared_ptr<FileReader> openForRewrite;

    bool isMaster() const { return reading.isMaster(); }
};

// Checks `master`, one of the masters of `folder`, which `path` names.
CheckedMaster checkMaster(const std::string& path, const FolderReading& folder,
                          const FolderMaster& master);

// Judges the files of the plates that are `renamed`, or of those that are
// `ok` as well.
void judgeContents(CheckedMaster& master, FilesJudged judged);

// Judges the files of each of `masters` in turn, as the one above does, with
// the starts of all their separation files read at once; `done` counts the
// masters judged, so that a failure leaves those before it judged.
void judgeContents(std::vector<CheckedMaster>& masters, FilesJudged judged, std::size_t& done);

// True when the file is a master, every link is ok and every file judged is
// sound.
bool isSound(const CheckedMaster& master);

// The first plate whose renamed file was judged and is not sound: a file a
// repair never takes.
std::optional<std::size_t> unsoundRenamedFile(const CheckedMaster& master);

// The first plate whose renamed file has a name no plate line can name it
// by (plateOfFileName: on Win32, a character outside the ANSI code page),
// in a master whose every plate is ok or renamed to a sound file: what alone
// keeps relinking from writing the master.
std::optional<std::size_t> renamedFileWithoutPlate(const CheckedMaster& master);

// The names relinking writes into the master, once its renamed files were
// judged, as the bytes of its plate lines: each renamed plate takes its
// file's name, every other keeps its plate name. None while a plate is
// missing or ambiguous, a renamed file is not sound, or there is a
// renamedFileWithoutPlate; none either while a plate is cut short or not
// checked.
std::optional<PlateNames> relinkedNames(const CheckedMaster& master);

// The files the links lead to, by plate (empty for a plate without one):
// what the dialog would record after discovery.
PlatePaths linkedFiles(const CheckedMaster& master);

} // namespace platelier
