#!/bin/sh
# Installs the Debian packages the build, the demo and the tests need, and
# only those still missing. Safe to run again.
set -eu

packages="cmake make g++ pkg-config clang-format libgtest-dev libgmock-dev libbenchmark-dev libsndfile1-dev libstb-dev gnuplot-nox sox hyperfine valgrind\
          libx11-dev xvfb\
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64\
          g++-i686-linux-gnu\
          libfreetype-dev libfontconfig-dev fontconfig fonts-liberation libpng-dev\
          clang libclang-rt-14-dev"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
