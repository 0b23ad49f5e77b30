// The four process colours of a DCS fileset, in the order that every
// per-channel table and every run of four controls follows.
#pragma once

namespace platelier {

enum ChannelIndex { cyan = 0, magenta = 1, yellow = 2, black = 3 };

constexpr int channelCount = 4;

} // namespace platelier
