// The texts of the command line's own messages, in the program's French
// voice; like the program's other texts they are Windows-1252 bytes, with
// every accented letter written as an escape that closes its string.
#pragma once

namespace platelier::texts {

// %s: the folder's path.
constexpr const char* cannotReadFolder = "Impossible de lire le dossier\n%s.";

// %s: the path.
constexpr const char* folderNotMaster = "%s est un dossier : la commande demande un fichier-ma"
                                        "\xEE"
                                        "tre.";

// %s: the master's path, then the channel's colour.
constexpr const char* channelWithoutName = "Impossible de renommer les couches de\n%s :\nla couche "
                                           "%s n'a pas de nom.\nLe fichier n'a pas "
                                           "\xE9t\xE9"
                                           " modifi"
                                           "\xE9"
                                           ".";

// %s: the master's path, then the channel's colour.
constexpr const char* noSingleSeparationFile = "Impossible de renommer les fichiers de\n%s :\n"
                                               "aucun fichier unique n'a "
                                               "\xE9t\xE9"
                                               " trouv"
                                               "\xE9"
                                               " pour la couche %s.";

constexpr const char* cannotWriteResults = "Impossible d'"
                                           "\xE9"
                                           "crire les r"
                                           "\xE9"
                                           "sultats.";

// %s: why, in the system's words.
constexpr const char* cannotWriteResultsBecause = "Impossible d'"
                                                  "\xE9"
                                                  "crire les r"
                                                  "\xE9"
                                                  "sultats : %s.";

// %s: the master's path, the separation file's, the channel's colour, then
// the verdict on the file.
constexpr const char* separationNotSound = "Impossible de renommer les fichiers de\n%s :\nle "
                                           "fichier %s trouv"
                                           "\xE9"
                                           " pour la couche %s n'est pas une s"
                                           "\xE9"
                                           "paration de ce fichier-ma"
                                           "\xEE"
                                           "tre (%s).";

// %s: the master's path, the separation file's, the channel's colour, then
// the other master's path.
constexpr const char* separationShared = "Impossible de renommer les fichiers de\n%s :\nle "
                                         "fichier %s de la couche %s est aussi celui de\n%s "
                                         "(--shared le renomme tout de m"
                                         "\xEA"
                                         "me).";

// %s: the leftover's path.
constexpr const char* cannotTidy = "Impossible de ranger\n%s.";

// %s: the number of folders, then of masters, seen so far.
constexpr const char* progress = "Dossiers vus : %s, fichiers-ma"
                                 "\xEE"
                                 "tres : %s";

} // namespace platelier::texts
