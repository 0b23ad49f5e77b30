// Whether a separation file's own bytes can be the plate of its master: a
// link can be right while the file was cut short by a transfer, emptied,
// replaced by a file of another job, or is no EPS file at all. Each file is
// judged from at most a few KiB of its start and of its end, so that a
// check of an archive of separation files of hundreds of MB stays fast.
#pragma once

#include "master/bounding_box.h"
#include "platform/file_starts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platelier {

enum class ContentVerdict {
    sound,     // an EPS file stating the master's box, or where either states none
    empty,     // 0 bytes
    notEps,    // its PostScript text does not begin with "%!PS-Adobe", or its binary
               // header puts that text inside the header or makes two sections
               // overlap; also a folder, a device or a FIFO, which is never read
    truncated, // an EPS binary header cut short, or whose sections run past the end
    otherPage, // an EPS file stating another box than the master's
    unreadable // it cannot be opened (gone, or forbidden), or a read failed
};

// Judges the file at `path` against the boxes its master states. Its
// PostScript text (behind an EPS binary header, the section the header
// gives) must begin with "%!PS-Adobe"; its boxes are found as the master
// reader finds the master's (see HeaderComments) and compared as samePage
// compares them. A value that is no box states none.
ContentVerdict judgeSeparationFile(const std::string& path, const PageBoxes& masterBoxes);

// The starts of the separation files at `paths`, regular files as their
// folders' listings showed them, read at once (readFileStarts) as far as a
// judgement first reads: the starts of several masters' files may be read
// together.
std::vector<FileStart> readSeparationStarts(const std::vector<std::string>& paths);

// Judges the separation file at `path` as judgeSeparationFile does, from its
// start (readSeparationStarts): a file that its start holds whole, and that
// is sound, asks the system for nothing more. Any other is judged by
// judgeSeparationFile, which reads it again.
ContentVerdict judgeSeparationStart(const std::string& path, FileStart start,
                                    const PageBoxes& masterBoxes);

// Judges a DCS 2.0 plate inside its master, the `length` bytes at `offset`
// of the file at `path`, the same way: its PostScript text begins at its
// offset (it has no binary header of its own).
ContentVerdict judgePlateInMaster(const std::string& path, std::uint64_t offset,
                                  std::uint64_t length, const PageBoxes& masterBoxes);

// The verdict as the console program names it: "sound", "empty", "not-eps",
// "truncated", "other-page" or "unreadable".
std::string_view verdictWord(ContentVerdict verdict);

} // namespace platelier
