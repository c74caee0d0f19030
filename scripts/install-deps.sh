#!/bin/sh
# Installs what the build, the program and the tests need on Debian 12 (run as root).
set -e
packages="cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libxcb1-dev libgl-dev libjpeg-dev fontconfig python3-fonttools fonts-dejavu-core"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq $missing
fi
