#!/usr/bin/env bash
# The run command's local IRC server: it starts on a free port and welcomes a client, a second start
# on a taken port starts nothing, and stopping ends the server and removes its folder.
#   local_servers_test.sh <scripts/local-servers.sh>
set -euo pipefail
# shellcheck source=scripts/local-servers.sh
. "$1"
trap stop_started_servers EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

port=""
for candidate in $(shuf -i 20000-29999 -n 50); do
  if ! port_listening "$candidate"; then port=$candidate; break; fi
done
[ -n "$port" ] || fail "no free port"

start_ngircd "$port"
start_ngircd "$port"
[ ${#started_pids[@]} -eq 1 ] || fail "started ${#started_pids[@]} servers, expected one"
server=${started_pids[0]}
folder=$local_servers_dir

exec 3<>"/dev/tcp/127.0.0.1/$port"
printf 'NICK chattle_probe\r\nUSER probe 0 * :probe\r\n' >&3
welcomed=no
for _ in $(seq 50); do
  IFS= read -r -t 10 line <&3 || break
  case $line in *" 001 chattle_probe "*) welcomed=yes; break ;; esac
done
exec 3>&-
[ $welcomed = yes ] || fail "no welcome from the local server with a 13-character nickname"

stop_started_servers
! process_alive "$server" || fail "ngircd still runs"
! port_listening "$port" || fail "the port is still taken"
[ ! -e "$folder" ] || fail "the configuration folder is left behind"
