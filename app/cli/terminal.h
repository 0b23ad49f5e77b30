// What the console program needs from its platform's terminal: that it shows
// UTF-8 as such while the program runs, and whether standard error is a
// terminal at all (the progress of a check is shown only there).
#pragma once

namespace platelier {

// Called once, at the start.
void showUtf8InTerminal();

bool standardErrorIsTerminal();

} // namespace platelier
