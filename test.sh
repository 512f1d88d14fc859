#!/usr/bin/env bash
# Builds everything and runs every test; then the suites labelled "asan" again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh test

cmake --preset default
cmake --build --preset default -j2
ctest --preset default -j2 </dev/null

asan_targets=(platform_tests langservice_tests core_tests store_tests card_tests display_tests search_tests
  settings_tests plugin_tests host_tests tools_tests)
cmake --preset asan
cmake --build --preset asan -j2 --target "${asan_targets[@]}"
# Only the suites labelled "asan" are built here.
ASAN_OPTIONS=detect_leaks=1 ctest --preset asan -j2 -L asan </dev/null
