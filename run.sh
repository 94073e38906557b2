#!/usr/bin/env bash
# Installs what is missing, builds PLANAQ and starts the desktop program in this folder.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DPLANAQ_BENCH=OFF >/dev/null
cmake --build "$here/build" -j"$(nproc)"
if [ -x "$here/build/src/ui/planaq" ]; then
  exec "$here/build/src/ui/planaq" "$@"
fi
exec "$here/build/tools/planaq-cli" --help
