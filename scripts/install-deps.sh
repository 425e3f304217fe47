#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Skyvane, when any is missing.
# Runs apt-get directly as root, through sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
  qt6-image-formats-plugins libqt6help6 qt6-translations-l10n
  libgif-dev libsqlite3-dev sqlite3 libicu-dev zlib1g-dev libical-dev libqrencode-dev
  clang clang-format libclang-rt-14-dev libbenchmark-dev
  xvfb xauth imagemagick poppler-utils fonts-dejavu-core
  iso-codes xplanet-images locales tzdata
  qt6-wayland file dpkg-dev desktop-file-utils appstream lintian librsvg2-bin xdotool
)

# The tests run a second time under this locale (a comma as decimal separator).
test_locale=de_DE.UTF-8

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating locale: $test_locale"
  echo "$test_locale UTF-8" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen
fi
