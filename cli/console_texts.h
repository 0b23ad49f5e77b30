// The texts of the command line's own messages, in the program's French
// voice and, like the program's other texts, in UTF-8.
#pragma once

namespace platelier::texts {

// %s: the folder's path.
constexpr const char* cannotReadFolder = "Impossible de lire le dossier\n%s.";

// %s: the path.
constexpr const char* folderNotMaster =
    "%s est un dossier : la commande demande un fichier-maître.";

// %s: the master's path, then the channel's colour.
constexpr const char* channelWithoutName = "Impossible de renommer les couches de\n%s :\nla couche "
                                           "%s n'a pas de nom.\nLe fichier n'a pas été modifié.";

// %s: the master's path, then the channel's colour.
constexpr const char* noSingleSeparationFile = "Impossible de renommer les fichiers de\n%s :\n"
                                               "aucun fichier unique n'a été trouvé pour la "
                                               "couche %s.";

constexpr const char* cannotWriteResults = "Impossible d'écrire les résultats.";

// %s: why, in the system's words.
constexpr const char* cannotWriteResultsBecause = "Impossible d'écrire les résultats : %s.";

// %s: the master's path, the separation file's, the channel's colour, then
// the verdict on the file.
constexpr const char* separationNotSound = "Impossible de renommer les fichiers de\n%s :\nle "
                                           "fichier %s trouvé pour la couche %s n'est pas une "
                                           "séparation de ce fichier-maître (%s).";

// %s: the master's path, the separation file's, the channel's colour, then
// the other master's path.
constexpr const char* separationShared =
    "Impossible de renommer les fichiers de\n%s :\nle fichier %s de la couche %s est aussi celui "
    "de\n%s (--shared le renomme tout de même).";

// %s: the master's path.
constexpr const char* singleFileMaster = "Impossible de renommer les couches de\n%s :\nce "
                                         "fichier-maître DCS 2.0 contient lui-même ses couches.";

// %s: the master's path, then the colour given on the command line.
constexpr const char* noPlateOfColour = "%s :\nle fichier-maître n'a pas de couche %s.";
// %s: the master's path, then the colour given on the command line.
constexpr const char* severalPlatesOfColour = "%s :\nle fichier-maître a plusieurs couches %s.";
// %s: the master's path, then the colour given on the command line.
constexpr const char* plateNamedTwice = "%s :\nla couche %s reçoit deux noms.";

// %s: the leftover's path.
constexpr const char* cannotTidy = "Impossible de ranger\n%s.";

// %s: the number of folders, then of masters, seen so far.
constexpr const char* progress = "Dossiers vus : %s, fichiers-maîtres : %s";

} // namespace platelier::texts
