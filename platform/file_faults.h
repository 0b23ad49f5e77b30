// Counting of file operations, and failure of chosen ones: every operation
// of the file layer (open, read, write, seek, query, close, rename, remove,
// create, search) asks here first. Nothing fails unless a test asks for it; the
// tests use it to prove that no failing operation loses or damages a user's
// file, on the file systems the program meets.
#pragma once

#include <cstdint>

namespace platelier {

enum class FileOperation { open, read, write, seek, query, close, rename, create, remove, search };

// Makes the `n`-th file operation from now fail (1 is the next one); 0 makes
// none fail. Resets the counts and ends a full disk.
void failFileOperation(std::uint64_t n);

// Makes every write from the `n`-th from now on fail, as on a disk that has
// become full. Resets the counts.
void failFileWritesFrom(std::uint64_t n);

// The number of file operations, and of writes, since the last reset.
std::uint64_t fileOperationCount();
std::uint64_t fileWriteCount();

// Counts one operation; true when it is one that must fail.
bool fileOperationFails(FileOperation operation);

// What some file systems lack, and the program has a way around: a rename
// that refuses to replace (renameat2's RENAME_NOREPLACE), and hard links.
enum class FileSystemFeature { none, noReplaceRename, hardLinks };

// Makes the file operations behave as on a file system that lacks
// `feature`, so that the tests run the ways around it; none: as it is.
void simulateFileSystemWithout(FileSystemFeature feature);
bool fileSystemLacks(FileSystemFeature feature);

} // namespace platelier
