// Counting of file operations, and failure of a chosen one: every operation
// of the file layer (open, read, write, seek, close, rename, remove, search)
// asks here first. Nothing fails unless a test asks for it; the tests use it
// to prove that no failing operation loses or damages a user's file.
#pragma once

#include <cstdint>

namespace platelier {

// Makes the `n`-th file operation from now fail (1 is the next one); 0 makes
// none fail. Resets the count.
void failFileOperation(std::uint64_t n);

// The number of file operations since the last failFileOperation().
std::uint64_t fileOperationCount();

// Counts one operation; true when it is the one that must fail.
bool fileOperationFails();

} // namespace platelier
