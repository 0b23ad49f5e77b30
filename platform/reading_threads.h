// How many threads a run of many small file reads is spread over: one for
// each processor, and no more than a file system serving many small reads
// at once rewards. The walk's reading of a large folder and the judging of
// separation files beside the walk both take this many.
#pragma once

#include <algorithm>
#include <thread>

namespace platelier {

inline unsigned readingThreads() {
    constexpr unsigned most = 8;
    return std::clamp(std::thread::hardware_concurrency(), 1U, most);
}

} // namespace platelier
