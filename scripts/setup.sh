#!/usr/bin/env bash
# Installs the Debian packages this project builds and tests with.
# Safe to run again: packages already present are skipped, nothing is asked.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libpugixml-dev libcurl4-openssl-dev libjpeg62-turbo-dev libfreetype-dev fonts-liberation
  libmicrohttpd-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
