// The channel table. Yellow and black offer a second extension (Y, K) in the
// chooser; only the first letter is searched.
#include "fileset/channel_table.h"

#include "resources/resource_ids.h"

namespace platelier {

const std::array<ChannelRow, channelCount> ChannelTable = {{
    {"C", "Cyan", "Fichiers Cyan [*.C]", "*.C", IDC_CYAN_NAME, IDC_CYAN_PATH, IDC_CYAN_BROWSE},
    {"M", "Magenta", "Fichiers Magenta [*.M]", "*.M", IDC_MAGENTA_NAME, IDC_MAGENTA_PATH,
     IDC_MAGENTA_BROWSE},
    {"J", "Jaune", "Fichiers Jaune [*.J, *.Y]", "*.J;*.Y", IDC_YELLOW_NAME, IDC_YELLOW_PATH,
     IDC_YELLOW_BROWSE},
    {"N", "Noir", "Fichiers Noir [*.N, *.K]", "*.N;*.K", IDC_BLACK_NAME, IDC_BLACK_PATH,
     IDC_BLACK_BROWSE},
}};

std::array<std::string, channelCount> readChannelNames(Dialog& dialog, int firstNameEdit) {
    std::array<std::string, channelCount> names;
    for (int channel = cyan; channel <= black; ++channel) {
        names[static_cast<std::size_t>(channel)] =
            dialog.controlText(firstNameEdit + channel, dialogTextLimit);
    }
    return names;
}

} // namespace platelier
