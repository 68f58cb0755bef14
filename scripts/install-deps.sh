#!/usr/bin/env bash
# Installs the Debian packages that building (and, with --test, testing) needs,
# when they are missing. Needs root or sudo for apt-get.
set -euo pipefail

packages=(build-essential cmake pkg-config libx11-dev libfreetype-dev libfontconfig-dev
          fontconfig fonts-dejavu-core libpng-dev libgtest-dev libgmock-dev libbenchmark-dev)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(xvfb xdotool imagemagick x11-utils clang-16 libclang-rt-16-dev)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
