#!/bin/sh
# Runs the console program itself on a small tree: under Wine for the
# Windows build, where it is a console program, natively otherwise. Checks
# the line of each master, the UTF-8 of a Windows-1252 title in JSON and its
# exact bytes, a message in the program's French, the exit statuses, results
# that cannot be written (a full disk, a closed pipe), and a rewrite that,
# interrupted, leaves no temporary file; natively also names that hold
# control characters, and the page's pipeline from JSON to relink for a name
# that is not UTF-8.
# Usage: console_program_test.sh PROGRAM [EMULATOR...]
set -eu
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
eps=$(cd "$(dirname "$0")/../../.." && pwd)/shared/testdata/eps
shift
emulator="$*"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/job/sub"
printf '%%!PS-Adobe-3.0 EPSF-3.0\r\n%%%%Title: Caf\351\r\n%%%%CyanPlate: A.C\r\n%%%%MagentaPlate: A.M\r\n%%%%YellowPlate: A.J\r\n%%%%BlackPlate: A.N\r\n' >"$work/job/A.eps"
cp "$work/job/A.eps" "$work/job/sub/A.eps"
for name in A.C A.M A.J A2.N notes.txt; do
    echo "$name" >"$work/job/$name"
done
cd "$work"
failures=0

# run EXPECTED_STATUS EXPECTED_OUTPUT ARGUMENTS...: standard output and error
# together, or only standard error when standard output goes to $results;
# under Wine, line ends and separators as on POSIX.
results=
run() {
    expected_status=$1
    expected=$2
    shift 2
    if [ -n "$results" ]; then
        output=$($emulator "$program" "$@" 2>&1 >"$results") && status=0 || status=$?
    else
        output=$($emulator "$program" "$@" 2>&1) && status=0 || status=$?
    fi
    [ -z "$emulator" ] || output=$(printf '%s' "$output" | tr -d '\r' | tr '\\' '/')
    if [ "$status" != "$expected_status" ] || [ "$output" != "$expected" ]; then
        printf 'FAILED: %s\n  status %s, expected %s\n  output:\n%s\n  expected:\n%s\n' \
            "$*" "$status" "$expected_status" "$output" "$expected"
        failures=$((failures + 1))
    fi
}

run 1 'broken  job/A.eps  black "A.N" renamed job/A2.N
broken  job/sub/A.eps  cyan "A.C" missing; magenta "A.M" missing; yellow "A.J" missing; black "A.N" missing' \
    check --recursive job
run 1 '{"master":"job/A.eps","title":"'"$(printf 'Caf\303\251')"'","title_bytes":"Q2Fm6Q==","state":"broken","channels":[{"channel":"cyan","plate":"A.C","state":"ok","file":"job/A.C","matches":1},{"channel":"magenta","plate":"A.M","state":"ok","file":"job/A.M","matches":1},{"channel":"yellow","plate":"A.J","state":"ok","file":"job/A.J","matches":1},{"channel":"black","plate":"A.N","state":"renamed","file":"job/A2.N","matches":1}]}' \
    check --json job/A.eps
run 2 "$(printf "Impossible d'ouvrir le fichier-ma\303\256tre job/absent.eps.")" check job/absent.eps
run 2 'A subcommand is required
Run with --help for more information.'
results=/dev/full
cannot_write=$(printf "Impossible d'\303\251crire les r\303\251sultats : No space left on device.")
run 2 "$cannot_write" check --recursive job
run 2 "$cannot_write" check --json job/A.eps
results=
checks=6

# Results whose reader goes away (here after one byte of 150 kB) end the
# program quietly: natively by SIGPIPE, or with status 2 when it was started
# with SIGPIPE ignored; under Wine with status 2.
mkdir many
i=0
while [ "$i" -lt 300 ]; do
    ln job/A.eps "many/$(printf '%0150d' "$i").eps"
    i=$((i + 1))
done
for pipe in ignored default; do
    (
        [ "$pipe" = default ] || trap '' PIPE
        $emulator "$program" check --json many 2>pipe.err && echo 0 >pipe.status ||
            echo $? >pipe.status
    ) | head -c 1 >/dev/null
    if [ -s pipe.err ] || { [ "$pipe" = ignored ] && [ "$(cat pipe.status)" != 2 ]; }; then
        printf 'FAILED: closed pipe, SIGPIPE %s\n  status %s, messages:\n%s\n' \
            "$pipe" "$(cat pipe.status)" "$(cat pipe.err)"
        failures=$((failures + 1))
    fi
    checks=$((checks + 1))
done

# A rewrite of a large master (1 GiB, a hole on disk) interrupted as soon as
# its new master holds bytes: only the master stays. Natively by SIGHUP, the
# terminal closed (a shell starts its background commands ignoring SIGINT,
# and so they stay), under Wine by SIGINT, which it hands to the program as
# Ctrl+C.
signal=HUP
[ -z "$emulator" ] || signal=INT
mkdir big
printf '%%!PS-Adobe-3.0 EPSF-3.0\r\n%%%%Title: big\r\n%%%%CyanPlate: B.C\r\n%%%%MagentaPlate: B.M\r\n%%%%YellowPlate: B.J\r\n%%%%BlackPlate: B.N\r\n' >big/BIG.EPS
truncate -s 1G big/BIG.EPS
$emulator "$program" rename big/BIG.EPS --master-only --cyan X >/dev/null 2>&1 &
rewrite=$!
tries=0
while [ -z "$(find big -type f ! -name BIG.EPS -size +0c)" ] && [ "$tries" -lt 3000 ]; do
    sleep 0.01
    tries=$((tries + 1))
done
kill -"$signal" "$rewrite"
wait "$rewrite" || true
if [ "$(ls -A big)" != BIG.EPS ]; then
    printf 'FAILED: interrupted rewrite\n  left:\n%s\n' "$(ls -A big)"
    failures=$((failures + 1))
fi

checks=$((checks + 1))

# Natively, check --deep on separations that are the real EPS files beside
# the repository, linked in place: one of the master's page behind a binary
# header, one of another page, one cut short, and a text.
if [ -z "$emulator" ] && [ ! -d "$eps" ]; then
    echo "skipped: check --deep on the real EPS files, which are not in $eps"
fi
if [ -z "$emulator" ] && [ -d "$eps" ]; then
    mkdir real
    printf '%%!PS-Adobe-3.0 EPSF-3.0\r\n%%%%Title: R\r\n%%%%BoundingBox: 0 0 403 2448\r\n%%%%CyanPlate: R.C\r\n%%%%MagentaPlate: R.M\r\n%%%%YellowPlate: R.J\r\n%%%%BlackPlate: R.N\r\n' >real/R.eps
    ln -s "$eps/illu10_preview.eps" real/R.C
    ln -s "$eps/1.eps" real/R.M
    ln -s "$eps"/timeout-*.eps real/R.J
    ln -s "$eps/README.md" real/R.N
    run 1 'broken  real/R.eps  magenta "R.M" ok other-page; yellow "R.J" ok truncated; black "R.N" ok not-eps' \
        check --deep real
    checks=$((checks + 1))
fi

# Natively, names that Windows does not allow: a line feed and an escape
# sequence are shown escaped, in a result and in a message.
if [ -z "$emulator" ]; then
    mkdir controls
    cp job/A.C job/A.M job/A.J controls/
    cp job/A2.N controls/A.N
    cp job/A.eps "controls/$(printf 'A\nB\033[1G.eps')"
    run 0 'ok      controls/A\nB\x1b[1G.eps' check controls
    run 2 "$(printf "Impossible d'ouvrir le fichier-ma\303\256tre controls/x y\\\\x1b[2K.eps.")" \
        check "$(printf 'controls/x\ny\033[2K.eps')"
    checks=$((checks + 2))
fi

# Natively with jq, the page's pipeline from JSON to relink, for a master
# and separation files whose names are Windows-1252, not UTF-8.
if [ -z "$emulator" ] && ! command -v jq >/dev/null; then
    echo "skipped: the pipeline from JSON to relink, which needs jq"
fi
if [ -z "$emulator" ] && command -v jq >/dev/null; then
    mkdir latin
    cp job/A.eps "$(printf 'latin/caf\351.eps')"
    for letter in C M J N; do
        printf '%%!PS-Adobe-3.0\n' >"$(printf 'latin/caf\351.%s' "$letter")"
    done
    "$program" check --recursive --json latin |
        jq -r 'select(.state == "broken") | .master_bytes // (.master | @base64)' |
        while read -r name; do
            printf '%s' "$name" | base64 -d
            printf '\0'
        done |
        xargs -0 -r "$program" relink >/dev/null || true
    run 0 "$(printf 'ok      latin/caf\303\251.eps')" check latin
    checks=$((checks + 1))
fi

# A FIFO named like a master is refused at once, never opened to wait for a
# writer that does not come.
if [ -z "$emulator" ] && mkfifo job/fifo.eps; then
    emulator="timeout 10"
    run 2 "$(printf 'job/fifo.eps : ce n'"'"'est pas un fichier ordinaire (un dossier, un tube ou un p\303\251riph\303\251rique).')" \
        check job/fifo.eps
    checks=$((checks + 1))
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
