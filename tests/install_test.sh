#!/bin/sh
# Installs the build into a temporary prefix and makes its Debian package, as
# cmake/Packaging.cmake says: the prefix gets the console program, which
# runs, its manual page and its documentation, nothing else; the program and
# its manual page give the build's version, and the page names the options
# the program has, no more, no fewer; the package holds the program in
# /usr/bin and depends on the libraries it was linked with.
# Usage: install_test.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "$*"
    exit 1
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
(cd "$work/prefix" && find . -type f | sort) >"$work/installed"
printf '%s\n' ./bin/platelier-cli ./share/doc/platelier-cli/command-line.md \
    ./share/doc/platelier-cli/copyright ./share/man/man1/platelier-cli.1 >"$work/expected"
diff -u "$work/expected" "$work/installed" || fail "the install is not the program, its manual page and its guide"
program=$work/prefix/bin/platelier-cli
[ -x "$program" ] || fail "the installed program is not executable"
"$program" --help | grep -q '^Usage: platelier-cli' || fail "the installed program does not run"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$("$program" --version)" = "platelier-cli $version" ] || fail "--version does not give $version"
manual=$work/prefix/share/man/man1/platelier-cli.1
grep -q "^\.TH .*\"Platelier $version\"" "$manual" || fail "the manual page does not give $version"

# options FILE...: the long options named in the files, one a line.
options() {
    sed 's/\\-/-/g' "$@" | grep -o -- '--[a-z-]*' | grep -vx -- '--help' | sort -u
}
for command in check relink rename; do
    "$program" "$command" --help
done >"$work/help"
"$program" --help >>"$work/help"
options "$manual" >"$work/man-options"
options "$work/help" >"$work/program-options"
diff -u "$work/program-options" "$work/man-options" || fail "the manual page's options are not the program's"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
package=$(find "$work/package" -maxdepth 1 -name 'platelier-cli_*.deb')
[ -n "$package" ] || fail "no Debian package was made"
dpkg-deb -c "$package" >"$work/contents"
grep -q ' \./usr/bin/platelier-cli$' "$work/contents" || fail "the package has no /usr/bin/platelier-cli"
dpkg-deb -f "$package" Depends | grep -q 'libstdc++' || fail "the package does not depend on the C++ library"
