#!/usr/bin/env bash
# Makes a locale available (as root or with sudo): package `locales`, the locale enabled in
# /etc/locale.gen, and locale-gen run only when the locale is missing.
# Usage: scripts/install-locale.sh <locale, e.g. de_DE.UTF-8>
set -euo pipefail
cd "$(dirname "$0")/.."
wanted=$1
# locale -a spells the codeset in lower case without the dash: de_DE.utf8.
listed=$(printf '%s' "$wanted" | sed -E 's/\.UTF-8$/.utf8/')
locale -a 2>/dev/null | grep -qx -e "$wanted" -e "$listed" && exit 0

scripts/install-packages.sh locales
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
charset=${wanted#*.}
[ "$charset" != "$wanted" ] || charset=UTF-8
line="$wanted $charset"
if ! grep -qx "$line" /etc/locale.gen; then
  if grep -qx "# $line" /etc/locale.gen; then
    $sudo sed -i "s/^# $line\$/$line/" /etc/locale.gen
  else
    echo "$line" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
fi
$sudo locale-gen
