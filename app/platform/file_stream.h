// Buffered binary streams over files: how the program reads and writes the
// bytes of master files. Closing is part of the stream's life; a stream that
// goes out of scope still open is closed without a report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace platelier {

class FileStream {
  public:
    static constexpr int endOfFile = EOF;

    // Opens `path` with a C mode string ("rb", "r+b", "w+b"); the result is
    // false in a boolean context when the file could not be opened.
    static FileStream open(const std::string& path, const char* mode);

    explicit operator bool() const { return file_ != nullptr; }

    // The next byte (0-255), or endOfFile at the end of the file or when the
    // read fails.
    int getByte();

    // Pushes one byte back, returned by the next getByte().
    void ungetByte(int byte);

    // Reads up to `size` bytes; returns how many were read.
    std::size_t read(void* data, std::size_t size);

    // Writes `size` bytes; false when not all of them could be written.
    bool write(const void* data, std::size_t size);

    // Positions the stream at `offset` bytes from the start of the file.
    bool seek(std::uint64_t offset);

    // Flushes and closes; false when either failed.
    bool close();

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

} // namespace platelier
