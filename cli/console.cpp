// The console. The progress line is redrawn at most ten times a second, so
// that a check of thousands of masters is not slowed by its terminal, and
// wiped before anything else is written to its terminal, so that it never
// mixes with results or messages there. Results are written in the stream's
// buffer and may fail only when it is written out, possibly while a message
// is written (standard error writes out standard output first): errno is
// cleared before every write and looked at after it.
#include "cli/console.h"

#include "cli/console_texts.h"
#include "cli/terminal.h"
#include "cli/utf8_text.h"
#include "resources/fill_placeholders.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace platelier {

namespace {

constexpr std::chrono::milliseconds progressInterval(100);

} // namespace

Console::Console(std::ostream& out, std::ostream& err, Terminals terminals)
    : out_(out), err_(err), terminals_(terminals),
      progressTime_(std::chrono::steady_clock::now() - progressInterval) {}

Console::~Console() {
    wipeProgress();
}

void Console::result(const std::string& line) {
    if (terminals_.results) {
        wipeProgress();
    }
    errno = 0;
    out_ << line << '\n';
    noteResultsFailure();
    if (resultsPipeClosed_) {
        throw ResultsUnread();
    }
}

void Console::change(const std::string& line) {
    result(line);
    errno = 0;
    out_.flush();
    noteResultsFailure();
    if (resultsPipeClosed_) {
        throw ResultsUnread();
    }
}

void Console::message(const std::string& text) {
    wipeProgress();
    std::string line = text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    errno = 0;
    err_ << peopleTextFromMixedEncodings(line) << std::endl;
    noteResultsFailure();
}

int Console::finish(int status) {
    wipeProgress();
    errno = 0;
    out_.flush();
    noteResultsFailure();
    if (resultsError_ && !resultsPipeClosed_) {
        message(*resultsError_ == 0
                    ? std::string(texts::cannotWriteResults)
                    : fillPlaceholders(texts::cannotWriteResultsBecause,
                                       {std::generic_category().message(*resultsError_)}));
    }
    err_.flush();
    return out_ && err_ ? status : statusUnusable;
}

void Console::folderSeen() {
    ++folders_;
    showProgress();
}

void Console::masterSeen() {
    ++masters_;
    showProgress();
}

void Console::showProgress() {
    const auto now = std::chrono::steady_clock::now();
    if (!terminals_.messages || now - progressTime_ < progressInterval) {
        return;
    }
    progressTime_ = now;
    const std::string line =
        fillPlaceholders(texts::progress, {std::to_string(folders_), std::to_string(masters_)});
    errno = 0;
    err_ << '\r' << line << std::flush;
    noteResultsFailure();
    progressWidth_ = static_cast<std::size_t>(
        std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void Console::wipeProgress() {
    if (progressWidth_ > 0) {
        errno = 0;
        err_ << '\r' << std::string(progressWidth_, ' ') << '\r' << std::flush;
        noteResultsFailure();
        progressWidth_ = 0;
    }
}

void Console::noteResultsFailure() {
    if (!out_ && !resultsError_) {
        resultsError_ = errno;
        resultsPipeClosed_ = standardOutputPipeClosed(errno);
    }
}

} // namespace platelier
