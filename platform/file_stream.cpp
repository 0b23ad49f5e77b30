// Buffered binary streams over the system's own reads and writes: these
// buffers are the only ones, one file operation per block.
#include "platform/file_stream.h"

#include "platform/file_faults.h"

#include <algorithm>
#include <cstring>

namespace platelier {

namespace {

// Not zeroed: only the bytes read or written into it are ever used.
std::unique_ptr<char[]> newBuffer(std::size_t size) {
    return std::unique_ptr<char[]>(new char[size]);
}

} // namespace

FileReader FileReader::open(const std::string& path, ReadingFor purpose) {
    FileReader reader;
    if (fileOperationFails(FileOperation::open)) {
        return reader;
    }
    reader.file_ = FileForReading::open(path, reader.facts_, purpose);
    if (reader.file_ && purpose == ReadingFor::rewriting &&
        fileOperationFails(FileOperation::lock)) {
        reader.file_.close();
        reader.facts_.inUse = true;
    }
    return reader;
}

FileReader FileReader::ofStart(std::unique_ptr<char[]> bytes, std::size_t size, bool whole) {
    FileReader reader;
    reader.buffer_ = std::move(bytes);
    reader.capacity_ = reader.filled_ = size;
    reader.endBuffered_ = whole;
    reader.facts_.identity.size = whole ? size : std::numeric_limits<std::uint64_t>::max();
    return reader;
}

// Makes at least one byte readable at `position_`, reading the next block
// when the buffer is used up; false at the end of the file or of the
// reading limit, or after a failure.
bool FileReader::fill() {
    if (readLimit_ == 0) {
        return false;
    }
    if (position_ < filled_) {
        return true;
    }
    if (failed_ || endBuffered_) {
        return false;
    }
    if (!buffer_) {
        // A file not identified has no length: it gets the reading's limit,
        // or a small buffer where nothing limits it (a master that check
        // looks at is mostly read no further than its first few KiB).
        const bool limited = readLimit_ != std::numeric_limits<std::uint64_t>::max();
        const std::uint64_t wanted = facts_.identified
                                         ? std::min(facts_.identity.size, readLimit_) + 1
                                     : limited ? readLimit_ + 1
                                               : smallBufferSize;
        capacity_ = static_cast<std::size_t>(
            std::min<std::uint64_t>(bufferSize, std::max<std::uint64_t>(wanted, smallBufferSize)));
        buffer_ = newBuffer(capacity_);
    }
    bufferOffset_ += filled_;
    position_ = 0;
    filled_ = 0;
    if (fileOperationFails(FileOperation::read)) {
        failed_ = true;
        return false;
    }
    // No more than the limit lets be read: a caller that looks at a few KiB of
    // a large file reads only those.
    const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(capacity_, readLimit_));
    const std::optional<std::size_t> count = file_.read(bufferOffset_, buffer_.get(), size);
    failed_ = !count;
    filled_ = count.value_or(0);
    countBytesRead(filled_);
    // A read that comes back short at the length the file had when it was
    // opened has met the file's end: another would only say so, and a check
    // of many small files would make twice the reads it needs. A file opened
    // to look at has no length yet: any short read ends it.
    const std::uint64_t end = bufferOffset_ + filled_;
    endBuffered_ = filled_ < size && (!facts_.identified || end >= facts_.identity.size);
    if (endBuffered_ && !facts_.identified) {
        lengthMet_ = end;
    }
    return filled_ > 0;
}

// Identifying a file opened to look at is a query of the file layer: the
// opening before it was counted as one operation, as every opening is.
const OpenedFileFacts& FileReader::facts() {
    if (!facts_.identified && file_ &&
        (fileOperationFails(FileOperation::query) || !file_.identify(facts_))) {
        failed_ = true;
    }
    return facts_;
}

std::uint64_t FileReader::length() {
    return lengthMet_ && !facts_.identified ? *lengthMet_ : facts().identity.size;
}

int FileReader::refillAndGetByte() {
    if (!fill()) {
        return endOfFile;
    }
    --readLimit_;
    return static_cast<unsigned char>(buffer_[position_++]);
}

void FileReader::ungetByte(int byte) {
    if (byte != endOfFile && position_ > 0) {
        --position_;
        ++readLimit_;
    }
}

std::string_view FileReader::bufferedBytes() {
    if (!fill()) {
        return {};
    }
    return {buffer_.get() + position_,
            static_cast<std::size_t>(std::min<std::uint64_t>(filled_ - position_, readLimit_))};
}

std::size_t FileReader::read(void* data, std::size_t size) {
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

// A position among the bytes buffered is reached without asking the file:
// a reader that looks at a file's start twice reads it once. Any other is
// where the next read reads.
void FileReader::seek(std::uint64_t offset) {
    readLimit_ = std::numeric_limits<std::uint64_t>::max();
    if (offset >= bufferOffset_ && offset - bufferOffset_ <= filled_) {
        position_ = static_cast<std::size_t>(offset - bufferOffset_);
        return;
    }
    position_ = filled_ = 0;
    bufferOffset_ = offset;
    endBuffered_ = false;
}

bool FileReader::close() {
    if (!file_) {
        return false;
    }
    const bool injectedFailure = fileOperationFails(FileOperation::close);
    return file_.close() && !injectedFailure && !failed_;
}

FileWriter FileWriter::create(const std::string& folder, const FileOwnership& like) {
    FileWriter writer;
    if (!fileOperationFails(FileOperation::create)) {
        writer.file_ = FileForWriting::create(folder, like, writer.path_);
    }
    return writer;
}

// A block no smaller than the buffer is written from where it stands, after
// what is buffered: the image data that a rewrite passes through is never
// copied into the buffer.
bool FileWriter::write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    if (size >= (buffer_ ? capacity_ : std::min(bufferSize, firstBufferSize))) {
        return flush() && writeOut(bytes, size);
    }
    while (size > 0 && !failed_) {
        if (!buffer_) {
            capacity_ = std::min(bufferSize, firstBufferSize);
            buffer_ = newBuffer(capacity_);
        }
        const std::size_t run = std::min(size, capacity_ - filled_);
        std::memcpy(buffer_.get() + filled_, bytes, run);
        filled_ += run;
        bytes += run;
        size -= run;
        if (filled_ == capacity_) {
            flush();
            growBuffer();
        }
    }
    return !failed_;
}

// Called with the buffer just written out, so that nothing is copied.
void FileWriter::growBuffer() {
    if (capacity_ < bufferSize) {
        capacity_ = std::min(bufferSize, capacity_ * 2);
        buffer_ = newBuffer(capacity_);
    }
}

bool FileWriter::flush() {
    const std::size_t count = filled_;
    filled_ = 0;
    return failed_ || count == 0 ? !failed_ : writeOut(buffer_.get(), count);
}

bool FileWriter::writeOut(const char* bytes, std::size_t size) {
    if (fileOperationFails(FileOperation::write) || !file_.write(bytes, size)) {
        failed_ = true;
    }
    notWrittenOut_ += size;
    written_ += size;
    if (notWrittenOut_ >= writeOutInterval && !failed_) {
        file_.startWritingOut();
        notWrittenOut_ = 0;
    }
    return !failed_;
}

bool FileWriter::seek(std::uint64_t offset) {
    return flush() && !fileOperationFails(FileOperation::seek) && file_.seek(offset);
}

bool FileWriter::close() {
    if (!file_) {
        return false;
    }
    const bool flushed = flush();
    if (notWrittenOut_ > 0 && written_ >= smallFileSize && !failed_) {
        file_.startWritingOut();
    }
    const bool injectedFailure = fileOperationFails(FileOperation::close);
    return file_.close() && !injectedFailure && flushed && !failed_;
}

} // namespace platelier
