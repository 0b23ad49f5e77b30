// Synthetic masters and folders for the benchmark. The bytes come from a
// xorshift generator with fixed seeds and are written in large blocks.
#include "synthetic_files.h"

#include <cstdio>
#include <memory>

namespace platelier::bench {

const PlateNames originalNames = {"pic.C", "pic.M", "pic.J", "pic.N"};
const PlateNames newNames = {"new.C", "new.M", "new.J", "new.N"};

namespace {

constexpr std::uint64_t headerSize = 30;

class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }

  private:
    std::uint64_t state_;
};

// A file written through a 1 MiB block of its own.
class BlockWriter {
  public:
    explicit BlockWriter(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
        block_.reserve(blockSize + 4096);
    }

    void add(const std::string& text) {
        block_ += text;
        flushWhenFull();
    }

    void add(char byte) {
        block_ += byte;
        flushWhenFull();
    }

    void addLittleEndian32(std::uint64_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            add(static_cast<char>(value >> shift & 0xFF));
        }
    }

    bool close() {
        flush();
        return file_ && !failed_ && std::fclose(file_.release()) == 0;
    }

  private:
    static constexpr std::size_t blockSize = 1 << 20;

    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void flushWhenFull() {
        if (block_.size() >= blockSize) {
            flush();
        }
    }

    void flush() {
        if (file_ && std::fwrite(block_.data(), 1, block_.size(), file_.get()) != block_.size()) {
            failed_ = true;
        }
        block_.clear();
    }

    std::unique_ptr<std::FILE, Closer> file_;
    std::string block_;
    bool failed_ = false;
};

std::string plateBlock(const PlateNames& names) {
    return "%%CyanPlate: " + names[cyan] + "\r\n%%MagentaPlate: " + names[magenta] +
           "\r\n%%YellowPlate: " + names[yellow] + "\r\n%%BlackPlate: " + names[black] + "\r\n";
}

std::string postScriptHead() {
    return "%!PS-Adobe-3.0 EPSF-3.0\r\n"
           "%%Creator: Platelier benchmark\r\n"
           "%%Title: Synthetic master\r\n"
           "%%CreationDate: 1 January 2000\r\n"
           "%%BoundingBox: 0 0 595 842\r\n"
           "%%HiResBoundingBox: 0 0 595.2756 841.8898\r\n"
           "%%DocumentProcessColors: Cyan Magenta Yellow Black\r\n"
           "%%SuppressDotGainCompensation\r\n" +
           plateBlock(originalNames) +
           "%%EndComments\r\n"
           "%%BeginProlog\r\n"
           "%%EndProlog\r\n"
           "%%Page: 1 1\r\n"
           "%ImageData: 2480 3508 8 4 0 1240 2 \"beginimage\"\r\n"
           "%%BeginData: Hex Bytes\r\n";
}

const std::string postScriptTail = "%%EndData\r\n%%PageTrailer\r\n%%Trailer\r\n%%EOF\r\n";

// Rows of hexadecimal digits filling exactly `count` bytes (at least 3).
// Their lengths vary from 200 to 1199 digits, so that line ends fall at
// every offset of the reader's blocks and most rows come in several pieces.
void addHexRows(BlockWriter& writer, std::uint64_t count) {
    static const char digits[] = "0123456789ABCDEF";
    Random random(0x9E3779B97F4A7C15u);
    std::string row;
    for (std::uint64_t index = 0; count > 0; ++index) {
        std::uint64_t length = 200 + index * 397 % 1000;
        if (length + 2 + 3 > count) {
            length = count - 2;
        }
        row.clear();
        for (std::uint64_t at = 0; at < length; at += 16) {
            std::uint64_t bits = random.next();
            for (std::uint64_t digit = at; digit < length && digit < at + 16; ++digit) {
                row += digits[bits & 15];
                bits >>= 4;
            }
        }
        row += "\r\n";
        writer.add(row);
        count -= length + 2;
    }
}

// A little-endian TIFF header and pseudo-random bytes: every byte value
// occurs, CR and LF included.
void addTiffPreview(BlockWriter& writer, std::uint64_t count) {
    writer.add(std::string("II*\0", 4));
    writer.addLittleEndian32(8);
    Random random(0xD1B54A32D192ED03u);
    for (std::uint64_t at = 8; at < count; ++at) {
        writer.add(static_cast<char>(random.next() & 0xFF));
    }
}

} // namespace

bool writeSyntheticMaster(const std::string& path, std::uint64_t size) {
    const std::string head = postScriptHead();
    const std::uint64_t tiffLength = size / 8;
    const std::uint64_t postScriptLength = size - headerSize - tiffLength;
    BlockWriter writer(path);
    writer.addLittleEndian32(0xC6D3D0C5u);
    writer.addLittleEndian32(headerSize);
    writer.addLittleEndian32(postScriptLength);
    writer.addLittleEndian32(0);
    writer.addLittleEndian32(0);
    writer.addLittleEndian32(headerSize + postScriptLength);
    writer.addLittleEndian32(tiffLength);
    writer.add("\xff\xff");
    writer.add(head);
    addHexRows(writer, postScriptLength - head.size() - postScriptTail.size());
    writer.add(postScriptTail);
    addTiffPreview(writer, tiffLength);
    return writer.close();
}

bool writeCommentHeavyMaster(const std::string& path, std::uint64_t commentBytes) {
    BlockWriter writer(path);
    writer.add("%!PS-Adobe-3.0 EPSF-3.0\r\n%%Title: Plate block far down\r\n");
    std::string line;
    for (std::uint64_t index = 0, written = 0; written < commentBytes; ++index) {
        line = "%%+ comment " + std::to_string(index) + ' ' + std::string(index * 13 % 50, '-') +
               "\r\n";
        writer.add(line);
        written += line.size();
    }
    writer.add(plateBlock(originalNames) + "%%EndComments\r\n%%EOF\r\n");
    return writer.close();
}

bool fillFolder(const std::string& folder, int count) {
    const char* const formats[] = {"IMAGE-%06d.CMYK", "scan%06d.C", "IMAGE-%06d.EPS",
                                   "photo%06d.tif"};
    const char* const fileset[] = {"IMAGE.EPS", "IMAGE.C", "IMAGE.M", "IMAGE.J", "IMAGE.N"};
    bool created = true;
    for (int index = 0; index < count; ++index) {
        char name[32];
        if (index < 5) {
            std::snprintf(name, sizeof name, "%s", fileset[index]);
        } else {
            std::snprintf(name, sizeof name, formats[index % 4], index);
        }
        std::FILE* file = std::fopen((folder + '/' + name).c_str(), "wb");
        created = file != nullptr && std::fclose(file) == 0 && created;
    }
    return created;
}

} // namespace platelier::bench
