#!/usr/bin/env bash
# Fails when a source folder uses a folder above it or beside it, by an include or by a link in the
# target graph of the configured build (build/, or the folder given), or when a folder meant to
# stay free of Qt (or of Qt Widgets) includes it.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
cd "$root/src"

# Lowest first; a folder may use (include, or link) only itself and the folders in its line.
declare -A ALLOWED=(
  [platform]=""
  [day]="platform"
  [db]="platform"
  [data]="platform db"
  [support]="platform db"
  [support/xml]="platform"
  [planner/model]="platform"
  [planner/paint]="platform support support/xml planner/model"
  [planner/widget]="platform support support/xml planner/model planner/paint"
  [exchange]="platform day support support/xml"
  [handover]="platform day"
  [catalogue]="platform db data support support/xml"
  [schedule]="platform day db data support support/xml exchange handover planner/model planner/paint planner/widget catalogue"
  [app]="platform day db data support support/xml exchange handover planner/model planner/paint planner/widget catalogue schedule"
)
NO_QT="day db data support/xml exchange planner/model"
NO_QT_WIDGETS="planner/paint handover"

folder_of() {
  local path=$1 best=""
  for folder in "${!ALLOWED[@]}"; do
    case "$path" in "$folder"/*) [ ${#folder} -gt ${#best} ] && best=$folder ;; esac
  done
  echo "$best"
}

failures=0
fail() { echo "check_layers: $1" >&2; failures=$((failures + 1)); }

# True when folder $1 may use folder $2.
may_use() { [ "$1" = "$2" ] || [[ " ${ALLOWED[$1]} " == *" $2 "* ]]; }

while IFS= read -r -d '' file; do
  from=$(folder_of "$file")
  [ -n "$from" ] || { fail "$file lies in no known folder"; continue; }
  while IFS= read -r target; do
    to=$(folder_of "$target")
    [ -z "$to" ] || may_use "$from" "$to" || fail "$file includes $target ($from may not use $to)"
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -print0 | sed -z 's#^\./##')

# The folder of each target made in src/; the targets of tests/ and bench/ use the libraries as
# consumers, and nothing in src/ may link them.
declare -A TARGET_FOLDER=() CONSUMER=()
read_targets() {
  local list dir target
  while IFS= read -r -d '' list; do
    dir=$(dirname "$list")
    for target in $(sed -n 's/^ *add_\(library\|executable\)(\([A-Za-z0-9_]*\).*/\2/p' "../$list"); do
      case "$dir" in
        src/*) TARGET_FOLDER[$target]=$(folder_of "${dir#src/}/")
          [ -n "${TARGET_FOLDER[$target]}" ] || fail "$list makes $target in no known folder" ;;
        *) CONSUMER[$target]=$dir ;;
      esac
    done
  done < <(cd .. && find src tests bench -name CMakeLists.txt -print0)
}

check_links() {
  local graph from to
  [ -f "$build/CMakeCache.txt" ] || { fail "no configured build in $build: run ./setup first"; return; }
  graph=$(mktemp -d)
  if ! cmake --graphviz="$graph/targets.dot" "$build" >"$graph/cmake.log" 2>&1; then
    cat "$graph/cmake.log" >&2
    fail "cmake could not write the target graph of $build"
  fi
  read_targets
  [ ${#TARGET_FOLDER[@]} -gt 0 ] || fail "found no targets in src/"
  while read -r from to; do
    [ -n "${TARGET_FOLDER[$from]:-}" ] || continue
    if [ -n "${CONSUMER[$to]:-}" ]; then
      fail "$from links $to, a target of ${CONSUMER[$to]}"
    elif [ -n "${TARGET_FOLDER[$to]:-}" ] && ! may_use "${TARGET_FOLDER[$from]}" "${TARGET_FOLDER[$to]}"; then
      fail "$from links $to (${TARGET_FOLDER[$from]} may not use ${TARGET_FOLDER[$to]})"
    fi
  done < <(sed -n 's#.*// \(.*\) -> \(.*\)$#\1 \2#p' "$graph/targets.dot" 2>/dev/null | sort -u)
  rm -rf "$graph"
}
check_links

check_no_include() {
  local folder=$1 pattern=$2 what=$3 file
  [ -d "$folder" ] || return 0
  while IFS= read -r file; do
    case "$file" in platform/Qt*) continue ;; esac
    fail "$file includes $what"
  done < <(grep -rlE "^#include <($pattern)" "$folder" --include='*.h' --include='*.cpp')
}
for folder in $NO_QT; do check_no_include "$folder" 'Q|qt' Qt; done
for folder in $NO_QT_WIDGETS; do check_no_include "$folder" 'QtWidgets|QWidget|QAbstract|QApplication' "Qt Widgets"; done
check_no_include platform 'Q|qt' Qt

[ "$failures" -eq 0 ] && echo "check_layers: every include and link runs downwards" && exit 0
exit 1
