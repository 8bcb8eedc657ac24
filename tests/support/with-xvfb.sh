#!/usr/bin/env bash
# Runs a test program against its own virtual X display: Xvfb picks a free
# display number and reports it, the test runs, and that Xvfb is stopped.
set -u
xvfb=$1
shift
displayfile=$(mktemp)
"$xvfb" -displayfd 1 -screen 0 800x600x24 -nolisten tcp >"$displayfile" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$displayfile" ] && break
  sleep 0.1
done
display=$(head -n1 "$displayfile")
rm -f "$displayfile"
if [ -z "$display" ]; then
  echo "Xvfb did not start" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi
DISPLAY=":$display" "$@"
status=$?
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null
exit $status
