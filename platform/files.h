// File-system operations on the names of files that the program needs from
// its platform: renaming without ever replacing another file, replacing a
// file behind a backup, naming a new temporary file. Each counts as one
// operation of the file layer (see file_faults.h).
#pragma once

#include "platform/open_files.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platelier {

// The size of the buffers in which the program has always held paths and
// file names: a path has at most 255 characters, and a longer one is
// refused rather than cut.
constexpr std::size_t pathBufferSize = 256;

// The length of `path` in the characters that pathBufferSize counts: bytes
// on Linux, UTF-16 units on Win32.
std::size_t pathLength(const std::string& path);

// The separator between the folders of a path: '\\' on Win32, '/' elsewhere.
char pathSeparator();

// The characters a file name cannot hold because they lead out of its
// folder: the separators, and on Win32 the drive colon.
const char* folderSeparators();

// Renames the file or folder at `from` to `to`. Fails, changing nothing, when
// something already stands at `to` or nothing stands at `from`.
bool moveFileNoReplace(const std::string& from, const std::string& to);

// Puts the file `replacement` in the place of `target`, and the previous
// `target` under the name `backup`, replacing a file that stood there,
// provided that `target` is still the file `asRead` describes: that is
// checked right before the replacement takes its name, and, where the
// previous target is still at hand under the backup's name, once more after,
// when a target written meanwhile gets its place back. On Win32 the
// replacement takes the target's attributes and access control lists as far
// as the system lets it; on POSIX systems it was given the target's owner,
// group and permissions when it was made (FileForWriting::create). On
// failure `target` still holds its previous bytes under its own name.
enum class Replacement { done, failed, targetChanged };
Replacement replaceFileWithBackup(const std::string& target, const std::string& replacement,
                                  const std::string& backup, const FileIdentity& asRead);

// A path in `folder` (the current folder when empty) for a new temporary
// file, its name drawn at random; nothing is created. None when the folder
// leaves no room for such a name.
std::optional<std::string> temporaryFilePath(const std::string& folder);

// True when `name` is one that temporaryFilePath gives: a file that a run
// of the program writes beside a master, or left behind when it was ended
// by what no program can catch (a power cut, SIGKILL).
bool isTemporaryFileName(const std::string& name);

// True when a file or folder stands at `path`.
bool pathExists(const std::string& path);

// True when `a` and `b` both name one existing file or folder (names that
// differ only in letter case do on a file system that ignores it).
bool isSameFile(const std::string& a, const std::string& b);

// Deletes a file.
bool removeFile(const std::string& path);

} // namespace platelier
