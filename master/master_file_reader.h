// Reads a DCS master file: its title and its plates, or why the file is no
// master the program can work on.
#pragma once

#include "master/bounding_box.h"
#include "master/channel.h"
#include "master/plate.h"
#include "platform/file_starts.h"
#include "platform/open_files.h"

#include <optional>
#include <string>
#include <vector>

namespace platelier {

class FileReader;

// Why the reader refused a file.
enum class MasterRefusal {
    none,
    cannotOpen,     // it does not exist or may not be read, or a read of it failed
    notRegularFile, // a folder, a FIFO or a device: never opened
    damagedHeader,  // an EPS binary header that does not fit the file
    noPlateBlock    // no title line followed by a whole plate block
};

struct MasterReading {
    MasterRefusal refusal = MasterRefusal::none;
    // The first "%%Title" line's value: found also when the plate block is
    // not (the dialog shows it all the same).
    std::optional<std::string> title;
    MasterFormat format = MasterFormat::dcs1;
    // The plates in the order of their lines; only when the file was not
    // refused.
    std::vector<Plate> plates;
    // The boxes the header comments state (see HeaderComments); only when
    // the file was not refused.
    PageBoxes boxes;
    // The file as it was read: a rewrite refuses it when it has changed. Of
    // a master read only to look at, only where its plates lie inside it
    // (their places are checked against its length).
    FileIdentity identity;

    bool isMaster() const { return refusal == MasterRefusal::none; }

    // The plate names of a DCS 1.0 master in channel order; empty names
    // for a refused file.
    PerChannel channelNames() const;
};

// How far the reader looks for plates: as far as the file goes, or, where a
// walk through a tree decides whether a file is a master at all, no further
// than its header comments, so that an EPS image that is no master costs a
// few lines of reading whatever its size.
enum class MasterReach { wholeFile, headerComments };

// Reads the master file at `path` (behind an EPS binary header, only its
// PostScript section): a DCS 2.0 master's "%%PlateFile:" lines among its
// header comments, or a DCS 1.0 master's first "%%Title" line and the plate
// block after it (the first "%%CyanPlate" line after the title and the
// three lines after it); then the bounding boxes: their lines among the
// header comments before the plates or at most headerCommentsReach bytes
// past them, and for "(atend)" their lines in the trailer. A DCS 1.0 master
// needs its title; a DCS 2.0 one has it where its header comments do. A
// read that fails ends the reading as the end of the file does. With
// `reach` headerComments, a plate block after the header comments is not
// looked for.
//
// Read for ReadingFor::lookingAt, as a check that rewrites nothing reads it,
// the file is identified only where the reading needs it: one call less
// for each master of a tree.
MasterReading readMasterFile(const std::string& path, MasterReach reach = MasterReach::wholeFile,
                             ReadingFor purpose = ReadingFor::reading);

// Reads a master as readMasterFile reads it to look at, from the start of
// its file read before (readFileStarts), where that start tells all the
// reading needs; none where it does not, and the file must be read itself:
// a read past the start, a start behind an EPS binary header whose offsets
// only the file's length can check, or plates inside the master, whose
// places must be checked against the file as it is.
std::optional<MasterReading> readMasterStart(FileStart start, MasterReach reach);

// Reads the master at `path` as readMasterFile does, for a rewrite to follow:
// opened as a rewrite opens it (ReadingFor::rewriting) and, when it is a
// master, left open in `opened`, for the rewrite to take (prepareRewrite)
// without opening it again. What was read is not kept: the rewrite reads
// the master again, and makes the new master from the bytes as they are
// then. A file that cannot be opened so (a symbolic link, one that another
// rewrite holds) is read as readMasterFile reads it, and `opened` is left
// closed: its rewrite opens it and refuses it itself.
MasterReading readMasterForRewrite(const std::string& path, MasterReach reach, FileReader& opened);

} // namespace platelier
