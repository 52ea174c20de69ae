#!/bin/bash
# Shows that the release is reproducible (run by `make release-check`): builds
# it twice, from two clean clones of the last commit in two temporary folders
# of different names and depths, one after the other (so at different times),
# under different time zones and umasks, and compares every program of both
# builds, the manual, both zips and dist/SHA256SUMS byte for byte. Exit code 0
# when all are identical. Uncommitted changes are not part of the check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kinetora-release-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
first=$work/a
second=$work/second-clone/of/the/sources

if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "release-check: uncommitted changes are not checked, only the last commit"
fi
git clone -q --no-hardlinks "$root" "$first"
git clone -q --no-hardlinks "$root" "$second"

# One release build in a clone, with its own time zone and umask.
build_in() {
  local clone=$1 zone=$2 mask=$3 started
  started=$(date +%s)
  (cd "$clone" && umask "$mask" &&
   env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS TZ="$zone" make --no-print-directory release \
     > "$clone.log" 2>&1) || { tail -30 "$clone.log"; echo "release-check: build in $clone failed"; exit 1; }
  echo "release-check: built in $clone ($zone) in $(( $(date +%s) - started )) s"
}

started=$(date +%s)
build_in "$first" Asia/Shanghai 022
sleep 2
build_in "$second" America/New_York 077

different=0
compare() {  # <name> <file in the first build> <file in the second build>
  if cmp -s "$2" "$3"; then
    echo "  same       $1"
  else
    echo "  DIFFERENT  $1"
    different=1
  fi
}
echo "release-check: comparing"
for file in "$first"/dist/* ; do
  compare "dist/$(basename "$file")" "$file" "$second/dist/$(basename "$file")"
done
staged() { (cd "$1/build/release/stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
while IFS= read -r file; do
  compare "$file" "$first/build/release/stage/$file" "$second/build/release/stage/$file"
done < <(staged "$first")
[ "$(ls "$first/dist")" = "$(ls "$second/dist")" ] || { echo "  the dist folders differ"; different=1; }
[ "$(staged "$first")" = "$(staged "$second")" ] || { echo "  the staged files differ"; different=1; }

echo "release-check: $(( $(date +%s) - started )) s in all"
if [ "$different" -ne 0 ]; then
  echo "release-check: FAILED, the two builds differ"
  exit 1
fi
echo "release-check: the two builds are identical:"
sed 's/\r$//; s/^/  /' "$first/dist/SHA256SUMS"
