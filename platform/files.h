// File-system operations on the names of files that the program needs from
// its platform: renaming without ever replacing another file, replacing a
// file behind a backup, creating a file of a name of its own, and whether a
// file may be written. Each counts as one operation of the file layer (see
// file_faults.h).
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
// when a target written meanwhile gets its place back. The replacement takes
// the target's owner, group and permissions (on Win32 its attributes and
// access control lists) as far as the system lets it. On failure `target`
// still holds its previous bytes under its own name.
enum class Replacement { done, failed, targetChanged };
Replacement replaceFileWithBackup(const std::string& target, const std::string& replacement,
                                  const std::string& backup, const FileIdentity& asRead);

// Creates a new empty file with a name of its own in `folder` (the current
// folder when empty) and returns its path; none when it cannot. Wherever a
// path of 255 characters can name a file in the folder, so can this one.
std::optional<std::string> createUniqueFile(const std::string& folder);

// True when `name` is one that createUniqueFile gives: a file that a run
// of the program writes beside a master, or left behind when it was ended
// by what no program can catch (a power cut, SIGKILL).
bool isTemporaryFileName(const std::string& name);

// True when the program may write the file at `path`. On Win32 the file is
// not read-only; on POSIX systems the process may write it, and so may
// someone: root may write any file, but not one its owner made read-only.
bool mayWriteFile(const std::string& path);

// True when `path` is a symbolic link (on Win32 a reparse point).
bool isSymbolicLink(const std::string& path);

// True when a file or folder stands at `path`.
bool pathExists(const std::string& path);

// True when `a` and `b` both name one existing file or folder (names that
// differ only in letter case do on a file system that ignores it).
bool isSameFile(const std::string& a, const std::string& b);

// Deletes a file.
bool removeFile(const std::string& path);

} // namespace platelier
