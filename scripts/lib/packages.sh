# Installs the Debian packages a script needs when they are missing; sourced
# by the scripts that build, test and run the program.

missing_packages() {
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            printf '%s ' "$package"
        fi
    done
}

require_packages() {
    missing=$(missing_packages "$@")
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Platelier needs these packages: $missing" >&2
        echo "Installing them needs root. Run this command again as root, or first run:" >&2
        echo "    sudo apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing $missing"
    apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# Generates the locale $1 (as /etc/locale.gen names it, e.g. ru_RU.UTF-8)
# when it is missing: Wine takes its ANSI code page from the locale a
# program starts in, and falls back to Windows-1252 without it.
require_locale() {
    if locale -a 2>/dev/null | grep -qix "$(echo "$1" | sed 's/UTF-8$/utf8/')"; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "Platelier's tests need the locale $1. Generating it needs root. Run this command again as root, or first run:" >&2
        echo "    sudo sed -i 's/^# *$1 /$1 /' /etc/locale.gen && sudo locale-gen" >&2
        exit 1
    fi
    echo "Generating the locale $1"
    sed -i "s/^# *$1 /$1 /" /etc/locale.gen
    grep -q "^$1 " /etc/locale.gen || echo "$1 ${1#*.}" >>/etc/locale.gen
    locale-gen >/dev/null
}

# What building and testing both configurations takes (dpkg-dev: the Debian
# package's dependencies, found by dpkg-shlibdeps; jq: the command-line
# page's pipeline, run by the console program's test; wixl and msitools: the
# Windows installer, made and installed by its test; locales: a locale
# whose ANSI code page under Wine is not Windows-1252, for the Win32 tests).
BUILD_PACKAGES="cmake make g++ python3 libgtest-dev googletest g++-mingw-w64-x86-64-posix \
gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth \
clang libclang-rt-14-dev python3-markdown libcli11-dev nlohmann-json3-dev liburing-dev dpkg-dev jq \
wixl msitools locales"

# The locale the Win32 tests also run in: Russian, whose ANSI code page,
# Windows-1251, reads the bytes of accented French letters as Cyrillic.
TEST_LOCALE=ru_RU.UTF-8
