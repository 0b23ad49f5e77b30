// A master as the commands see it: its title and the state of its four
// links, read and checked with the program's own reader and discovery, and
// the lines that tell people and scripts about it.
#pragma once

#include "fileset/link_check.h"

#include <array>
#include <optional>
#include <string>

namespace platelier {

struct CheckedMaster {
    std::string path;
    std::string title;
    MasterLinks links;
};

// The channels as the command line names them, in channel order.
extern const std::array<const char*, channelCount> channelWords;

// Reads the master at `path` and checks its links; none when the reader
// refuses the file.
std::optional<CheckedMaster> checkMaster(const std::string& path, FolderListings& listings);

// Why the reader refused the file at `path`: it cannot be opened, or it is
// not a master.
std::string refusalMessage(const std::string& path);

// Its state and path, and what each broken channel is: plate name, state,
// the file found or the number of files matching.
std::string describeForPeople(const CheckedMaster& master);

// One JSON object on one line.
std::string describeAsJson(const CheckedMaster& master);

} // namespace platelier
