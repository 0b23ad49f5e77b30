// Everything the console program tells of the masters it checks and
// changes: each line for people and each JSON object comes from here, and
// so do the stable codes that tell a script what failed. Paths and texts
// from masters are converted to UTF-8 here, so that every line is valid
// UTF-8 and every object valid JSON; in the lines for people their control
// characters are escaped, and in JSON a text that is not valid UTF-8 also
// comes as its exact bytes, for scripts to hand back.
#pragma once

#include "fileset/checked_master.h"
#include "fileset/command_rules.h"
#include "fileset/fileset_commands.h"
#include "fileset/leftovers.h"
#include "master/master_file_rewriter.h"

#include <string>
#include <vector>

namespace platelier {

// Why something a command was asked for did not happen: a stable code for
// scripts, and the program's message for people.
struct Problem {
    std::string code;
    std::string message;
};

Problem rewriteProblem(const RewriteResult& result, const std::string& masterPath);
Problem renameProblem(const RenameOutcome& outcome);
Problem obstacleProblem(const CommandObstacle& obstacle, const CheckedMaster& master);
Problem unsoundFileProblem(const CheckedMaster& master, std::size_t plate);
Problem sharedFileProblem(const CheckedMaster& master, std::size_t plate);
// The problems of a "Save all changes" that was not done.
std::vector<Problem> saveAllProblems(const SaveAllResult& result, const std::string& masterPath);

// Why the reader refused a file: it cannot be opened, it is no regular file,
// its binary header is damaged, or it is not a master.
std::string refusalMessage(const std::string& path, MasterRefusal refusal);

// check: the master's state and path, and what each broken plate is
// (plate name, state, the file found or the number of files matching, and
// the verdict on a file judged not sound); or one JSON object. A master that
// cannot be read is "unreadable", one whose binary header is damaged
// "damaged".
std::string checkForPeople(const CheckedMaster& master);
// The master's state as check names it: "ok", "broken", "unreadable" or
// "damaged".
const char* masterStateWord(const CheckedMaster& master);
std::string checkAsJson(const CheckedMaster& master);

// What relink did with a master.
struct RelinkResult {
    enum Kind {
        unchanged,   // every link was ok
        broken,      // a plate is missing or ambiguous, or a renamed file not sound
        relinked,    // the renamed files' names were written
        wouldRelink, // a dry run would have written them
        refused      // the rewrite refused the master
    };
    Kind kind = unchanged;
    std::vector<Problem> problems; // refused: why
};

// The result as the summary of a walk counts it: relink's result for
// people, or the state of a master that could not be read.
const char* relinkStateWord(const CheckedMaster& master, const RelinkResult& result);

// The line for people (none for a refused master, whose problem is a
// message), or the JSON object.
std::string relinkForPeople(const CheckedMaster& master, const RelinkResult& result);
std::string relinkAsJson(const CheckedMaster& master, const RelinkResult& result);

// A leftover of a folder (see leftovers.h): its path and kind, and with
// tidy what became of it (tidied: removed or restored; or it could not be).
enum class LeftoverAction { told, tidied, notTidied };
std::string leftoverForPeople(const FolderReading& folder, const Leftover& leftover,
                              LeftoverAction action);
std::string leftoverAsJson(const FolderReading& folder, const Leftover& leftover,
                           LeftoverAction action);

// What rename did with a fileset.
struct RenameResult {
    bool unchanged = false; // nothing to change: nothing written
    bool rewritten = false; // the master was rewritten behind its backup
    struct Renamed {
        std::string colour; // the plate's, as the master names it ("cyan" in DCS 1.0)
        std::string from;
        std::string to;
    };
    std::vector<Renamed> renamed; // in the order of the plates
    std::vector<Problem> problems;
};

std::vector<std::string> renameForPeople(const std::string& masterPath, const RenameResult& result);
std::string renameAsJson(const CheckedMaster& master, FilesetCommand command,
                         const RenameResult& result);

} // namespace platelier
