#!/bin/bash
# End to end under Wine: the self-test file byte for byte, the exit codes, the
# options and the command-line path rules of the real program.
# Usage: selftest_e2e.sh <Kinetora.exe> <KinetoraFailing.exe> <launch.exe> <expected dir> <work dir>
set -u
exe=$1 failing=$2 launcher=$3 expected=$4 work=$5
root=$(cd "$(dirname "$0")/../.." && pwd)
run="$root/cmake/wine-run.sh"
failures=0 passed=0

winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { passed=$((passed + 1)); }

# Runs an exact Windows command line (UTF-8 text) from the work directory, or
# from the directory given second, and prints the exit code.
launch() {
    printf '%s' "$1" > "$work/cmdline.txt"
    (cd "${2:-$work}" && "$run" "$launcher" "$(winpath "$work/cmdline.txt")" >/dev/null 2>&1)
    echo $?
}

check_file() {  # name, file, expected file
    if [ ! -f "$2" ]; then fail "$1: $2 not written"; return; fi
    if cmp -s "$2" "$3"; then pass; else fail "$1: $2 differs from $3"; fi
}

check_code() {  # name, got, wanted
    if [ "$2" = "$3" ]; then pass; else fail "$1: exit code $2, expected $3"; fi
}

# A read-only file: marked immutable, since root (as in CI) writes past mode bits.
chattr -i "$work/readonly.txt" 2>/dev/null
rm -rf "$work" && mkdir -p "$work"
prog=$(winpath "$exe")

# Plain default path, empty quotes, spaces only.
for args in '--selftest' '--selftest ""' '--selftest    '; do
    rm -f "$work/selftest.txt"
    code=$(launch "\"$prog\" $args")
    check_code "[$args]" "$code" 0
    check_file "[$args]" "$work/selftest.txt" "$expected/builtin.txt"
done

# Quoted path with blanks; what follows the closing quote is ignored.
mkdir -p "$work/my dir"
code=$(launch "\"$prog\" --selftest \"$(winpath "$work/my dir/out file.txt")\" trailing")
check_code quoted "$code" 0
check_file quoted "$work/my dir/out file.txt" "$expected/builtin.txt"

# Unquoted path ends at the first blank.
rm -f "$work/cut"
code=$(launch "\"$prog\" --selftest cut here.txt")
check_code unquoted "$code" 0
check_file unquoted "$work/cut" "$expected/builtin.txt"
[ -e "$work/here.txt" ] && fail "unquoted: here.txt written"

# Command lines of deployment scripts: the self-test option in its three
# spellings and any letter case runs the self-test; any other option opens no
# window, writes nothing and ends with exit code 4. (A window would keep the
# launcher waiting, and give no exit code 4.) A tab separates like a blank.
# The argument after the option is its path, whatever its first character: a
# Unix path ("/..." under Wine, as make run passes it) or "-x.txt". @DIR@ stands
# for the folder the program runs in, as an absolute Unix path.
#   arguments | exit code | file written, or - for none
while IFS='|' read -r args want file; do
    [ -n "$args" ] || continue
    args=${args//@DIR@/$work/table}
    rm -rf "$work/table" && mkdir -p "$work/table"
    code=$(launch "\"$prog\" $args" "$work/table")
    check_code "[$args]" "$code" "$want"
    if [ "$file" = - ]; then
        [ -z "$(ls -A "$work/table")" ] || fail "[$args]: wrote $(ls -A "$work/table")"
    else
        check_file "[$args]" "$work/table/$file" "$expected/builtin.txt"
    fi
done <<'TABLE'
/selftest x.txt|0|x.txt
-selftest x.txt|0|x.txt
--SELFTEST x.txt|0|x.txt
/SelfTest|0|selftest.txt
--selftest	tab.txt|0|tab.txt
--selftest=x.txt|4|-
--selftestx.txt|4|-
-selftest x.txt /quiet|4|-
--help|4|-
/?|4|-
-|4|-
--selftest @DIR@/abs.txt|0|abs.txt
--selftest -x.txt|0|-x.txt
/selftest @DIR@/abs.txt|0|abs.txt
--selftest "@DIR@/path with blank.txt"|0|path with blank.txt
--selftest @DIR@/abs.txt /quiet|4|-
TABLE

# More than 519 units: the path is cut to its first 519.
# Folder levels of 100 units until the rest of the 519 fits one file name.
long_dir="$work"
while [ $((519 - ${#long_dir} - 3)) -gt 200 ]; do
    long_dir="$long_dir/$(printf 'd%.0s' $(seq 1 100))"
done
mkdir -p "$long_dir"
prefix=$(winpath "$long_dir")\\
name_length=$((519 - ${#prefix}))
name=$(printf 'n%.0s' $(seq 1 $name_length))
code=$(launch "\"$prog\" --selftest ${prefix}${name}EXTRA")
check_code long "$code" 0
check_file long "$long_dir/$name" "$expected/builtin.txt"
[ -e "$long_dir/${name}EXTRA" ] && fail "long: path not cut"

# A report that could not be written gives exit code 3: a folder that does not
# exist (nothing written, no folder made), a read-only file (left as it was).
code=$(launch "\"$prog\" --selftest $(winpath "$work/missing/x.txt")")
check_code missing-folder "$code" 3
[ -e "$work/missing" ] && fail "missing-folder: folder created"
printf 'old' > "$work/readonly.txt" && chmod a-w "$work/readonly.txt"
[ "$(id -u)" = 0 ] && chattr +i "$work/readonly.txt"
code=$(launch "\"$prog\" --selftest readonly.txt")
check_code read-only "$code" 3
[ "$(cat "$work/readonly.txt")" = old ] || fail "read-only: file changed"
chattr -i "$work/readonly.txt" 2>/dev/null

# A program path that itself holds "--selftest" is no option: the path is the
# one after the real option.
mkdir -p "$work/x--selftest.dir" "$work/.dir"
cp "$exe" "$work/x--selftest.dir/Kinetora.exe"
code=$(launch "x--selftest.dir\\Kinetora.exe --selftest program.txt")
check_code program-name "$code" 0
check_file program-name "$work/program.txt" "$expected/builtin.txt"
[ -e "$work/.dir/Kinetora.exe" ] && fail "program-name: the report went after the program's path"

# A tool whose output formulas fail: exit code 2, OUT lines still written.
code=$(launch "\"$(winpath "$failing")\" --selftest failing.txt")
check_code failing "$code" 2
check_file failing "$work/failing.txt" "$expected/failing.txt"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
