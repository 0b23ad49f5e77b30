// What an interruption does before the program ends: by Ctrl+C, by the end
// of its terminal or console window, or asked to end. A rewrite writes the
// new master beside the old one first, and "Save all changes" renames the
// separation files before it rewrites the master: interrupted, the program
// removes the temporary file it was writing and gives every renamed file its
// name back, so that a fileset is never left half-changed. What must not be
// cut in two (the new master taking the old one's place, a rename and the
// note that undoes it) runs as an uninterrupted step, after which a pending
// interruption takes effect. The console program asks for all this at its
// start.
#pragma once

#include <string>

namespace platelier {

// Makes an interruption undo what the guards below hold, then end the
// program as the interruption would have. A signal that the program was
// started ignoring (nohup, a background job) stays ignored.
void undoOnInterrupt();

// Holds the path of a temporary file while the guard lives, for an
// interruption to remove: from the file's creation until it is removed or
// takes another name (then nothing is found under its own).
class TemporaryFileGuard {
  public:
    explicit TemporaryFileGuard(const std::string& path);
    ~TemporaryFileGuard();
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

  private:
    int slot_ = -1;
};

// Holds a rename from `from` to `to` that an interruption undoes, while the
// guard lives: renames are given back the last first, before temporary
// files are removed. Made right after the rename, in the same uninterrupted
// step.
class RenameGuard {
  public:
    RenameGuard(const std::string& from, const std::string& to);
    ~RenameGuard();
    RenameGuard(RenameGuard&& other) noexcept : slot_(other.slot_) { other.slot_ = -1; }
    RenameGuard& operator=(RenameGuard&&) = delete;
    RenameGuard(const RenameGuard&) = delete;
    RenameGuard& operator=(const RenameGuard&) = delete;

  private:
    int slot_ = -1;
};

// While it lives, an interruption waits, and takes effect when the last
// step ends. On POSIX systems the handler notes the signal for the step's
// end; on Win32, where the system runs the handler on a thread of its own,
// the handler waits.
class UninterruptedStep {
  public:
    UninterruptedStep();
    ~UninterruptedStep();
    UninterruptedStep(const UninterruptedStep&) = delete;
    UninterruptedStep& operator=(const UninterruptedStep&) = delete;
};

// Up to this many guards are held at once (each path shorter than 4096
// bytes); another is not held: a rewrite holds two, "Save all changes" one
// for each of its renames besides.
constexpr int interruptionGuards = 16;

namespace detail {

// Does what an interruption does, with `rename` and `remove`: what the
// platform's handler calls. It uses nothing but lock-free atomics, so a
// signal handler may call it when `rename` and `remove` are safe in one.
void undoHeldChanges(void (*rename)(const char* from, const char* to),
                     void (*remove)(const char* path));

// The same with the system's calls: a rename that never replaces a file,
// and the removal of a file.
void undoHeldChangesWithTheSystem();

// For the tests, which interrupt a command in the middle, in-process: true
// inside an uninterrupted step, where an interruption would wait; and the
// interruption itself, done with the system's calls, after which every guard
// is let go as if the program had ended.
bool insideUninterruptedStep();
void interruptForTest();

} // namespace detail

} // namespace platelier
