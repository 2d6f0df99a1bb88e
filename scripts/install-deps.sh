#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tovarin needs, if any is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev
    libtomlplusplus-dev libgtest-dev
    libbenchmark-dev  # the benchmark (bench/, scripts/bench.sh)
    fonts-ipafont-gothic
    xvfb  # xvfb-run, for opening the program where there is no display
    # The install and package tests: the desktop's validators, dpkg-shlibdeps, file.
    desktop-file-utils appstream dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
