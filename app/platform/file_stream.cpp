// Buffered binary streams over the C library's files. The C library's own
// buffering is turned off: these buffers take its place, one file operation
// per block.
#include "app/platform/file_stream.h"

#include "app/platform/file_faults.h"
#include "app/platform/files.h"

#include <algorithm>
#include <cstring>

namespace platelier {

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

// Makes at least one byte readable at `position_`, reading the next block
// when the buffer is used up; false at the end of the file or of the
// reading limit, or after a failure.
bool FileStream::fillInput() {
    if (readLimit_ == 0) {
        return false;
    }
    if (position_ < filled_) {
        return true;
    }
    if (failed_) {
        return false;
    }
    if (!input_) {
        // Not zeroed: only the bytes read into it are ever used.
        input_ = std::unique_ptr<char[]>(new char[bufferSize]);
    }
    position_ = 0;
    filled_ = 0;
    if (fileOperationFails(FileOperation::read)) {
        failed_ = true;
        return false;
    }
    filled_ = std::fread(input_.get(), 1, bufferSize, file_.get());
    if (filled_ == 0) {
        failed_ = std::ferror(file_.get()) != 0;
        return false;
    }
    return true;
}

int FileStream::refillAndGetByte() {
    if (!fillInput()) {
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

// Each pass looks at what the buffer holds (within both limits) with two
// memchr calls: for LF first, then for CR before it.
bool FileStream::appendUpToLineEnd(std::string& bytes, std::size_t maxCount) {
    while (maxCount > 0 && fillInput()) {
        const char* start = input_.get() + position_;
        const auto available = static_cast<std::size_t>(
            std::min<std::uint64_t>({filled_ - position_, readLimit_, maxCount}));
        const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', available));
        const std::size_t beforeLineFeed =
            lineFeed ? static_cast<std::size_t>(lineFeed - start) : available;
        const auto* carriageReturn =
            static_cast<const char*>(std::memchr(start, '\r', beforeLineFeed));
        const char* lineEnd = carriageReturn ? carriageReturn : lineFeed;
        const std::size_t run = lineEnd ? static_cast<std::size_t>(lineEnd - start) + 1 : available;
        bytes.append(start, run);
        position_ += run;
        readLimit_ -= run;
        maxCount -= run;
        if (lineEnd) {
            return true;
        }
    }
    return false;
}

std::string_view FileStream::bufferedBytes() {
    if (!fillInput()) {
        return {};
    }
    return {input_.get() + position_,
            static_cast<std::size_t>(std::min<std::uint64_t>(filled_ - position_, readLimit_))};
}

std::size_t FileStream::read(void* data, std::size_t size) {
    auto* destination = static_cast<char*>(data);
    std::size_t count = 0;
    for (std::string_view bytes; count < size && !(bytes = bufferedBytes()).empty();) {
        const std::size_t run = std::min(size - count, bytes.size());
        std::memcpy(destination + count, bytes.data(), run);
        skipBytes(run);
        count += run;
    }
    return count;
}

bool FileStream::write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0 && !failed_) {
        if (!output_) {
            output_ = std::unique_ptr<char[]>(new char[bufferSize]);
        }
        const std::size_t run = std::min(size, bufferSize - outputFilled_);
        std::memcpy(output_.get() + outputFilled_, bytes, run);
        outputFilled_ += run;
        bytes += run;
        size -= run;
        if (outputFilled_ == bufferSize) {
            flushOutput();
        }
    }
    return !failed_;
}

bool FileStream::flushOutput() {
    if (outputFilled_ == 0 || failed_) {
        outputFilled_ = 0;
        return !failed_;
    }
    if (fileOperationFails(FileOperation::write) ||
        std::fwrite(output_.get(), 1, outputFilled_, file_.get()) != outputFilled_) {
        failed_ = true;
    }
    notWrittenOut_ += outputFilled_;
    outputFilled_ = 0;
    if (notWrittenOut_ >= writeOutInterval && !failed_) {
        startWritingOut(file_.get());
        notWrittenOut_ = 0;
    }
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
