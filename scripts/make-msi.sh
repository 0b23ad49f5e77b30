#!/bin/sh
# Makes the Windows installer from a folder holding the release archive's
# files, as resources/platelier.wxs describes it, with wixl (msitools). wixl
# has no Environment element: msibuild then adds the row that appends the
# install folder to the system PATH ("=" set, "-" removed on uninstall, "*"
# the machine's variable; "[~];" appends), as WiX makes it for Part="last".
# make-release.sh runs it; the installer's test runs it again for a later
# version. Writes the path of the package.
# Usage: make-msi.sh FOLDER VERSION OUTPUT.msi
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib/packages.sh"
require_packages wixl msitools
files=$(cd "$1" && pwd)
version=$2
msi=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")

rm -f "$msi"
# wixl finds the files only by paths relative to the folder it runs in.
(cd "$files" && wixl --arch x64 -D Version="$version" -o "$msi" "$root/resources/platelier.wxs" >&2)
msibuild "$msi" \
    -q 'CREATE TABLE Environment (Environment CHAR(72) NOT NULL,
        Name CHAR(255) NOT NULL LOCALIZABLE, Value CHAR(255) LOCALIZABLE,
        Component_ CHAR(72) NOT NULL PRIMARY KEY Environment)' \
    -q "INSERT INTO Environment (Environment, Name, Value, Component_)
        VALUES ('PlatelierPath', '=-*PATH', '[~];[INSTALLDIR]', 'ConsoleProgram')"
echo "$msi"
