// The master file operations as the main dialog runs them: their inputs read
// from the dialog's edits, their results shown in them or in a message.
#pragma once

#include "platform/dialog.h"

namespace platelier {

// Reads the master named by edit `masterPathEdit` and shows its title in
// `titleEdit` and its plate names in the four edits after it. Returns true
// when the file is a DCS master.
bool readMasterFile(Dialog& dialog, int masterPathEdit, int titleEdit);

// "Rename channels": writes the names of the four edits from `firstNameEdit`
// into the plate lines of the master named by edit `masterPathEdit`. Shows
// why when it cannot, and returns false then.
bool rewriteMasterFile(Dialog& dialog, int firstNameEdit, int masterPathEdit);

} // namespace platelier
