#!/usr/bin/env bash
# Installs what is missing, builds Tessvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tessvane
exec ./build/release/app/tessvane
