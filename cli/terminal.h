// What the console program needs from its platform's terminal: that it shows
// UTF-8 as such while the program runs, and whether standard output and
// standard error are terminals at all (the progress of a check is shown
// only on one).
#pragma once

namespace platelier {

// Called once, at the start.
void showUtf8InTerminal();

bool standardOutputIsTerminal();
bool standardErrorIsTerminal();

} // namespace platelier
