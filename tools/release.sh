#!/bin/bash
# Builds the release from the sources of this tree (run by `make release`):
#
#   dist/Kinetora-<version>-win32.zip   every program of the suite for 32-bit
#                                       Windows (they run on 64-bit Windows too),
#                                       使用说明.txt (the user's manual) and
#                                       SHA256SUMS over them
#   dist/Kinetora-<version>-win64.zip   the same for 64-bit Windows
#   dist/SHA256SUMS                     the SHA-256 of the two zips
#
# Reproducible: the programs are linked without time stamps or build folders
# and without symbols, the manual is generated from the catalogue, and the zip's
# entries have fixed times and order (tools/release-zip.py). Only the sources
# count: the same commit gives the same bytes in any folder, at any time.
# Builds in build/release/ (Windows programs, and the manual's generator for
# this machine); nothing there is shared with the development builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release
dist=$root/dist
export LC_ALL=C TZ=UTC
# The zip's entry times: the last commit's, or 1980-01-01 outside a git clone.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

step() { echo "release: $*"; }

# build_programs <folder> <toolchain file>: the suite's programs as shipped.
build_programs() {
  cmake -S "$root" -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=Release \
    -DKINETORA_TESTS=OFF -DKINETORA_SHIPPED=ON >/dev/null
  cmake --build "$1" -j2 --target kinetora_suite
}
step "64-bit Windows programs"
build_programs "$build/windows" "$root/cmake/mingw-w64.cmake"
step "32-bit Windows programs"
build_programs "$build/windows-x86" "$root/cmake/mingw-w64-i686.cmake"

step "user's manual"
cmake -S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKINETORA_TESTS=OFF -DKINETORA_SANITIZE=OFF >/dev/null
cmake --build "$build/host" -j2 --target kinetora_manual
manual_tool=$build/host/catalogue/kinetora_manual

version=$("$manual_tool" --version)
mapfile -t programs < <("$manual_tool" --programs)
"$manual_tool" "$build/使用说明.txt"
files=("${programs[@]}" 使用说明.txt)
mapfile -t files < <(printf '%s\n' "${files[@]}" | sort)
rm -rf "$dist" "$build/stage" && mkdir -p "$dist"

# package <zip name> <folder of the programs>: the zip of one build, staged in
# build/release/stage/<zip name>/. Its SHA256SUMS: one line per file,
# "<sha-256>  <name>", CR LF, in byte order of the names, as sha256sum -c reads it.
package() {
  local name=$1 stage=$build/stage/$1 program
  mkdir -p "$stage"
  for program in "${programs[@]}"; do
    cp "$2/app/$program" "$stage/$program"
  done
  cp "$build/使用说明.txt" "$stage/使用说明.txt"
  (cd "$stage" && sha256sum -- "${files[@]}" | sed 's/$/\r/' > SHA256SUMS)
  python3 "$root/tools/release-zip.py" "$dist/$name.zip" "$stage" "${files[@]}" SHA256SUMS
  echo "dist/$name.zip: ${#programs[@]} programs, 使用说明.txt, SHA256SUMS;" \
       "$(stat -c %s "$dist/$name.zip") bytes"
}
step "zips"
package "Kinetora-$version-win32" "$build/windows-x86"
package "Kinetora-$version-win64" "$build/windows"
(cd "$dist" && sha256sum -- "Kinetora-$version-win32.zip" "Kinetora-$version-win64.zip" |
   sed 's/$/\r/' > SHA256SUMS)
sed 's/\r$//; s/^/SHA-256 /' "$dist/SHA256SUMS"
