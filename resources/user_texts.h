// The program's own texts as the user reads them, in UTF-8 like every text
// inside the program: on Win32 they reach the screen through the wide
// functions, so that they read the same whatever the system's ANSI code
// page.
#pragma once

namespace platelier::texts {

constexpr const char* messageCaption = "Talvernes";

constexpr const char* notAMasterFile =
    "Ce fichier n'est pas un fichier EPS normal, ou pas le fichier-maître d'un ensemble DCS";
// The dialog edits DCS 1.0 filesets only.
constexpr const char* dcs2Master = "Ce fichier est le fichier-maître d'un ensemble DCS 2.0, dont "
                                   "platelier-cli vérifie et répare les liens.";

// %s: a master's path given on the command line or dropped, whole.
constexpr const char* pathTooLong =
    "Impossible d'ouvrir le fichier\n%s :\nson chemin a plus de 255 caractères.";

constexpr const char* masterChooserTitle = "Ouverture du fichier EPS principal";
constexpr const char* masterFilterText = "Fichiers EPS [*.eps]";
constexpr const char* masterFilterPattern = "*.eps";
constexpr const char* masterDefaultExtension = "eps";

constexpr const char* aboutMenuItem = "A propos de Platelier...";
constexpr const char* helpMenuItem = "Aide...";
// %s: the help file's or the user guide's path.
constexpr const char* cannotOpenHelp = "Impossible d'ouvrir l'aide\n%s.";

// Why "Rename channels" did not rewrite the master; %s is the master's path
// unless said otherwise. Each ends by saying that the master is as it was:
// masterUnchanged is added after those that do not say it themselves.
constexpr const char* masterUnchanged = "\nLe fichier n'a pas été modifié.";
constexpr const char* noMasterLoaded =
    "Impossible de renommer les couches : aucun fichier-maître n'est ouvert.";
constexpr const char* backupWouldBeMaster =
    "Impossible de renommer les couches de\n%s :\nsa copie de sauvegarde porterait son propre nom "
    "(.BAK).";
// %s: the master's path, then the channel's colour.
constexpr const char* nameHasLineBreak =
    "Impossible de renommer les couches de\n%s :\nle nom de la couche %s "
    "contient un saut de ligne.";
// %s: the master's path, then the channel's colour.
constexpr const char* nameTooLong =
    "Impossible de renommer les couches de\n%s :\nle nom de la couche %s est trop long "
    "pour le fichier-maître.";
// %s: the master's path, then the channel's colour.
constexpr const char* nameNotInCodePage =
    "Impossible de renommer les couches de\n%s :\nle nom de la couche %s contient un caractère "
    "qui ne peut pas s'écrire dans le fichier-maître.";
// %s: the path.
constexpr const char* notARegularFile =
    "%s :\nce n'est pas un fichier ordinaire (un dossier, un tube ou un périphérique).";
// %s: the path.
constexpr const char* masterHeaderDamaged =
    "%s :\nson en-tête EPS binaire ne correspond pas au fichier.";
constexpr const char* cannotOpenMaster = "Impossible d'ouvrir le fichier-maître\n%s.";
constexpr const char* masterReadOnly =
    "Impossible de renommer les couches de\n%s :\nle fichier-maître est en lecture seule.";
constexpr const char* damagedHeader = "Impossible de renommer les couches de\n%s :\nson en-tête "
                                      "EPS binaire ne correspond pas au fichier.";
constexpr const char* damagedPlateBlock =
    "Impossible de renommer les couches de\n%s :\nun bloc %%CyanPlate est "
    "incomplet ou mal formé.";
constexpr const char* cannotReadMaster =
    "Impossible de lire le fichier-maître\n%s.\nIl n'a pas été modifié.";
constexpr const char* cannotWriteNewMaster =
    "Impossible d'écrire le nouveau fichier-maître dans le dossier de\n%s.";
// %s: the master's path, then the backup's.
constexpr const char* cannotReplaceMaster =
    "Impossible de remplacer\n%s\net d'en garder la copie de sauvegarde\n%s.";

// %s: the master's path, then the channel's colour.
constexpr const char* nameNotReadBack =
    "Impossible de renommer les couches de\n%s :\nle nom de la couche %s commence ou finit par une "
    "espace, ou contient un caractère de contrôle.";
// %s: the master's path, its backup's, then the channel's colour.
constexpr const char* backupIsPlate = "Impossible de renommer les couches de\n%s :\nsa copie de "
                                      "sauvegarde %s remplacerait le fichier de la couche %s.";
// %s: the master's path, its backup's, then the other master's.
constexpr const char* backupIsOthersPlate =
    "Impossible de renommer les couches de\n%s :\nsa copie de sauvegarde %s remplacerait un "
    "fichier de séparation de\n%s.";
// %s: the master's path, its backup's, then the other master's.
constexpr const char* backupIsShared = "Impossible de renommer les couches de\n%s :\nsa copie de "
                                       "sauvegarde %s serait aussi celle de\n%s.";
constexpr const char* masterIsLink = "Impossible de renommer les couches de\n%s :\nc'est un lien "
                                     "symbolique ; renommez les couches du fichier vers lequel "
                                     "il mène.";
constexpr const char* masterInUse =
    "Impossible de renommer les couches de\n%s :\nle fichier-maître est en cours de modification "
    "par un autre programme.";
constexpr const char* masterChanged = "Impossible de renommer les couches de\n%s :\nle "
                                      "fichier-maître a été modifié depuis sa lecture.";
// DCS 2.0 masters. %s: the master's path, then the plate's colour.
constexpr const char* nameNeedsParentheses =
    "Impossible de renommer les couches de\n%s :\nle nom du fichier de la couche %s ne peut pas "
    "s'écrire sans parenthèses sur sa ligne %%PlateFile (il contient une espace, une parenthèse ou "
    "une barre oblique inverse).";
// %s: the master's path, then the plate's colour.
constexpr const char* plateNotInFile = "Impossible de renommer les couches de\n%s :\nla couche %s "
                                       "n'est pas dans un fichier à côté du fichier-maître.";
// %s: the master's path.
constexpr const char* platesInsideMaster =
    "Impossible de renommer les couches de\n%s :\nce fichier-maître DCS 2.0 contient ses "
    "couches ; le réécrire les déplacerait.";

// %s: the separation file's path, then the path it could not be given.
constexpr const char* cannotRenameSeparationFile = "Impossible de renommer\n%s en\n%s.";
// %s: the separation file's path, then the path it could not be given.
constexpr const char* separationFileIsMaster =
    "Impossible de renommer\n%s en\n%s :\nc'est le fichier-maître ou sa copie de sauvegarde.";

// After a failure of "Save all changes", what became of the fileset.
constexpr const char* masterNotRewritten = "\nLe fichier-maître n'a pas été modifié.";
constexpr const char* separationFilesKeptTheirNames =
    "\nLes fichiers de séparation ont gardé leur nom.";
// %s: the separation file's path before, then where it now is.
constexpr const char* separationFileNotGivenBack =
    "\nImpossible de rendre son nom au fichier\n%s :\nil s'appelle maintenant\n%s.";

// %s: the channel's colour, then its name.
constexpr const char* separationChooserTitle = "Ouverture du fichier %s de la couche %s";
// %s: the channel's colour.
constexpr const char* separationBrowseTitle = "Ouverture du fichier %s";
constexpr const char* anyFileFilterText = "Tous fichiers [*.*]";
constexpr const char* anyFileFilterPattern = "*.*";

} // namespace platelier::texts
