#!/usr/bin/env bash
# A shipped Windows file as the build leaves it: stripped, its debug information in FILE.debug
# named by the file's .gnu_debuglink, and reproducible: no path of the checkout or the build
# tree in either file (a build elsewhere would differ), and the same bytes when its resources
# are compiled and it is linked again a second later (a time stamp would differ).
#
#     check_shipped_file.sh OBJDUMP BUILD_DIR TARGET FILE
set -euo pipefail
objdump=$1 build=$2 target=$3 file=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
name=$(basename "$file")
failures=0
fail() { echo "FAIL: $name: $*"; failures=$((failures + 1)); }

sections() { "$objdump" -h "$1" | awk '$1 ~ /^[0-9]+$/ {print $2}'; }
sections "$file" | grep -q '^\.debug_' && fail "still carries debug sections: $(sections "$file" | grep '^\.debug_' | tr '\n' ' ')"
sections "$file" | grep -qx '\.gnu_debuglink' || fail "names no debug file (.gnu_debuglink)"
sections "$file.debug" | grep -qx '\.debug_info' || fail "$name.debug holds no debug information"
# Each path as written, and as tools that make names of it write it (dlltool: /work/x -> _work_x).
for path in "$root" "$(cd "$build" && pwd)"; do
  for form in "$path" "$(printf '%s' "$path" | sed 's/[^A-Za-z0-9]/_/g')"; do
    for f in "$file" "$file.debug"; do
      grep -qaF "$form" "$f" && fail "$(basename "$f") holds the path $form"
    done
  done
done

before=$(sha256sum "$file" "$file.debug" | cut -d' ' -f1)
sleep 1
rm -f "$file"
find "$build" -path "*/CMakeFiles/$target.dir/*" -name '*.rc.res' -delete
cmake --build "$build" --target "$target" >/dev/null
after=$(sha256sum "$file" "$file.debug" | cut -d' ' -f1)
[ "$before" = "$after" ] || fail "linked again a second later it differs (sha256 $(echo $before) then $(echo $after))"

if [ $failures -ne 0 ]; then exit 1; fi
echo "$name: stripped ($(stat -c %s "$file") bytes), debug information in $name.debug, no build path, the same bytes when linked again"
