// Buffered binary streams over files: how the program reads and writes the
// bytes of master files. The stream keeps its own buffers, so that each read
// or write that reaches the file is one operation of the file layer, and it
// remembers whether any of them failed. A stream that goes out of scope still
// open is closed without a report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platelier {

class FileStream {
  public:
    static constexpr int endOfFile = EOF;

    // The size of the stream's buffers: the most that one read or one write
    // of the file takes.
    static constexpr std::size_t bufferSize = 256 * 1024;

    // How many bytes a stream writes between two requests to the system to
    // start writing them out to the disk (see startWritingOut).
    static constexpr std::uint64_t writeOutInterval = 8 * 1024 * 1024;

    // Opens `path` with a C mode string ("rb", "w+b"); the result is false
    // in a boolean context when the file could not be opened.
    static FileStream open(const std::string& path, const char* mode);

    explicit operator bool() const { return file_ != nullptr; }

    // The next byte (0-255), or endOfFile at the end of the file, at the end
    // of the reading limit, or when the read fails (then failed() is true).
    int getByte() {
        if (position_ < filled_ && readLimit_ > 0) {
            --readLimit_;
            return static_cast<unsigned char>(input_[position_++]);
        }
        return refillAndGetByte();
    }

    // Gives back the byte the last getByte() returned; the next getByte()
    // returns it again.
    void ungetByte(int byte);

    // Appends to `bytes` the next bytes up to and including the first CR or
    // LF, at most `maxCount` of them; fewer at the end of the file or of the
    // reading limit, or when a read fails. True when the last byte appended
    // is that CR or LF.
    bool appendUpToLineEnd(std::string& bytes, std::size_t maxCount);

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

    // Writes `size` bytes; false when they could not be written.
    bool write(const void* data, std::size_t size);
    bool write(const std::string& bytes) { return write(bytes.data(), bytes.size()); }

    // Positions the stream at `offset` bytes from the start of the file and
    // lifts the reading limit.
    bool seek(std::uint64_t offset);

    // The file's length in bytes, including what is still buffered for it.
    std::optional<std::uint64_t> length();

    // From the current position, lets at most `count` more bytes be read.
    void limitReading(std::uint64_t count) { readLimit_ = count; }

    // True once a read or a write has failed.
    bool failed() const { return failed_; }

    // Writes what is buffered and closes; false when that or any earlier
    // read or write failed.
    bool close();

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    int refillAndGetByte();
    bool fillInput();
    bool flushOutput();

    std::unique_ptr<std::FILE, Closer> file_;
    std::unique_ptr<char[]> input_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    std::unique_ptr<char[]> output_;
    std::size_t outputFilled_ = 0;
    std::uint64_t notWrittenOut_ = 0;
    std::uint64_t readLimit_ = std::numeric_limits<std::uint64_t>::max();
    bool failed_ = false;
};

} // namespace platelier
