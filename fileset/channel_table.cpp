// The channel table. Yellow and black offer a second extension (Y, K) in the
// chooser; only the first letter is searched.
#include "fileset/channel_table.h"

namespace platelier {

const std::array<ChannelRow, channelCount> ChannelTable = {{
    {"C", "Cyan", "Fichiers Cyan [*.C]", "*.C"},
    {"M", "Magenta", "Fichiers Magenta [*.M]", "*.M"},
    {"J", "Jaune", "Fichiers Jaune [*.J, *.Y]", "*.J;*.Y"},
    {"N", "Noir", "Fichiers Noir [*.N, *.K]", "*.N;*.K"},
}};

} // namespace platelier
