#!/usr/bin/env bash
# The demo: wlanhost's shell runs host/demo/session.txt on the simulated
# world of host/demo/world.json, then this script checks that the session
# went as the demo says. Usage: run.sh <command that starts wlanhost...>
# (under Wine: run.sh wine64 wlanhost.exe).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WLAN_SIM_WORLD="${WLAN_SIM_WORLD:-$here/world.json}"
out=$(mktemp)
trap 'rm -f "$out"' EXIT

"$@" shell < "$here/session.txt" 2>&1 | tee "$out"
rc=${PIPESTATUS[0]}

fail=0
expect() {  # expect <what> <count> <fixed text>
  local n
  n=$(grep -cF -- "$3" "$out")
  if [ "$n" -ne "$2" ]; then
    echo "demo: expected $2 x '$3' ($1), saw $n" >&2
    fail=1
  fi
}
expect "the wrong key fails, with the result" 1 'failed: result 201'
expect "two connects succeed" 2 'connected to "Contoso Home"'
expect "the lost link is heard" 1 'heard the disconnected callback'
expect "status while connected" 1 'state:             CONNECTED'
# The first and last profile lines name the same stored profile.
first=$(grep -F 'profile "Contoso Home":' "$out" | head -1)
last=$(grep -F 'profile "Contoso Home":' "$out" | tail -1)
if [ -z "$first" ] || [ "$first" != "$last" ] || ! grep -q 'mode auto' <<<"$first"; then
  echo "demo: the user's profile did not come back: '$first' then '$last'" >&2
  fail=1
fi
# The wrong key is the session's one failure: exit code 1, not 2 or a crash.
if [ "$rc" -ne 1 ]; then
  echo "demo: wlanhost shell exited with $rc, expected 1 (the wrong key)" >&2
  fail=1
fi
[ $fail -eq 0 ] && echo "demo: every step as expected"
exit $fail
