#!/usr/bin/env bash
# Fails when clang-format, with the root .clang-format, would change a tracked C++ file of src/,
# tests/ or bench/.
set -uo pipefail
cd "$(dirname "$0")/.."

mapfile -d '' files < <(git ls-files -z -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h')
[ "${#files[@]}" -gt 0 ] || { echo "check_format: no C++ files found" >&2; exit 1; }

report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1)
status=$?
[ "$status" -eq 0 ] && echo "check_format: ${#files[@]} files as clang-format has them" && exit 0
unformatted=$(sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' \
  <<<"$report" | sort -u)
[ -n "$unformatted" ] || { echo "$report" >&2; exit 1; }
while IFS= read -r file; do
  echo "check_format: $file is not as clang-format has it; fix it with: clang-format -i $file" >&2
done <<<"$unformatted"
exit 1
