#!/usr/bin/env bash
# Builds the plug-in and the reference host and runs the host on the bundled demo city.
# Arguments go to zelt-host (try "--lang 1033" or "info").
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target zelt-host VeskNotes
exec build/default/host/zelt-host "$@"
