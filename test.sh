#!/usr/bin/env bash
# Installs what is missing, builds PLANAQ and runs every test: once in a release build, and
# once more with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/install-deps.sh"
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DPLANAQ_BENCH=ON >/dev/null
cmake --build "$here/build" -j"$jobs"
(cd "$here/build" && ctest --output-on-failure -j"$jobs")

# Qt's own libraries are not built with the sanitizers, so the UI stays out of this build.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S "$here" -B "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DPLANAQ_SANITIZE=ON \
  -DPLANAQ_WITH_UI=OFF -DPLANAQ_BENCH=OFF >/dev/null
cmake --build "$here/build-asan" -j"$jobs"
(cd "$here/build-asan" && ctest --output-on-failure -j"$jobs")
