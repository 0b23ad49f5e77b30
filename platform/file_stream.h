// Buffered binary streams over files: how the program reads and writes the
// bytes of master files. A FileReader only reads and a FileWriter only
// writes, so no caller can mix the bytes of one's buffer with the other's.
// Each keeps its own buffer, so that each read or write that reaches the file
// is one operation of the file layer, and remembers whether any of them
// failed. A stream that goes out of scope still open is closed without a
// report.
#pragma once

#include "platform/open_files.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The fuzzers' build makes the stream buffers small, so that short inputs
// cross their ends; every other build has buffers of up to 256 KiB.
#ifndef PLATELIER_STREAM_BUFFER_SIZE
#define PLATELIER_STREAM_BUFFER_SIZE (256 * 1024)
#endif

namespace platelier {

class FileReader {
  public:
    static constexpr int endOfFile = -1;

    // The most that one read of the file takes. A file shorter than that,
    // or a reading limited to fewer bytes when it starts, gets a buffer of
    // that length (and at least smallBufferSize), so that reading a few KiB
    // never asks the heap for a quarter of a MiB; so does a file opened to
    // look at, whose length is not known, where nothing limits the reading.
    static constexpr std::size_t bufferSize = PLATELIER_STREAM_BUFFER_SIZE;
    static constexpr std::size_t smallBufferSize = 4096;

    // Opens `path` for reading; false in a boolean context when it cannot.
    // Only a regular file is opened (see FileForReading::open), but one
    // opened to look at is identified only when one of the facts below is
    // asked; a failure to identify it then fails the reading.
    static FileReader open(const std::string& path, ReadingFor purpose = ReadingFor::reading);

    // A reader of `size` bytes read before from the start of a file (see
    // readFileStarts): the whole file, or only its start, when its length
    // stands as the most a file can have. It asks the system for nothing: a
    // read past the bytes held fails.
    static FileReader ofStart(std::unique_ptr<char[]> bytes, std::size_t size, bool whole);

    explicit operator bool() const { return static_cast<bool>(file_); }

    // Whether the file is no regular file (`open` refused it, unless it was
    // opened to look at), or another rewrite or writer holds it.
    bool notRegularFile() { return facts().notRegular; }
    bool inUse() const { return facts_.inUse; }

    // For a rewrite (see OpenedFileFacts): a symbolic link refused, and a
    // file opened that may not be written.
    bool symbolicLink() const { return facts_.symbolicLink; }
    bool readOnly() const { return facts_.readOnly; }

    // The file as it was opened.
    const FileIdentity& identity() { return facts().identity; }
    const FileOwnership& ownership() { return facts().ownership; }

    // The next byte (0-255), or endOfFile at the end of the file, at the end
    // of the reading limit, or when the read fails (then failed() is true).
    int getByte() {
        if (position_ < filled_ && readLimit_ > 0) {
            --readLimit_;
            return static_cast<unsigned char>(buffer_[position_++]);
        }
        return refillAndGetByte();
    }

    // Gives back the byte the last getByte() returned; the next getByte()
    // returns it again.
    void ungetByte(int byte);

    // The bytes that can be taken next without another read of the file,
    // within the reading limit; the next block is read first when none are
    // left. Empty at the end of the file or of the reading limit, or when the
    // read fails. Valid until the stream is next used.
    std::string_view bufferedBytes();

    // Passes over the first `count` bytes that bufferedBytes() returned.
    void skipBytes(std::size_t count) {
        position_ += count;
        readLimit_ -= count;
    }

    // Reads up to `size` bytes; returns how many were read.
    std::size_t read(void* data, std::size_t size);

    // Positions the stream at `offset` bytes from the start of the file and
    // lifts the reading limit. Not an operation of the file: the next read
    // names the offset it reads at.
    void seek(std::uint64_t offset);

    // The file's length in bytes when it was opened: it is the file the
    // program reads, and nothing else writes it meanwhile. Of a file opened
    // to look at, where a read met its end (a read of a regular file comes
    // back short only there), or else as the system tells it now.
    std::uint64_t length();

    // From the current position, lets at most `count` more bytes be read;
    // no read of the file goes past them.
    void limitReading(std::uint64_t count) { readLimit_ = count; }

    bool failed() const { return failed_; }

    // Lets go of the buffer, so that a stream kept open for later holds no
    // memory meanwhile; it reads again from where it is positioned next.
    void releaseBuffer() {
        buffer_.reset();
        position_ = filled_ = 0;
        endBuffered_ = false;
    }

    // Closes; false when that or any earlier read failed.
    bool close();

  private:
    int refillAndGetByte();
    bool fill();
    const OpenedFileFacts& facts(); // identifies a file opened to look at, once

    FileForReading file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    std::uint64_t bufferOffset_ = 0; // where in the file the buffered bytes begin
    OpenedFileFacts facts_;
    std::uint64_t readLimit_ = std::numeric_limits<std::uint64_t>::max();
    bool endBuffered_ = false;               // the buffered bytes run to the end of the file
    std::optional<std::uint64_t> lengthMet_; // where a read met the end, while not identified
    bool failed_ = false;
};

class FileWriter {
  public:
    // The most that one write of the buffer takes. The buffer starts at
    // firstBufferSize and doubles each time it is written full, up to
    // bufferSize: a file of a few KiB is written from a small buffer. A
    // block at least as large as the buffer is written as it is given.
    static constexpr std::size_t bufferSize = PLATELIER_STREAM_BUFFER_SIZE;
    static constexpr std::size_t firstBufferSize = 16 * 1024;

    // How many bytes a stream writes between two requests to the system to
    // start writing them out to the disk (see startWritingOut).
    static constexpr std::uint64_t writeOutInterval = 8 * 1024 * 1024;

    // A file smaller than this is left to the system to write out in its own
    // time. Asking for it costs a request to the device for each file,
    // more than writing a master of a few KiB; the price is that a power cut
    // in the half-minute before the system writes it out may find such a
    // file empty (a master's backup holds its bytes all the same).
    static constexpr std::uint64_t smallFileSize = 64 * 1024;

    // Creates a new file with a name of its own in `folder` and opens it
    // (see FileForWriting::create); path() names it. Every file the program
    // writes is new: emptying an existing one would make ext4 wait for the
    // device at close.
    static FileWriter create(const std::string& folder, const FileOwnership& like);

    explicit operator bool() const { return static_cast<bool>(file_); }

    const std::string& path() const { return path_; }

    // False when the bytes could not be written.
    bool write(const void* data, std::size_t size);
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }

    // Writes what is buffered, then positions the stream at `offset` bytes
    // from the start of the file.
    bool seek(std::uint64_t offset);

    bool failed() const { return failed_; }

    // Writes what is buffered, asks the system to start writing out to the
    // disk what it was not asked for yet (unless the file is small), and
    // closes; false when that or any earlier write failed.
    bool close();

  private:
    bool flush();
    void growBuffer();
    bool writeOut(const char* bytes, std::size_t size); // one write of the file

    FileForWriting file_;
    std::string path_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t filled_ = 0;
    std::uint64_t notWrittenOut_ = 0;
    std::uint64_t written_ = 0;
    bool failed_ = false;
};

} // namespace platelier
