#!/bin/sh
# One line of the test command's summary: PRESET RESULT CTEST-LOG -> "win32: passed; SKIPPED, not
# passed: mezura_tests help_file (why)". CTest lists what did not run as "  N - name (Skipped)".
preset=$1 result=$2 log=$3
skipped=$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (Skipped)$/\1/p' "$log" | tr '\n' ' ' | sed 's/ $//')
line="$preset: $result"
if [ -n "$skipped" ]; then
  line="$line; SKIPPED, not passed: $skipped"
  if [ "$preset" = win32 ] && why=$("$(dirname "$0")/wine32-status.sh"); [ -n "$why" ]; then
    line="$line ($why)"
  fi
fi
echo "$line"
