#!/usr/bin/env bash
# Runs Chattle: installs the Debian packages it needs, builds a Release tree in build-release/
# (incrementally after the first time), starts a local IRC server on 127.0.0.1:6667 and Chattle's
# service on 127.0.0.1:8009 (each unless something already listens there), runs Chattle, and stops
# what it started when Chattle ends, on Ctrl+C too.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/local-servers.sh

./scripts/install-deps.sh
build="build-release"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHATTLE_TESTS=OFF -DCHATTLE_BENCH=OFF
fi
cmake --build "$build" -j "$(nproc)"
if [ ! -x "$build/chattle" ]; then
  echo "$build/chattle was not built." >&2
  exit 1
fi

chattle_pid=""
finish() {
  if [ -n "$chattle_pid" ] && process_alive "$chattle_pid"; then
    kill -TERM "$chattle_pid" 2>/dev/null || true
    wait "$chattle_pid" 2>/dev/null || true
  fi
  stop_started_servers
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

start_ngircd 6667
start_service "$build/chattle-service" 8009 "$PWD/$build/chattle-service.log"

# In the background, so that Ctrl+C and a TERM reach this script's traps at once.
"$build/chattle" &
chattle_pid=$!
status=0
wait "$chattle_pid" || status=$?
chattle_pid=""
exit "$status"
