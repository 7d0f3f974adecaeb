#!/usr/bin/env bash
# Checks that every include stays within its library's links; installs what is missing, builds everything
# and runs every test; then builds the widget-free code with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs its tests again. In CI (CI=true) warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/verifica-camadas.sh
source scripts/dependencias.sh
instala_dependencias

preset=dev
if [ "${CI:-}" = "true" ]; then
    preset=ci
fi
jobs=$(nproc)

cmake --preset "$preset"
cmake --build --preset "$preset" -j "$jobs"
ctest --preset "$preset" -j "$jobs"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j "$jobs"
