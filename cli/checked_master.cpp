// Checked masters and how they are described. Paths and texts from the
// master are converted to UTF-8 here, so that every line the commands write
// is valid UTF-8 and every JSON object valid JSON; in the lines for people
// their control characters are escaped, and in JSON a text that is not
// valid UTF-8 also comes as its exact bytes, for scripts to hand back.
#include "cli/checked_master.h"

#include "cli/base64.h"
#include "cli/utf8_text.h"
#include "resources/fill_placeholders.h"
#include "resources/user_texts.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace platelier {

const std::array<const char*, channelCount> channelWords = {"cyan", "magenta", "yellow", "black"};

namespace {

// Indexed by LinkState.
constexpr const char* stateWords[] = {"ok", "renamed", "missing", "ambiguous"};

const char* stateWord(LinkState state) {
    return stateWords[static_cast<int>(state)];
}

const char* masterStateWord(const CheckedMaster& master) {
    return isSound(master) ? "ok" : "broken";
}

bool isSoundContent(const std::optional<ContentVerdict>& verdict) {
    return !verdict || *verdict == ContentVerdict::sound;
}

std::string describeBrokenLink(const CheckedMaster& master, std::size_t channel) {
    const ChannelLink& link = master.links[channel];
    std::string text = std::string(channelWords[channel]) + " \"" + textForPeople(link.plate) +
                       "\" " + stateWord(link.state);
    if (link.state == LinkState::renamed) {
        text += ' ' + mixedForPeople(link.file);
    } else if (link.state == LinkState::ambiguous) {
        text += " (" + std::to_string(link.matches) + ")";
    }
    if (!isSoundContent(master.contents[channel])) {
        text += ' ' + std::string(verdictWord(*master.contents[channel]));
    }
    return text;
}

using Json = nlohmann::ordered_json;

// Sets `name` to `bytes` as `asUtf8` reads them and, when they are not
// valid UTF-8, NAME_bytes to their base64.
void setText(Json& object, const std::string& name, const std::string& bytes,
             std::string (*asUtf8)(const std::string&)) {
    object[name] = asUtf8(bytes);
    if (!isUtf8(bytes)) {
        object[name + "_bytes"] = base64(bytes);
    }
}

} // namespace

CheckedMaster checkMaster(const std::string& path, FolderListings& listings) {
    return checkMaster(path, readMasterFile(path), listings);
}

CheckedMaster checkMaster(const std::string& path, const MasterReading& reading,
                          FolderListings& listings) {
    CheckedMaster master{path, reading.refusal,     reading.title.value_or(std::string()),
                         {},   reading.boundingBox, {},
                         false};
    if (master.isMaster()) {
        master.links = checkLinks(path, reading.plates, listings);
    }
    return master;
}

void judgeContents(CheckedMaster& master, bool okToo) {
    master.deep = okToo;
    for (std::size_t channel = 0; channel < master.links.size(); ++channel) {
        const LinkState state = master.links[channel].state;
        if (state == LinkState::renamed || (okToo && state == LinkState::ok)) {
            master.contents[channel] =
                judgeSeparationFile(master.links[channel].file, master.boundingBox);
        }
    }
}

bool isSound(const CheckedMaster& master) {
    return allLinksOk(master.links) &&
           std::all_of(master.contents.begin(), master.contents.end(), isSoundContent);
}

std::optional<ChannelIndex> unsoundRenamedFile(const CheckedMaster& master) {
    for (std::size_t channel = 0; channel < master.links.size(); ++channel) {
        if (master.links[channel].state == LinkState::renamed &&
            !isSoundContent(master.contents[channel])) {
            return static_cast<ChannelIndex>(channel);
        }
    }
    return std::nullopt;
}

std::string refusalMessage(const CheckedMaster& master) {
    if (master.refusal == MasterRefusal::cannotOpen) {
        return fillPlaceholders(texts::cannotOpenMaster, {master.path});
    }
    if (master.refusal == MasterRefusal::notRegularFile) {
        return fillPlaceholders(texts::notARegularFile, {master.path});
    }
    return master.path + " :\n" + texts::notAMasterFile;
}

std::string describeForPeople(const CheckedMaster& master) {
    std::string line = masterStateWord(master);
    line += std::string(8 - line.size(), ' ') + mixedForPeople(master.path);
    const char* separator = "  ";
    for (std::size_t channel = 0; channel < master.links.size(); ++channel) {
        if (master.links[channel].state != LinkState::ok ||
            !isSoundContent(master.contents[channel])) {
            line += separator + describeBrokenLink(master, channel);
            separator = "; ";
        }
    }
    return line;
}

// Built member by member into objects with room for all their members: an
// initializer list would copy every value once more, and a growing object
// copies its members (their names are constant, so they cannot move).
std::string describeAsJson(const CheckedMaster& master) {
    const auto withRoom = [](std::size_t members) {
        Json object = Json::object();
        object.get_ref<Json::object_t&>().reserve(members);
        return object;
    };
    Json object = withRoom(6);
    setText(object, "master", master.path, mixedAsUtf8);
    setText(object, "title", master.title, textAsUtf8);
    object["state"] = masterStateWord(master);
    Json& channels = object["channels"] = Json::array();
    for (std::size_t channel = 0; channel < master.links.size(); ++channel) {
        const ChannelLink& link = master.links[channel];
        Json& described = channels.emplace_back(withRoom(8));
        described["channel"] = channelWords[channel];
        setText(described, "plate", link.plate, textAsUtf8);
        described["state"] = stateWord(link.state);
        if (link.file.empty()) {
            described["file"] = nullptr;
        } else {
            setText(described, "file", link.file, mixedAsUtf8);
        }
        described["matches"] = link.matches;
        if (const std::optional<ContentVerdict>& verdict = master.contents[channel]) {
            described["content"] = verdictWord(*verdict);
        } else if (master.deep) {
            described["content"] = nullptr;
        }
    }
    return object.dump();
}

} // namespace platelier
