#!/usr/bin/env bash
# Builds Chattle with AddressSanitizer, UndefinedBehaviorSanitizer (leak checking on) and warnings as
# errors, and runs every test. CHATTLE_COMPILER=clang builds with clang into build-test-clang instead
# of the default compiler into build-test; BUILD_DIR overrides the folder.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
case ${CHATTLE_COMPILER:-default} in
  default) build=${BUILD_DIR:-build-test} ;;
  clang) build=${BUILD_DIR:-build-test-clang}; export CC=clang CXX=clang++ ;;
  *) echo "CHATTLE_COMPILER is clang or unset" >&2; exit 2 ;;
esac
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCHATTLE_SANITIZE=ON -DFATAL_WARNINGS=ON
cmake --build "$build" -j "$(nproc)"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
