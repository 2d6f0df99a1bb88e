#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tovarin needs, if any is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    clang-format  # the test command checks the committed .clang-format
    qt6-base-dev qt6-qpa-plugins libgl-dev
    libtomlplusplus-dev libgtest-dev
    libbenchmark-dev  # the benchmark (bench/, scripts/bench.sh)
    fonts-ipafont-gothic
    xvfb  # xvfb-run and Xvfb, for the program and its tests where there is no display
    # The install and package tests: the desktop's validators, dpkg-shlibdeps, file, lintian.
    desktop-file-utils appstream dpkg-dev file lintian
    libxcb1-dev  # the window-manager hints (app/TaskBar.cpp) and their test
    # The review under real window managers (WindowStackingTest): xfwm4 with the session bus
    # it takes its settings over.
    metacity openbox xfwm4 dbus-daemon
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
