// Where the rewriter writes a new master: into a file, or nowhere when a
// rewrite is run only for its checks and refusals (a dry run), which then
// reads the master through the very code that writes it.
#pragma once

#include "platform/file_stream.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platelier {

class ByteSink {
  public:
    virtual ~ByteSink() = default;

    // False when the bytes could not be written.
    virtual bool write(const void* data, std::size_t size) = 0;
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }

    // Positions the writing at `offset` bytes from the start.
    virtual bool seek(std::uint64_t offset) = 0;
};

// The bytes go to an open file.
class FileSink final : public ByteSink {
  public:
    explicit FileSink(FileWriter& file) : file_(file) {}

    using ByteSink::write;
    bool write(const void* data, std::size_t size) override { return file_.write(data, size); }
    bool seek(std::uint64_t offset) override { return file_.seek(offset); }

  private:
    FileWriter& file_;
};

// The bytes go nowhere, and every write succeeds.
class DiscardingSink final : public ByteSink {
  public:
    using ByteSink::write;
    bool write(const void*, std::size_t) override { return true; }
    bool seek(std::uint64_t) override { return true; }
};

} // namespace platelier
