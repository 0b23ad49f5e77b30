// A master as the commands see it: its title and the state of its four
// links, read and checked with the program's own reader and link check, and
// the lines that tell people and scripts about it.
#pragma once

#include "fileset/link_check.h"
#include "fileset/separation_content.h"
#include "master/master_file_reader.h"

#include <array>
#include <optional>
#include <string>

namespace platelier {

struct CheckedMaster {
    std::string path;
    MasterRefusal refusal = MasterRefusal::none;
    std::string title;
    MasterLinks links; // only when the reader took the file
    std::optional<BoundingBox> boundingBox;
    // The verdict on each channel's file, where it was judged; every found
    // file's when `deep`.
    std::array<std::optional<ContentVerdict>, channelCount> contents;
    bool deep = false;

    bool isMaster() const { return refusal == MasterRefusal::none; }
};

// The channels as the command line names them, in channel order.
extern const std::array<const char*, channelCount> channelWords;

// Reads the master at `path` and checks its links, or says why the reader
// refused the file.
CheckedMaster checkMaster(const std::string& path, FolderListings& listings);

// The same for a master already read, as `reading`.
CheckedMaster checkMaster(const std::string& path, const MasterReading& reading,
                          FolderListings& listings);

// Judges the files of the channels that are `renamed`, and with `okToo`
// those that are `ok` as well.
void judgeContents(CheckedMaster& master, bool okToo);

// True when every link is ok and every file judged is sound.
bool isSound(const CheckedMaster& master);

// The first channel whose renamed file was judged and is not sound.
std::optional<ChannelIndex> unsoundRenamedFile(const CheckedMaster& master);

// Why the reader refused the file: it cannot be opened, it is no regular
// file, or it is not a master.
std::string refusalMessage(const CheckedMaster& master);

// Its state and path, and what each broken channel is: plate name, state,
// the file found or the number of files matching, and the verdict on a
// file judged not sound.
std::string describeForPeople(const CheckedMaster& master);

// One JSON object on one line.
std::string describeAsJson(const CheckedMaster& master);

} // namespace platelier
