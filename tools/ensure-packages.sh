#!/bin/sh
# Installs the given Debian packages when any of them is missing; makes no apt
# call when everything is there. A package of another architecture is named
# with it (wine32:i386): that architecture is added to dpkg first.
# A mirror being synced answers with index files of the wrong size for a while:
# the index update is tried three times, then the install goes ahead with the
# indexes there are (it fails only if it needs the missing one); a failed
# install is tried once more after another update.
missing=""
for pkg in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $pkg"
  fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
for pkg in $missing; do
  case $pkg in
    *:*) arch=${pkg#*:}
         dpkg --print-foreign-architectures | grep -qx "$arch" ||
           $SUDO dpkg --add-architecture "$arch" || exit 1 ;;
  esac
done
update() {
  for try in 1 2 3; do
    $SUDO apt-get update -qq && return 0
    [ "$try" -lt 3 ] && { echo "apt-get update failed: trying again in 20 s" >&2; sleep 20; }
  done
  echo "apt-get update failed three times: installing from the indexes there are" >&2
}
update
for try in 1 2; do
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing \
    >/dev/null && exit 0
  [ "$try" -lt 2 ] && { echo "apt-get install failed: trying again in 20 s" >&2; sleep 20; update; }
done
echo "Could not install:$missing" >&2
exit 1
