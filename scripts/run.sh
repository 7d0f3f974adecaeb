#!/usr/bin/env bash
# Installs what is missing, builds the program, installs the program folder into <raiz>/GDVorn2010
# (<raiz> is $GDVORN_RAIZ, or the home folder) without overwriting the tables of an existing installation,
# and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencias.sh
instala_dependencias

raiz="${GDVORN_RAIZ:-$HOME}"
pasta="$raiz/GDVorn2010"

cmake --preset release
# Only the program and its data folder: the tests and benchmarks are built by scripts/test.sh.
cmake --build --preset release -j "$(nproc)" --target gdvorn
cmake --install build/release --prefix "$pasta"

exec "$pasta/gdvorn"
