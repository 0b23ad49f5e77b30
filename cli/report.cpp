// The console program's report. JSON objects are built member by member
// into objects with room for all their members: an initializer list would
// copy every value once more, and a growing object copies its members
// (their names are constant, so they cannot move).
#include "cli/report.h"

#include "cli/base64.h"
#include "cli/console_texts.h"
#include "cli/utf8_text.h"
#include "fileset/channel_table.h"
#include "fileset/outcome_messages.h"
#include "master/backup_path.h"
#include "platform/path_parts.h"
#include "resources/fill_placeholders.h"
#include "resources/user_texts.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace platelier {

namespace {

using Json = nlohmann::ordered_json;

// Indexed by LinkState.
constexpr const char* stateWords[] = {"ok",        "renamed",   "missing",
                                      "ambiguous", "cut-short", "unchecked"};

const char* stateWord(LinkState state) {
    return stateWords[static_cast<int>(state)];
}

// Why a refused master was refused, as a problem of its JSON object.
std::vector<Problem> refusalProblems(const CheckedMaster& master) {
    if (master.isMaster()) {
        return {};
    }
    const bool unreadable = master.reading.refusal == MasterRefusal::cannotOpen;
    return {{unreadable ? "cannot-open-master" : "damaged-header",
             refusalMessage(master.path, master.reading.refusal)}};
}

bool isSoundContent(const std::optional<ContentVerdict>& verdict) {
    return !verdict || *verdict == ContentVerdict::sound;
}

// A switch rather than a table: the compiler names an error left without
// its code.
const char* rewriteCode(RewriteError error) {
    switch (error) {
    case RewriteError::none:
        return "none";
    case RewriteError::noMasterPath:
        return "no-master";
    case RewriteError::backupIsMaster:
        return "backup-is-master";
    case RewriteError::nameHasLineBreak:
        return "name-has-line-break";
    case RewriteError::nameNotReadBack:
        return "name-not-read-back";
    case RewriteError::nameTooLong:
        return "name-too-long";
    case RewriteError::nameNotInCodePage:
        return "name-not-in-code-page";
    case RewriteError::backupIsLinked:
        return "backup-is-linked";
    case RewriteError::backupIsShared:
        return "backup-is-shared";
    case RewriteError::masterIsLink:
        return "master-is-link";
    case RewriteError::nameNeedsParentheses:
        return "name-needs-parentheses";
    case RewriteError::plateNotInFile:
        return "plate-not-in-file";
    case RewriteError::platesInsideMaster:
        return "plates-inside-master";
    case RewriteError::cannotOpenMaster:
        return "cannot-open-master";
    case RewriteError::masterInUse:
        return "master-in-use";
    case RewriteError::masterChanged:
        return "master-changed";
    case RewriteError::masterReadOnly:
        return "master-read-only";
    case RewriteError::damagedHeader:
        return "damaged-header";
    case RewriteError::damagedPlateBlock:
        return "damaged-plate-block";
    case RewriteError::cannotReadMaster:
        return "cannot-read-master";
    case RewriteError::cannotWriteNewMaster:
        return "cannot-write-new-master";
    case RewriteError::cannotReplaceMaster:
        break;
    }
    return "cannot-replace-master";
}

const char* renameCode(RenameFailure failure) {
    // In the order of RenameFailure.
    static constexpr const char* codes[] = {
        "none",      "name-refused",        "master-or-backup", "refused-by-system",
        "file-gone", "file-recorded-twice", "name-taken"};
    return codes[static_cast<std::size_t>(failure)];
}

Json objectWithRoom(std::size_t members) {
    Json object = Json::object();
    object.get_ref<Json::object_t&>().reserve(members);
    return object;
}

// Sets `name` to `bytes` as `asUtf8` reads them and, when they are not
// valid UTF-8, NAME_bytes to their base64.
void setText(Json& object, const std::string& name, const std::string& bytes,
             std::string (*asUtf8)(const std::string&)) {
    object[name] = asUtf8(bytes);
    if (!isUtf8(bytes)) {
        object[name + "_bytes"] = base64(bytes);
    }
}

void setPath(Json& object, const std::string& name, const std::string& path) {
    if (path.empty()) {
        object[name] = nullptr;
    } else {
        setText(object, name, path, utf8FromMixedEncodings);
    }
}

Json problemsAsJson(const std::vector<Problem>& problems) {
    Json list = Json::array();
    for (const Problem& problem : problems) {
        Json& object = list.emplace_back(objectWithRoom(2));
        object["code"] = problem.code;
        // On one line, as on standard error.
        std::string message = problem.message;
        std::replace(message.begin(), message.end(), '\n', ' ');
        object["message"] = utf8FromMixedEncodings(message);
    }
    return list;
}

// The format of a master, as JSON names it; null for a file that cannot be
// read or whose header is damaged.
Json formatAsJson(const CheckedMaster& master) {
    if (!master.isMaster()) {
        return nullptr;
    }
    return master.reading.format == MasterFormat::dcs1 ? "DCS 1.0" : "DCS 2.0";
}

// Where a plate is, for people: its file's name, or its place in the master.
std::string plateForPeople(const Plate& plate) {
    switch (plate.where) {
    case Plate::file:
        return '"' + peopleTextFromOneEncoding(plate.name) + '"';
    case Plate::inMaster:
        return '#' + std::to_string(plate.offset) + ' ' + std::to_string(plate.length);
    case Plate::elsewhere:
        break;
    }
    return "elsewhere";
}

std::string describeBrokenLink(const CheckedMaster& master, std::size_t plate) {
    const PlateLink& link = master.links[plate];
    const Plate& read = master.reading.plates[plate];
    std::string text = peopleTextFromOneEncoding(read.colour) + ' ' + plateForPeople(read) + ' ' +
                       stateWord(link.state);
    if (link.state == LinkState::renamed) {
        text += ' ' + peopleTextFromMixedEncodings(link.file);
    } else if (link.state == LinkState::ambiguous) {
        text += " (" + std::to_string(link.matches) + ")";
    }
    if (!isSoundContent(master.contents[plate])) {
        text += ' ' + std::string(verdictWord(*master.contents[plate]));
    }
    return text;
}

Json channelsAsJson(const CheckedMaster& master) {
    Json channels = Json::array();
    for (std::size_t plate = 0; plate < master.links.size(); ++plate) {
        const PlateLink& link = master.links[plate];
        const Plate& read = master.reading.plates[plate];
        Json& described = channels.emplace_back(objectWithRoom(11));
        setText(described, "channel", read.colour, utf8FromOneEncoding);
        if (read.where == Plate::file) {
            setText(described, "plate", read.name, utf8FromOneEncoding);
        } else {
            described["plate"] = nullptr;
        }
        if (read.where == Plate::inMaster) {
            described["offset"] = read.offset;
            described["length"] = read.length;
        }
        described["state"] = stateWord(link.state);
        setPath(described, "file", link.file);
        described["matches"] = link.matches;
        if (const std::optional<ContentVerdict>& verdict = master.contents[plate]) {
            described["content"] = verdictWord(*verdict);
        } else if (master.judged == FilesJudged::everyFileFound) {
            described["content"] = nullptr;
        }
    }
    return channels;
}

// The renamed plates and the names their files have, as relink writes them.
std::vector<std::pair<std::size_t, std::string>> relinkedPlates(const CheckedMaster& master) {
    std::vector<std::pair<std::size_t, std::string>> plates;
    for (std::size_t plate = 0; plate < master.links.size(); ++plate) {
        if (master.links[plate].state == LinkState::renamed) {
            plates.emplace_back(plate, fileNamePart(master.links[plate].file));
        }
    }
    return plates;
}

} // namespace

const char* masterStateWord(const CheckedMaster& master) {
    return master.reading.refusal == MasterRefusal::cannotOpen      ? "unreadable"
           : master.reading.refusal == MasterRefusal::damagedHeader ? "damaged"
           : isSound(master)                                        ? "ok"
                                                                    : "broken";
}

const char* relinkStateWord(const CheckedMaster& master, const RelinkResult& result) {
    // In the order of RelinkResult::Kind.
    static constexpr const char* words[] = {"ok", "broken", "relinked", "would relink", "refused"};
    return master.isMaster() ? words[result.kind] : masterStateWord(master);
}

Problem rewriteProblem(const RewriteResult& result, const std::string& masterPath) {
    return {rewriteCode(result.error), rewriteErrorMessage(result, masterPath)};
}

Problem renameProblem(const RenameOutcome& outcome) {
    return {renameCode(outcome.failure), renameFailureMessage(outcome)};
}

Problem obstacleProblem(const CommandObstacle& obstacle, const CheckedMaster& master) {
    const std::string colour = plateColourName(master.reading, obstacle.plate);
    switch (obstacle.kind) {
    case CommandObstacle::noMaster:
        return {"no-master", texts::noMasterLoaded};
    case CommandObstacle::channelWithoutName:
        return {"channel-without-name",
                fillPlaceholders(texts::channelWithoutName, {master.path, colour})};
    case CommandObstacle::noSeparationFile:
        break;
    }
    return {"no-single-separation-file",
            fillPlaceholders(texts::noSingleSeparationFile, {master.path, colour})};
}

Problem unsoundFileProblem(const CheckedMaster& master, std::size_t plate) {
    return {"separation-not-sound",
            fillPlaceholders(texts::separationNotSound,
                             {master.path, master.links[plate].file,
                              plateColourName(master.reading, plate),
                              std::string(verdictWord(*master.contents[plate]))})};
}

Problem sharedFileProblem(const CheckedMaster& master, std::size_t plate) {
    return {"shared-file",
            fillPlaceholders(texts::separationShared,
                             {master.path, master.links[plate].file,
                              plateColourName(master.reading, plate), master.sharedWith[plate]})};
}

std::vector<Problem> saveAllProblems(const SaveAllResult& result, const std::string& masterPath) {
    const std::vector<std::string> messages = saveAllMessages(result, masterPath);
    std::vector<Problem> problems;
    for (std::size_t at = 0; at < messages.size(); ++at) {
        const char* code = at < result.refusals.size() ? renameCode(result.refusals[at].failure)
                           : result.failedRename       ? renameCode(result.failedRename->failure)
                                                       : rewriteCode(result.failedRewrite->error);
        problems.push_back({code, messages[at]});
    }
    return problems;
}

std::string refusalMessage(const std::string& path, MasterRefusal refusal) {
    switch (refusal) {
    case MasterRefusal::cannotOpen:
        return fillPlaceholders(texts::cannotOpenMaster, {path});
    case MasterRefusal::notRegularFile:
        return fillPlaceholders(texts::notARegularFile, {path});
    case MasterRefusal::damagedHeader:
        return fillPlaceholders(texts::masterHeaderDamaged, {path});
    case MasterRefusal::none:
    case MasterRefusal::noPlateBlock:
        break;
    }
    return path + " :\n" + texts::notAMasterFile;
}

std::string checkForPeople(const CheckedMaster& master) {
    std::string line = masterStateWord(master);
    line += std::string(line.size() < 8 ? 8 - line.size() : 1, ' ') +
            peopleTextFromMixedEncodings(master.path);
    const char* separator = "  ";
    for (std::size_t plate = 0; plate < master.links.size(); ++plate) {
        if (master.links[plate].state != LinkState::ok || !isSoundContent(master.contents[plate])) {
            line += separator + describeBrokenLink(master, plate);
            separator = "; ";
        }
    }
    return line;
}

std::string checkAsJson(const CheckedMaster& master) {
    Json object = objectWithRoom(6);
    setText(object, "master", master.path, utf8FromMixedEncodings);
    setText(object, "title", master.reading.title.value_or(std::string()), utf8FromOneEncoding);
    object["format"] = formatAsJson(master);
    object["state"] = masterStateWord(master);
    object["channels"] = channelsAsJson(master);
    if (!master.isMaster()) {
        object["problems"] = problemsAsJson(refusalProblems(master));
    }
    return object.dump();
}

std::string relinkForPeople(const CheckedMaster& master, const RelinkResult& result) {
    if (result.kind == RelinkResult::unchanged || result.kind == RelinkResult::broken ||
        !master.isMaster()) {
        return checkForPeople(master);
    }
    if (result.kind == RelinkResult::refused) {
        return std::string();
    }
    std::string line =
        std::string(result.kind == RelinkResult::relinked ? "relinked" : "would relink") + ' ' +
        peopleTextFromMixedEncodings(master.path);
    const char* separator = "  ";
    for (const auto& [plate, name] : relinkedPlates(master)) {
        line += separator + peopleTextFromOneEncoding(master.reading.plates[plate].colour) + " \"" +
                peopleTextFromOneEncoding(master.reading.plates[plate].name) + "\" -> \"" +
                peopleTextFromMixedEncodings(name) + '"';
        separator = "; ";
    }
    return line;
}

std::string relinkAsJson(const CheckedMaster& master, const RelinkResult& result) {
    // In the order of RelinkResult::Kind.
    static constexpr const char* results[] = {"ok", "broken", "relinked", "would-relink",
                                              "refused"};
    Json object = objectWithRoom(8);
    setText(object, "master", master.path, utf8FromMixedEncodings);
    object["format"] = formatAsJson(master);
    object["result"] = master.isMaster() ? results[result.kind] : masterStateWord(master);
    Json& changes = object["changes"] = Json::array();
    if (result.kind == RelinkResult::relinked || result.kind == RelinkResult::wouldRelink) {
        for (const auto& [plate, name] : relinkedPlates(master)) {
            Json& change = changes.emplace_back(objectWithRoom(5));
            setText(change, "channel", master.reading.plates[plate].colour, utf8FromOneEncoding);
            setText(change, "from", master.reading.plates[plate].name, utf8FromOneEncoding);
            setText(change, "to", name, utf8FromMixedEncodings);
        }
    }
    setPath(object, "backup",
            result.kind == RelinkResult::relinked ? backupPath(master.path) : std::string());
    if (result.kind == RelinkResult::broken) {
        object["channels"] = channelsAsJson(master);
    }
    object["problems"] =
        problemsAsJson(master.isMaster() ? result.problems : refusalProblems(master));
    return object.dump();
}

namespace {

// In the order of Leftover::Kind.
constexpr const char* leftoverKinds[] = {"temporary-file", "backup-without-master"};

std::string restoredPath(const FolderReading& folder, const Leftover& leftover) {
    return folder.folder + restoredMasterName(leftover.name);
}

} // namespace

std::string leftoverForPeople(const FolderReading& folder, const Leftover& leftover,
                              LeftoverAction action) {
    const std::string path = peopleTextFromMixedEncodings(folder.folder + leftover.name);
    const bool restored = leftover.kind == Leftover::backupWithoutMaster;
    switch (action) {
    case LeftoverAction::tidied:
        return restored ? "restored " + path + " -> " +
                              peopleTextFromMixedEncodings(restoredPath(folder, leftover))
                        : "removed " + path;
    case LeftoverAction::told:
    case LeftoverAction::notTidied:
        break;
    }
    return "leftover " + path + "  " + (restored ? "backup without master" : "temporary file");
}

std::string leftoverAsJson(const FolderReading& folder, const Leftover& leftover,
                           LeftoverAction action) {
    static constexpr const char* results[] = {"found", "tidied", "not-tidied"};
    Json object = objectWithRoom(5);
    setText(object, "leftover", folder.folder + leftover.name, utf8FromMixedEncodings);
    object["kind"] = leftoverKinds[leftover.kind];
    object["result"] = results[static_cast<std::size_t>(action)];
    if (leftover.kind == Leftover::backupWithoutMaster) {
        setText(object, "master", restoredPath(folder, leftover), utf8FromMixedEncodings);
    }
    return object.dump();
}

std::vector<std::string> renameForPeople(const std::string& masterPath,
                                         const RenameResult& result) {
    std::vector<std::string> lines;
    if (result.unchanged) {
        lines.push_back("unchanged " + peopleTextFromMixedEncodings(masterPath));
    }
    if (result.rewritten) {
        lines.push_back("rewrote " + peopleTextFromMixedEncodings(masterPath) + " (backup " +
                        peopleTextFromMixedEncodings(backupPath(masterPath)) + ")");
    }
    for (const RenameResult::Renamed& renamed : result.renamed) {
        lines.push_back("renamed " + peopleTextFromMixedEncodings(renamed.from) + " -> " +
                        peopleTextFromMixedEncodings(renamed.to));
    }
    return lines;
}

std::string renameAsJson(const CheckedMaster& master, FilesetCommand command,
                         const RenameResult& result) {
    // In the order of FilesetCommand.
    static constexpr const char* commands[] = {"save-all", "rename-channels", "rename-files"};
    const std::string& masterPath = master.path;
    Json object = objectWithRoom(8);
    setText(object, "master", masterPath, utf8FromMixedEncodings);
    object["format"] = formatAsJson(master);
    object["command"] = commands[static_cast<std::size_t>(command)];
    object["result"] = result.unchanged          ? "unchanged"
                       : result.problems.empty() ? "changed"
                                                 : "failed";
    setPath(object, "backup", result.rewritten ? backupPath(masterPath) : std::string());
    Json& renamed = object["renamed"] = Json::array();
    for (const RenameResult::Renamed& file : result.renamed) {
        Json& entry = renamed.emplace_back(objectWithRoom(5));
        setText(entry, "channel", file.colour, utf8FromOneEncoding);
        setText(entry, "from", file.from, utf8FromMixedEncodings);
        setText(entry, "to", file.to, utf8FromMixedEncodings);
    }
    object["problems"] = problemsAsJson(result.problems);
    return object.dump();
}

} // namespace platelier
