// The four process colours of a DCS 1.0 fileset, in the order that every
// per-channel table and every run of four controls follows.
#pragma once

#include <array>
#include <string>

namespace platelier {

enum ChannelIndex { cyan = 0, magenta = 1, yellow = 2, black = 3 };

constexpr int channelCount = 4;

// A name or a path for each channel, in channel order: the plate names of
// a DCS 1.0 master, the names the user gives them, their separation files.
using PerChannel = std::array<std::string, channelCount>;

// The channels as the program names them in its reports, in channel order.
constexpr std::array<const char*, channelCount> channelWords = {"cyan", "magenta", "yellow",
                                                                "black"};

} // namespace platelier
