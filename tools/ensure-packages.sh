#!/bin/sh
# Installs the given Debian packages when any of them is missing; makes no apt
# call when everything is there. A package of another architecture is named
# with it (wine32:i386): that architecture is added to dpkg first.
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
$SUDO apt-get update -qq || exit 1
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null || exit 1
