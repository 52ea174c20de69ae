#!/bin/bash
# make run on a fresh Debian machine installs the cross toolchain, Wine, the
# fonts and the locale, and nothing the tests alone need (GoogleTest, the CSV
# readers, the virtual display); and a build folder it makes has the tests off,
# so configuring needs none of those either. make test installs them.
# Usage: run_packages.sh <source folder>
set -u
source_dir=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The packages of every ensure-packages.sh call of a dry run, sorted, one a line.
packages_of() {
    make --no-print-directory -n -C "$source_dir" "$@" 2>/dev/null |
        grep -o 'ensure-packages\.sh .*' | cut -d' ' -f2- | tr ' ' '\n' | grep -v '^$' | sort -u
}

expected_run=$(printf '%s\n' cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    wine64 fonts-wqy-microhei fonts-wqy-zenhei locales | sort -u)
got_run=$(packages_of run WIN_BUILD=/nonexistent)
if [ "$got_run" != "$expected_run" ]; then
    fail "make run installs: $(echo $got_run) (expected: $(echo $expected_run))"
fi

for package in g++ libgtest-dev googletest python3 libreoffice-calc-nogui xvfb xdotool imagemagick \
               $expected_run; do
    packages_of test | grep -qx -- "$package" || fail "make test does not install $package"
done

configure=$(make --no-print-directory -n -C "$source_dir" run WIN_BUILD=/nonexistent 2>/dev/null |
            grep 'cmake --preset windows')
[[ "$configure" == *-DKINETORA_TESTS=OFF* ]] ||
    fail "make run configures a new build folder with the tests: $configure"
configure=$(make --no-print-directory -n -C "$source_dir" windows 2>/dev/null | grep 'cmake --preset windows')
[[ "$configure" == *-DKINETORA_TESTS=ON* ]] ||
    fail "make test's Windows build does not turn the tests on: $configure"

[ "$failures" -eq 0 ] && echo "make run installs $(echo $got_run | wc -w) packages, make test the rest"
[ "$failures" -eq 0 ]
