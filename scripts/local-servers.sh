# shellcheck shell=bash
# The local servers of the run command, to be sourced: a private ngIRCd and Chattle's reference
# service, both on loopback. A start leaves alone a port that something already listens on (a server
# the user runs); what it does start is recorded in started_pids and ended by stop_started_servers.

started_pids=()
local_servers_dir=""

# True when something accepts connections on 127.0.0.1:<port>.
port_listening() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# True while <pid> runs (a child that has ended but was not yet waited for does not count).
process_alive() {
  [ -r "/proc/$1/stat" ] && ! grep -q '^[0-9]* (.*) Z' "/proc/$1/stat" 2>/dev/null
}

# Waits, for at most about ten seconds, until <port> accepts connections; fails early when <pid> ends.
wait_until_listening() {
  local port=$1 pid=$2
  for _ in $(seq 100); do
    port_listening "$port" && return 0
    process_alive "$pid" || return 1
    sleep 0.1
  done
  return 1
}

# launch_server <port> <output file> <command...>: runs the command in the background with its output
# in the folder and records it once it listens on <port>; otherwise shows its output and fails.
launch_server() {
  local port=$1 output=$local_servers_dir/$2
  shift 2
  "$@" > "$output" 2>&1 &
  local pid=$!
  if ! wait_until_listening "$port" "$pid"; then
    echo "$1 did not start on 127.0.0.1:$port:" >&2
    cat "$output" >&2
    kill "$pid" 2>/dev/null || true
    return 1
  fi
  started_pids+=("$pid")
}

# The folder for the configuration and the logs, made on first use and removed by stop_started_servers.
servers_dir() {
  if [ -z "$local_servers_dir" ]; then
    local_servers_dir=$(mktemp -d "${TMPDIR:-/tmp}/chattle-servers.XXXXXX")
  fi
}

# start_ngircd <port>: an IRC server on 127.0.0.1 that lets anyone create channels and join as many
# as they like, with nicknames as long as Chattle's editor allows.
start_ngircd() {
  local port=$1 ngircd=${NGIRCD:-/usr/sbin/ngircd}
  if port_listening "$port"; then
    echo "Something already listens on 127.0.0.1:$port; Chattle uses that IRC server."
    return 0
  fi
  if [ ! -x "$ngircd" ]; then
    echo "$ngircd is missing: install the ngircd package." >&2
    return 1
  fi
  servers_dir
  cat > "$local_servers_dir/ngircd.conf" <<CONF
[Global]
	Name = chattle.local
	Info = Chattle's local IRC server
	AdminInfo1 = Chattle's run command
	AdminInfo2 = Loopback only
	AdminEMail = nobody@chattle.local
	Listen = 127.0.0.1
	Ports = $port
	MotdPhrase = "Welcome to Chattle's local server"
[Limits]
	MaxConnectionsIP = 0
	MaxJoins = 0
	MaxNickLength = 20
[Options]
	DNS = no
	Ident = no
	PAM = no
CONF
  launch_server "$port" ngircd.log "$ngircd" -n -f "$local_servers_dir/ngircd.conf" || return 1
  echo "Started ngIRCd on 127.0.0.1:$port."
}

# start_service <executable> <port> <log file>: Chattle's reference service, which answers the version
# check and appends the information lines it receives to the log file. Chattle runs without it too
# (its service client keeps trying in the background), so a missing executable is only reported.
start_service() {
  local executable=$1 port=$2 log=$3
  if port_listening "$port"; then
    echo "Something already listens on 127.0.0.1:$port; Chattle uses that service."
    return 0
  fi
  if [ ! -x "$executable" ]; then
    echo "No $executable: Chattle runs without its service."
    return 0
  fi
  servers_dir
  launch_server "$port" service.log "$executable" --bind 127.0.0.1 --port "$port" "$log" || return 1
  echo "Started Chattle's service on 127.0.0.1:$port (log: $log)."
}

# Ends every server started here (asked politely first, for at most five seconds each) and removes
# the folder. Safe to call more than once.
stop_started_servers() {
  local pid
  for pid in "${started_pids[@]}"; do
    kill -TERM "$pid" 2>/dev/null || true
  done
  for pid in "${started_pids[@]}"; do
    for _ in $(seq 50); do
      process_alive "$pid" || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  started_pids=()
  if [ -n "$local_servers_dir" ]; then
    rm -rf "$local_servers_dir"
    local_servers_dir=""
  fi
}
