// Buffered binary streams over the C library's files. The C library's own
// buffering is turned off: these buffers take its place, one file operation
// per block.
#include "app/platform/file_stream.h"

#include "app/platform/file_faults.h"
#include "app/platform/files.h"

#include <algorithm>
#include <cstring>

namespace platelier {

namespace {

constexpr std::size_t bufferSize = 64 * 1024;

} // namespace

FileStream FileStream::open(const std::string& path, const char* mode) {
    FileStream stream;
    if (fileOperationFails(FileOperation::open)) {
        return stream;
    }
    stream.file_.reset(std::fopen(path.c_str(), mode));
    if (stream.file_) {
        std::setvbuf(stream.file_.get(), nullptr, _IONBF, 0);
    }
    return stream;
}

int FileStream::refillAndGetByte() {
    if (readLimit_ == 0 || failed_) {
        return endOfFile;
    }
    input_.resize(bufferSize);
    position_ = 0;
    filled_ = 0;
    if (fileOperationFails(FileOperation::read)) {
        failed_ = true;
        return endOfFile;
    }
    filled_ = std::fread(input_.data(), 1, input_.size(), file_.get());
    if (filled_ == 0) {
        failed_ = std::ferror(file_.get()) != 0;
        return endOfFile;
    }
    --readLimit_;
    return static_cast<unsigned char>(input_[position_++]);
}

void FileStream::ungetByte(int byte) {
    if (byte != endOfFile && position_ > 0) {
        --position_;
        ++readLimit_;
    }
}

std::size_t FileStream::read(void* data, std::size_t size) {
    auto* bytes = static_cast<unsigned char*>(data);
    std::size_t count = 0;
    while (count < size) {
        const int byte = getByte();
        if (byte == endOfFile) {
            break;
        }
        const std::size_t run = static_cast<std::size_t>(
            std::min<std::uint64_t>({size - count - 1, filled_ - position_, readLimit_}));
        bytes[count++] = static_cast<unsigned char>(byte);
        std::memcpy(bytes + count, input_.data() + position_, run);
        position_ += run;
        readLimit_ -= run;
        count += run;
    }
    return count;
}

bool FileStream::write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0 && !failed_) {
        const std::size_t run = std::min(size, bufferSize - output_.size());
        output_.insert(output_.end(), bytes, bytes + run);
        bytes += run;
        size -= run;
        if (output_.size() == bufferSize) {
            flushOutput();
        }
    }
    return !failed_;
}

bool FileStream::flushOutput() {
    if (output_.empty() || failed_) {
        output_.clear();
        return !failed_;
    }
    if (fileOperationFails(FileOperation::write) ||
        std::fwrite(output_.data(), 1, output_.size(), file_.get()) != output_.size()) {
        failed_ = true;
    }
    output_.clear();
    return !failed_;
}

bool FileStream::seek(std::uint64_t offset) {
    position_ = 0;
    filled_ = 0;
    readLimit_ = std::numeric_limits<std::uint64_t>::max();
    if (!flushOutput() || fileOperationFails(FileOperation::seek)) {
        return false;
    }
    return seekStream(file_.get(), offset);
}

std::optional<std::uint64_t> FileStream::length() {
    if (!flushOutput() || fileOperationFails(FileOperation::query)) {
        return std::nullopt;
    }
    return streamLength(file_.get());
}

bool FileStream::close() {
    if (!file_) {
        return false;
    }
    const bool flushed = flushOutput();
    std::FILE* file = file_.release();
    const bool injectedFailure = fileOperationFails(FileOperation::close);
    const bool closed = std::fclose(file) == 0 && !injectedFailure;
    return flushed && closed && !failed_;
}

} // namespace platelier
