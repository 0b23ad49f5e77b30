// The program's own texts as the user reads them. They reach the platform's
// ANSI functions as Windows-1252 bytes, so accented letters are written as
// byte escapes whatever encoding this file is saved in.
#pragma once

namespace platelier::texts {

constexpr const char* messageCaption = "Talvernes";

constexpr const char* notAMasterFile =
    "Ce fichier n'est pas un fichier EPS normal, ou pas le fichier-ma"
    "\xEE"
    "tre d'un ensemble DCS";

constexpr const char* masterChooserTitle = "Ouverture du fichier EPS principal";
constexpr const char* masterFilterText = "Fichiers EPS [*.eps]";
constexpr const char* masterFilterPattern = "*.eps";
constexpr const char* masterDefaultExtension = "eps";

constexpr const char* aboutMenuItem = "A propos de Platelier...";
constexpr const char* helpMenuItem = "Aide...";

} // namespace platelier::texts
