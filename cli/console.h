// Where the commands write: their results on one stream, the program's
// messages and the progress of a long check on another (standard output
// and standard error), every text in UTF-8 and every message on one line.
// What could not be written is an error of its own: results are never lost
// without a word and an exit status that says so.
#pragma once

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

namespace platelier {

// How a command ends, the worst outcome winning: everything fine, some
// master broken or some change failed, or a wrong call, an unreadable path
// or results that could not be written.
enum ExitStatus { statusOk = 0, statusFailed = 1, statusUnusable = 2 };

// Which of the two streams are terminals. The progress is shown only when
// the messages' stream is one, where it is rewritten in place; it is wiped
// before a result only when the results go to a terminal as well.
struct Terminals {
    bool results = false;
    bool messages = false;
};

// Thrown by Console::result when the program reading the results closed
// their pipe: the command ends there, as a POSIX system ends the program
// with SIGPIPE.
struct ResultsUnread {};

class Console {
  public:
    Console(std::ostream& out, std::ostream& err, Terminals terminals);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // A line of results, already in UTF-8.
    void result(const std::string& line);

    // A line of results that tells of a change made: written out at once,
    // so that an interruption that ends the program after it cannot lose it.
    void change(const std::string& line);

    // One of the program's messages (its own UTF-8 text, with paths in it,
    // which on Linux may be bytes of another encoding), with its line breaks
    // turned into blanks and its other control characters escaped.
    void message(const std::string& text);

    // Writes out what both streams still hold back. Returns `status`, or
    // statusUnusable when anything could not be written; then, unless the
    // results' pipe was closed, says so on the messages' stream if it can.
    int finish(int status);

    void folderSeen();
    void masterSeen();

  private:
    void showProgress();
    void wipeProgress();
    void noteResultsFailure();

    std::ostream& out_;
    std::ostream& err_;
    Terminals terminals_;
    int folders_ = 0;
    int masters_ = 0;
    std::size_t progressWidth_ = 0; // of the progress line now on the terminal
    std::chrono::steady_clock::time_point progressTime_;
    std::optional<int> resultsError_; // errno when the results first failed
    bool resultsPipeClosed_ = false;
};

} // namespace platelier
