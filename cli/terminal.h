// What the console program needs from its platform's terminal: that it shows
// UTF-8 as such while the program runs, whether standard output and standard
// error are terminals at all (the progress of a check is shown only on one),
// and whether a write to standard output failed only because nothing reads
// its pipe any more.
#pragma once

namespace platelier {

// Called once, at the start.
void showUtf8InTerminal();

bool standardOutputIsTerminal();
bool standardErrorIsTerminal();

// Whether a write to standard output that failed with `error` (an errno
// value) failed because its pipe was closed by the program reading it, as
// `head` closes it once it has its lines.
bool standardOutputPipeClosed(int error);

} // namespace platelier
