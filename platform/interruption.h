// Removal of the temporary files the program is writing when it is
// interrupted: by Ctrl+C, by the end of its terminal or console window, or
// asked to end. A rewrite writes the new master beside the old one first:
// without this, an interrupted rewrite of a large master would leave that
// file in the user's folder. The console program asks for it at its start.
#pragma once

#include <string>

namespace platelier {

// Makes an interruption remove the files that TemporaryFileGuards hold, then
// end the program as the interruption would have. A signal that the program
// was started ignoring (nohup, a background job) stays ignored.
void removeTemporaryFilesOnInterrupt();

// Holds the path of a temporary file while the guard lives, for an
// interruption to remove: from the file's creation until it is removed or
// takes another name (then nothing is found under its own). At most four
// paths are held at once, each shorter than 4096 bytes; another is not held.
class TemporaryFileGuard {
  public:
    explicit TemporaryFileGuard(const std::string& path);
    ~TemporaryFileGuard();
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

  private:
    int slot_ = -1;
};

namespace detail {

// Removes each held file with `remove`: what the platform's handler of
// interruptions calls. It uses nothing but lock-free atomics, so a signal
// handler may call it when `remove` is safe in one.
void removeHeldTemporaryFiles(void (*remove)(const char* path));

} // namespace detail

} // namespace platelier
