# Sourced by the package tests: serve_folder FOLDER serves it on a free port of
# the loopback address, as a static host would, and sets `server` (its process)
# and `port`.
serve_folder() {
  local log
  log=$(mktemp)
  python3 -u -m http.server --bind 127.0.0.1 --directory "$1" 0 >"$log" 2>&1 &
  server=$!
  port=
  for _ in $(seq 100); do
    port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$log")
    [[ -n $port ]] && break
    sleep 0.1
  done
  rm -f "$log"
  [[ -n $port ]] || { echo "FAIL: no server for $1" >&2; return 1; }
}
