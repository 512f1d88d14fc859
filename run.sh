#!/usr/bin/env bash
# Builds the plug-in and the reference host and serves the host's page on the bundled demo
# city: the address to open is printed. Arguments go to zelt-host (try "--lang 1033" or
# "--port 8080"); "bash run.sh shell ..." runs the command shell instead.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target zelt-host VeskNotes
if [[ "${1:-}" == shell ]]; then
  shift
  exec build/default/host/zelt-host "$@"
fi
exec build/default/host/zelt-host --web "$@"
