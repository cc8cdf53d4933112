#!/usr/bin/env bash
# The run command's local servers: the IRC server starts on a free port and welcomes a client, a
# second start on a taken port starts nothing, the service (when built) starts with the arguments it
# takes and answers the version check, and stopping ends them all and removes their folder.
#   local_servers_test.sh <scripts/local-servers.sh> [<chattle-service executable>]
set -euo pipefail
# shellcheck source=scripts/local-servers.sh
. "$1"
trap stop_started_servers EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

free_port() {
  local candidate
  for candidate in $(shuf -i 20000-29999 -n 50); do
    if ! port_listening "$candidate"; then echo "$candidate"; return 0; fi
  done
  fail "no free port"
}

# reply_to <port> <lines to send> <glob>: true when one of the first lines received matches.
reply_to() {
  local line
  exec 3<>"/dev/tcp/127.0.0.1/$1"
  printf '%b' "$2" >&3
  for _ in $(seq 50); do
    IFS= read -r -t 10 line <&3 || break
    # shellcheck disable=SC2254 # the pattern is a glob on purpose
    case $line in $3) exec 3>&-; return 0 ;; esac
  done
  exec 3>&-
  return 1
}

port=$(free_port)

start_ngircd "$port"
start_ngircd "$port"
[ ${#started_pids[@]} -eq 1 ] || fail "started ${#started_pids[@]} servers, expected one"
folder=$local_servers_dir

reply_to "$port" 'NICK chattle_probe\r\nUSER probe 0 * :probe\r\n' "* 001 chattle_probe *" ||
  fail "no welcome from the local server with a 13-character nickname"

if [ -n "${2:-}" ]; then
  service_port=$(free_port)
  start_service "$2" "$service_port" "$local_servers_dir/info.log"
  [ ${#started_pids[@]} -eq 2 ] || fail "the service was not started"
  reply_to "$service_port" 'CLOGIN CHATTLE\r\nCREQUEST VERSION\r\n' "VERSION B1.4*" || fail "no version reply"
fi

servers=("${started_pids[@]}")
stop_started_servers
for pid in "${servers[@]}"; do
  ! process_alive "$pid" || fail "a server still runs"
done
! port_listening "$port" || fail "the port is still taken"
[ ! -e "$folder" ] || fail "the configuration folder is left behind"
