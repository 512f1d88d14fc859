#!/usr/bin/env bash
# Installs the Debian packages the build, the host and the tests need, when any is
# missing. Run as root on Debian 12. With "test", also the browser the page's tests drive
# (Chromium, its WebDriver and Python's selenium); with "fuzz", also clang and its
# sanitizer and fuzzer runtimes for the fuzz preset.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config binutils
  libicu-dev libpugixml-dev libsqlite3-dev libpng-dev zlib1g-dev libcpp-httplib-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev libxml2-utils
  libosmium2-dev libprotozero-dev libbz2-dev libexpat1-dev
  libfreetype-dev fonts-liberation2
)
for extra in "$@"; do
  case "$extra" in
    test) packages+=(chromium chromium-driver python3-selenium) ;;
    # The runtimes are only recommended by clang, and recommendations are not installed.
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *) echo "install-deps.sh: unknown group \"$extra\" (test, fuzz)" >&2; exit 2 ;;
  esac
done

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
