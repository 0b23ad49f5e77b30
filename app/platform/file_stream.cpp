// Buffered binary streams over the C library's files.
#include "app/platform/file_stream.h"

#include "app/platform/files.h"

namespace platelier {

FileStream FileStream::open(const std::string& path, const char* mode) {
    FileStream stream;
    stream.file_.reset(std::fopen(path.c_str(), mode));
    return stream;
}

int FileStream::getByte() {
    return std::getc(file_.get());
}

void FileStream::ungetByte(int byte) {
    std::ungetc(byte, file_.get());
}

std::size_t FileStream::read(void* data, std::size_t size) {
    return std::fread(data, 1, size, file_.get());
}

bool FileStream::write(const void* data, std::size_t size) {
    return std::fwrite(data, 1, size, file_.get()) == size;
}

bool FileStream::seek(std::uint64_t offset) {
    return seekStream(file_.get(), offset);
}

bool FileStream::close() {
    std::FILE* file = file_.release();
    if (file == nullptr) {
        return false;
    }
    const bool flushed = std::fflush(file) == 0;
    return std::fclose(file) == 0 && flushed;
}

} // namespace platelier
