#!/bin/bash
# tools/ensure-packages.sh against a stand-in apt: an index update that keeps
# failing (a mirror being synced) must not stop an install that does not need
# that index, and an install that fails must fail the script.
# Usage: ensure_packages.sh <source folder>
set -u
source_dir=$1
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# dpkg-query knows no package; apt-get update and install succeed as told by
# UPDATE_OK and INSTALL_OK, and each call is logged; sleep returns at once.
cat > "$stubs/dpkg-query" <<'STUB'
#!/bin/sh
exit 1
STUB
cat > "$stubs/apt-get" <<'STUB'
#!/bin/sh
echo "$1" >> "$APT_LOG"
case $1 in
  update) [ "$UPDATE_OK" = 1 ] ;;
  install) [ "$INSTALL_OK" = 1 ] ;;
esac
STUB
printf '#!/bin/sh\n' > "$stubs/sleep"
printf '#!/bin/sh\nexec "$@"\n' > "$stubs/sudo"
chmod +x "$stubs"/*

# update ok, install ok | exit code | apt-get calls in order
while read -r update_ok install_ok code calls; do
  : > "$stubs/log"
  actual=0
  PATH="$stubs:$PATH" APT_LOG="$stubs/log" UPDATE_OK=$update_ok INSTALL_OK=$install_ok \
    sh "$source_dir/tools/ensure-packages.sh" some-package >/dev/null 2>&1 || actual=$?
  got=$(paste -sd, "$stubs/log")
  [ "$actual" = "$code" ] && [ "$got" = "$calls" ] ||
    fail "update $update_ok, install $install_ok: exit $actual, calls $got (expected exit $code, calls $calls)"
done <<'TABLE'
1 1 0 update,install
0 1 0 update,update,update,install
0 0 1 update,update,update,install,update,update,update,install
TABLE

[ "$failures" -eq 0 ] && echo "a failing index update is tried three times and does not stop the install"
[ "$failures" -eq 0 ]
