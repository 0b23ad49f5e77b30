// The fileset as the main dialog shows it: the master's values in the edits,
// the separation files found or chosen into the path edits, the names the
// user has typed, and what the commands did, shown in the dialog.
#pragma once

#include "app/dialog.h"
#include "fileset/separation_renaming.h"
#include "master/master_file_reader.h"

#include <string>
#include <vector>

namespace platelier {

// Reads the master at `masterPath` and shows its title and, when it is a
// master, its four plate names in the edits, each as the name of the file
// it leads to (fileNameOfPlate).
MasterReading showMasterFile(Dialog& dialog, const std::string& masterPath);

// Fills the separation path edits for the master at `masterPath`: the
// single match of each channel's pattern in its folder, listed once, or the
// file the user chooses. Stops at the first chooser the user cancels.
void locateSeparationFiles(Dialog& dialog, const std::string& masterPath);

// A channel's Browse button: lets the user choose its separation file, which
// becomes the channel's path in the dialog and in `recordedPaths`.
void browseSeparationFile(Dialog& dialog, ChannelIndex channel, PlatePaths& recordedPaths);

// The master path and the four channel names as the edits hold them: file
// names, which the master receives as plate bytes (renameChannels).
std::string readMasterPath(Dialog& dialog);
PlateNames readChannelNames(Dialog& dialog);

// A message box for each message.
void showMessages(Dialog& dialog, const std::vector<std::string>& messages);

// A renamed file's new path in its channel's path edit, a failed rename's
// message in a box.
RenameReport showRenames(Dialog& dialog);

} // namespace platelier
