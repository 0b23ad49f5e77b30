#!/bin/sh
# The Windows installer under Wine: made by make-release.sh beside the
# archive and named with the build's version; installed silently, as IT
# would, it puts the files in Program Files, a Start menu shortcut, "Open
# with" for .eps files without taking their default program, and the console
# program on the system PATH; a later version made from the same archive
# replaces it; its removal leaves nothing of either.
# Usage: installer_test.sh BUILD_DIR
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "$*"
    exit 1
}
export WINEPREFIX="$build/wineprefix"
run() {
    "$root/scripts/wine-run" "$@"
}
# What a Windows program writes, with POSIX line ends.
output() {
    run "$@" | tr -d '\r'
}
folder="$WINEPREFIX/drive_c/Program Files/Platelier"
command='HKLM\Software\Classes\Applications\Platelier.exe\shell\open\command'
open_with='HKLM\Software\Classes\.eps\OpenWithList\Platelier.exe'
products='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
environment='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
# The product codes of the Platelier products installed, one a line.
installed() {
    output reg query "$products" /s |
        awk '/^HKEY/ { key = $0 } /DisplayName +REG_SZ +Platelier$/ { print key }' |
        sed 's/.*\\//'
}
system_path() {
    output reg query "$environment" /v PATH | sed -n 's/^ *PATH *REG_[A-Z_]* *//p'
}
# Wine's msiexec leaves the separator of a PATH entry it removes behind
# (Windows's does not), and its cmd finds nothing on a PATH that has an empty
# entry: the PATH is put back as it was before the install, trailing
# separators trimmed.
restore_path() {
    run reg add "$environment" /v PATH /t REG_EXPAND_SZ /d "$path_before" /f >/dev/null
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
"$root/scripts/make-release.sh" "$build" "$work/dist" >"$work/made"
grep -qx "$work/dist/Platelier-$version.msi" "$work/made" || fail "no Platelier-$version.msi was made"
later=$((${version%%.*} + 1)).0
(cd "$work" && cmake -E tar xf "dist/Platelier-$version.zip")
"$root/scripts/make-msi.sh" "$work/Platelier" "$later" "$work/dist/Platelier-$later.msi" >/dev/null
cd "$work/dist"

# Wine's menu builder would copy the shortcut into the host's own menus. In
# the prefix's settings, as the installer's service may have been started
# before this test.
run reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d '' /f >/dev/null
# What an earlier run that stopped half-way left installed goes first.
for product in $(installed); do
    run msiexec /x "$product" /qn
done
path_before=$(system_path | sed 's/;*$//')
restore_path

run msiexec /i "Platelier-$version.msi" /qn || fail "the installer failed"
printf '%s\n' LICENSE.txt Platelier.exe Platelier.html README.txt platelier-cli.exe \
    platelier-cli.html >"$work/expected"
(cd "$folder" && ls) | diff -u "$work/expected" - || fail "the install folder is not the archive's files"
# Wine puts a per-machine install's shortcuts in the user's Start menu.
shortcut=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Platelier.lnk')
[ -n "$shortcut" ] || fail "no Start menu shortcut"
grep -qaF 'C:\Program Files\Platelier\Platelier.exe' "$shortcut" || fail "the shortcut is not to Platelier.exe"
run reg query "$command" /ve | grep -qF '"C:\Program Files\Platelier\Platelier.exe" "%1"' ||
    fail "no open command for Open with"
run reg query "$open_with" >/dev/null || fail ".eps files do not offer Platelier in Open with"
run reg query 'HKLM\Software\Classes\.eps' /ve | grep -qF '(value not set)' ||
    fail ".eps files were given Platelier as their program"
system_path | grep -qF ';C:\Program Files\Platelier\' || fail "the install folder is not on the PATH"
[ "$(output 'C:\Program Files\Platelier\platelier-cli.exe' --version)" = "platelier-cli $version" ] ||
    fail "the installed platelier-cli.exe does not give version $version"
[ "$(output cmd /c platelier-cli --version)" = "platelier-cli $version" ] ||
    fail "a console does not find platelier-cli on the PATH"

run msiexec /i "Platelier-$later.msi" /qn || fail "the later version's installer failed"
[ "$(installed | wc -l)" = 1 ] || fail "the later version did not replace version $version"
output reg query "$products\\$(installed)" /v DisplayVersion | grep -q "REG_SZ *$later$" ||
    fail "the product installed is not version $later"
[ -f "$folder/Platelier.exe" ] || fail "the later version did not install Platelier.exe"

run msiexec /x "Platelier-$later.msi" /qn || fail "the removal failed"
[ -z "$(installed)" ] || fail "a product is still installed"
[ ! -e "$folder" ] || fail "the install folder is still there"
[ -z "$(find "$WINEPREFIX/drive_c" -name Platelier.lnk)" ] || fail "the shortcut is still there"
for key in 'HKLM\Software\Classes\Applications\Platelier.exe' "$open_with"; do
    ! run reg query "$key" >/dev/null 2>&1 || fail "the registry still has $key"
done
! system_path | grep -qF 'Platelier' || fail "the install folder is still on the PATH"
restore_path
echo "installed, upgraded and removed Platelier $version"
