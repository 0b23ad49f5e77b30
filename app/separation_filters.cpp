// The separation files' chooser filters.
#include "app/separation_filters.h"

namespace platelier {

const std::array<FileFilter, channelCount> separationFilters = {{
    {"Fichiers Cyan [*.C]", "*.C"},
    {"Fichiers Magenta [*.M]", "*.M"},
    {"Fichiers Jaune [*.J, *.Y]", "*.J;*.Y"},
    {"Fichiers Noir [*.N, *.K]", "*.N;*.K"},
}};

} // namespace platelier
