// Counting of file operations, failure of chosen ones, and what happens
// between them: every operation of the file layer (open, read, write, seek,
// query, lock, close, rename, remove, create, search) asks here first.
// Nothing fails unless a test asks for it; the tests use it to prove that no
// failing operation loses or damages a user's file, on the file systems the
// program meets, nor does another program acting on the files meanwhile, or
// an interruption.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace platelier {

enum class FileOperation {
    open,
    read,
    write,
    seek,
    query,
    lock,
    close,
    rename,
    create,
    remove,
    search
};

// Makes the `n`-th file operation from now fail (1 is the next one); 0 makes
// none fail. Resets the counts, ends a full disk and forgets an action.
void failFileOperation(std::uint64_t n);

// Makes every write from the `n`-th from now on fail, as on a disk that has
// become full. Resets the counts.
void failFileWritesFrom(std::uint64_t n);

// Runs `action` just before the `n`-th file operation from now is made (1 is
// the next one), as another program or an interruption could act at that
// moment; the operation then goes on. Resets the counts.
void actBeforeFileOperation(std::uint64_t n, std::function<void()> action);

// The same before the next file operation, without resetting the counts: an
// action that finds it must wait (an interruption in an uninterrupted step)
// sets itself off again so.
void actBeforeNextFileOperation(std::function<void()> action);

// The same before the next file operation of kind `operation`.
void actBeforeFileOperation(FileOperation operation, std::function<void()> action);

// Makes every file operation from now on fail, as if the program had ended
// there: what an interruption of a test leaves on the disk is then what the
// interruption did.
void failEveryFileOperation();

// The number of file operations, of one kind of them, of writes, and the
// bytes that reads brought in, since the last reset.
std::uint64_t fileOperationCount();
std::uint64_t fileOperationCount(FileOperation operation);
std::uint64_t fileWriteCount();
std::uint64_t fileBytesRead();

// Counts one operation; true when it is one that must fail.
bool fileOperationFails(FileOperation operation);

// Counts the bytes a read brought in.
void countBytesRead(std::size_t count);

// What some file systems lack, and the program has a way around: a rename
// that refuses to replace (renameat2's RENAME_NOREPLACE), one that trades
// two names (RENAME_EXCHANGE), hard links, and writes that take all they are
// given (a file system that takes a part of a write, as a full disk or a
// network share can, and the rest in the next).
enum class FileSystemFeature { none, noReplaceRename, exchangingRename, hardLinks, wholeWrites };

// Makes the file operations behave as on a file system that lacks
// `feature`, so that the tests run the ways around it; none: as it is.
void simulateFileSystemWithout(FileSystemFeature feature);
bool fileSystemLacks(FileSystemFeature feature);

// How many times, since the last simulateFileSystemWithout, the file layer
// met the feature missing: a test proves with it that its simulation took
// effect.
std::uint64_t missingFeatureMet();

} // namespace platelier
