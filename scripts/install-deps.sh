#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run command need,
# only when something is missing. Safe to run again and again.
set -euo pipefail
PACKAGES=(cmake g++ make pkg-config clang libclang-rt-14-dev
          googletest libgtest-dev libgmock-dev libbenchmark-dev
          libsdl2-dev libcairo2-dev libfontconfig-dev fonts-liberation
          libx11-dev libxtst-dev xvfb xauth clang-format)
missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null 2>&1 || {
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq "${missing[@]}"
  }
fi
