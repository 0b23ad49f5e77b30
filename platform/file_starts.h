// The first bytes of several files, read at once: a check of a tree judges
// every separation file by its first few KiB, one small file after another,
// and on Linux asks the system once for a batch of them (io_uring) rather
// than three times for each (open, read, close). What a batch leaves unread,
// or cannot tell, each file's own reading (FileReader) finds out.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace platelier {

struct FileStart {
    std::unique_ptr<char[]> bytes; // as many as were read
    std::size_t size = 0;
    // The read came back short of what was asked: as a regular file's read
    // does only at its end, the bytes are the whole file. False for a file
    // that could not be opened or read, which a FIFO, a folder or a device
    // may be.
    bool whole = false;
};

// Reads at most `most` bytes from the start of each file of `paths`, opened
// as files are opened to look at (FileForReading::open), in the order of
// the paths. Only for regular files: a batch reads a FIFO or a terminal as
// well, and takes what it holds. Each opening and each read is an
// operation of the file layer (see file_faults.h); a file whose opening or
// read fails, or is made to fail, gets none.
std::vector<FileStart> readFileStarts(const std::vector<std::string>& paths, std::size_t most);

// The same, one file after another, with the file layer's own calls: where
// the system offers no batch.
std::vector<FileStart> readFileStartsOneByOne(const std::vector<std::string>& paths,
                                              std::size_t most);

} // namespace platelier
