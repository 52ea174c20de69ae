#!/bin/bash
# Builds the release from the sources of this tree (run by `make release`):
#
#   dist/Kinetora-<version>-win64.zip   every program of the suite, 使用说明.txt
#                                       (the user's manual) and SHA256SUMS over them
#   dist/SHA256SUMS                     the SHA-256 of the zip
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

step "Windows programs"
cmake -S "$root" -B "$build/windows" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DKINETORA_TESTS=OFF -DKINETORA_SHIPPED=ON >/dev/null
cmake --build "$build/windows" -j2 --target kinetora_suite

step "user's manual"
cmake -S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKINETORA_TESTS=OFF -DKINETORA_SANITIZE=OFF >/dev/null
cmake --build "$build/host" -j2 --target kinetora_manual
manual_tool=$build/host/catalogue/kinetora_manual

version=$("$manual_tool" --version)
name=Kinetora-$version-win64
stage=$build/stage
rm -rf "$stage" && mkdir -p "$stage"
mapfile -t programs < <("$manual_tool" --programs)
for program in "${programs[@]}"; do
  cp "$build/windows/app/$program" "$stage/$program"
done
"$manual_tool" "$stage/使用说明.txt"

# SHA256SUMS: one line per file, "<sha-256>  <name>", CR LF, in byte order of
# the names, as sha256sum -c reads it.
files=("${programs[@]}" 使用说明.txt)
mapfile -t files < <(printf '%s\n' "${files[@]}" | sort)
(cd "$stage" && sha256sum -- "${files[@]}" | sed 's/$/\r/' > SHA256SUMS)

step "zip"
rm -rf "$dist" && mkdir -p "$dist"
python3 "$root/tools/release-zip.py" "$dist/$name.zip" "$stage" "${files[@]}" SHA256SUMS
(cd "$dist" && sha256sum -- "$name.zip" | sed 's/$/\r/' > SHA256SUMS)

size=$(stat -c %s "$dist/$name.zip")
echo "dist/$name.zip: ${#programs[@]} programs, 使用说明.txt, SHA256SUMS; $size bytes"
echo "SHA-256 $(cut -c1-64 "$dist/SHA256SUMS")"
