#!/bin/sh
# Runs one Windows executable under Wine for ctest. A Wine process that ends
# before the program writes anything leaves ctest an empty log; this line
# says how it ended, so that such a failure can be told from a test's own.
"${ACE_WINE:-/usr/lib/wine/wine64}" "$@"
rc=$?
if [ "$rc" -ne 0 ]; then
  server=down
  ls "/tmp/.wine-$(id -u)"/server-*/socket >/dev/null 2>&1 && server=up
  echo "wine-run: $1 ended with exit code $rc at $(date +%T.%N), wineserver $server" >&2
fi
exit "$rc"
