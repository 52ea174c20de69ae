#!/bin/sh
# Makes a glibc locale available, for example zh_CN.UTF-8: installs the Debian
# package locales and generates the locale when it is missing. Makes no apt
# call and generates nothing when the locale is already there.
#   tools/ensure-locale.sh LOCALE
set -e
locale=${1:?usage: ensure-locale.sh LOCALE}
root=$(cd "$(dirname "$0")/.." && pwd)
# `locale -a` spells the codeset in lower case without dashes: zh_CN.utf8.
codeset=$(printf '%s' "${locale#*.}" | tr 'A-Z' 'a-z' | tr -d '-')
locale -a 2>/dev/null | grep -qx "${locale%%.*}.$codeset" && exit 0

"$root/tools/ensure-packages.sh" locales
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Generating the locale $locale"
# locale-gen builds every locale enabled in /etc/locale.gen: enable this one.
if grep -q "^# *$locale " /etc/locale.gen; then
  $SUDO sed -i "s/^# *\($locale \)/\1/" /etc/locale.gen
elif ! grep -q "^$locale " /etc/locale.gen; then
  echo "$locale ${locale#*.}" | $SUDO tee -a /etc/locale.gen >/dev/null
fi
$SUDO locale-gen >/dev/null
