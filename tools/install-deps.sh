#!/usr/bin/env bash
# Installs the Debian packages the build, the host and the tests need, when any is
# missing. Run as root on Debian 12. With "fuzz", also clang and its sanitizer and
# fuzzer runtimes for the fuzz preset.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config binutils
  libicu-dev libpugixml-dev libsqlite3-dev libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev libxml2-utils
)
if [[ "${1:-}" == fuzz ]]; then
  # The runtimes are only recommended by clang, and recommendations are not installed.
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi
