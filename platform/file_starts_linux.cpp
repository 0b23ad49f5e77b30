// Files' starts read in batches through io_uring: the openings of a batch
// in one call, then its reads and closings in another, where each file
// would take three calls of its own. A system that refuses io_uring (a
// kernel without it, or a container that forbids it) gets the files read
// one by one.
#include "platform/file_starts.h"

#include "platform/file_faults.h"

#include <cerrno>
#include <fcntl.h>
#include <liburing.h>
#include <utility>

namespace platelier {

namespace {

// The most files in one batch: each takes two entries of the ring at once.
constexpr unsigned batchFiles = 32;

// Which of a file's entries a completion is for, beside the file's place.
constexpr std::uint64_t closing = std::uint64_t(1) << 32;

// One ring for each thread that reads, made at its first batch. A ring that
// failed once is not used again: what it leaves open is left so (at most a
// batch of descriptors), since closing a descriptor the kernel may have
// closed already could close another thread's file.
class Ring {
  public:
    Ring() : made_(io_uring_queue_init(batchFiles * 2, &ring_, 0) == 0), usable_(made_) {}
    ~Ring() {
        if (made_) {
            io_uring_queue_exit(&ring_);
        }
    }
    Ring(const Ring&) = delete;
    Ring& operator=(const Ring&) = delete;

    bool usable() const { return usable_; }

    io_uring_sqe* entry(std::uint64_t data) {
        io_uring_sqe* entry = io_uring_get_sqe(&ring_);
        io_uring_sqe_set_data64(entry, data);
        ++prepared_;
        return entry;
    }

    // Submits what was prepared and hands each completion's data and
    // result to `take`; false, and the ring given up, when it fails.
    template <class Take> bool complete(Take take) {
        const unsigned entries = std::exchange(prepared_, 0U);
        int submitted = 0;
        do {
            submitted = io_uring_submit_and_wait(&ring_, entries);
        } while (submitted == -EINTR);
        usable_ = submitted == static_cast<int>(entries);
        for (unsigned done = 0; usable_ && done < entries; ++done) {
            io_uring_cqe* completion = nullptr;
            int waited = 0;
            do {
                waited = io_uring_wait_cqe(&ring_, &completion);
            } while (waited == -EINTR);
            usable_ = waited == 0;
            if (usable_) {
                take(io_uring_cqe_get_data64(completion), completion->res);
                io_uring_cqe_seen(&ring_, completion);
            }
        }
        return usable_;
    }

  private:
    io_uring ring_{};
    unsigned prepared_ = 0;
    const bool made_;
    bool usable_;
};

// Reads the starts of the files of [first, first + count) into `starts`.
bool readBatch(Ring& ring, const std::vector<std::string>& paths, std::size_t first,
               std::size_t count, std::size_t most, std::vector<FileStart>& starts) {
    for (std::size_t at = first; at < first + count; ++at) {
        if (!fileOperationFails(FileOperation::open)) {
            io_uring_prep_openat(ring.entry(at), AT_FDCWD, paths[at].c_str(),
                                 O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
        }
    }
    std::vector<std::pair<std::size_t, int>> opened;
    if (!ring.complete([&](std::uint64_t at, int result) {
            if (result >= 0) {
                opened.emplace_back(at, result);
            }
        })) {
        return false;
    }
    for (const auto& [at, descriptor] : opened) {
        if (!fileOperationFails(FileOperation::read)) {
            starts[at].bytes.reset(new char[most]);
            io_uring_sqe* read = ring.entry(at);
            io_uring_prep_read(read, descriptor, starts[at].bytes.get(),
                               static_cast<unsigned>(most), 0);
            // The file is closed whatever its read gave.
            read->flags |= IOSQE_IO_HARDLINK;
        }
        io_uring_prep_close(ring.entry(at | closing), descriptor);
    }
    return ring.complete([&](std::uint64_t data, int result) {
        FileStart& start = starts[data & (closing - 1)];
        if ((data & closing) == 0 && result >= 0) {
            start.size = static_cast<std::size_t>(result);
            start.whole = start.size < most;
            countBytesRead(start.size);
        }
    });
}

} // namespace

std::vector<FileStart> readFileStarts(const std::vector<std::string>& paths, std::size_t most) {
    thread_local Ring ring;
    if (!ring.usable()) {
        return readFileStartsOneByOne(paths, most);
    }
    std::vector<FileStart> starts(paths.size());
    for (std::size_t first = 0; first < paths.size(); first += batchFiles) {
        const std::size_t count = std::min<std::size_t>(batchFiles, paths.size() - first);
        if (!readBatch(ring, paths, first, count, most, starts)) {
            // What the batch read is dropped; each file's own reading reads it.
            for (std::size_t at = first; at < paths.size(); ++at) {
                starts[at] = FileStart();
            }
            break;
        }
    }
    return starts;
}

} // namespace platelier
