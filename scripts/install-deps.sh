#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Skyvane, when any is missing.
# Runs apt-get directly as root, through sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
  qt6-image-formats-plugins libqt6help6
  libgif-dev libsqlite3-dev sqlite3 libicu-dev zlib1g-dev
  clang clang-format libclang-rt-14-dev libbenchmark-dev
  xvfb xauth imagemagick poppler-utils fonts-dejavu-core
  iso-codes xplanet-images
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
