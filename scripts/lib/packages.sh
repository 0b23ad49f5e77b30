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

# What building and testing both configurations takes (dpkg-dev: the Debian
# package's dependencies, found by dpkg-shlibdeps; jq: the command-line
# page's pipeline, run by the console program's test; wixl and msitools: the
# Windows installer, made and installed by its test).
BUILD_PACKAGES="cmake make g++ python3 libgtest-dev googletest g++-mingw-w64-x86-64-posix \
gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth \
clang libclang-rt-14-dev python3-markdown libcli11-dev nlohmann-json3-dev dpkg-dev jq \
wixl msitools"
