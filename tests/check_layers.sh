#!/usr/bin/env bash
# Fails when a source folder includes a folder above it or beside it, or when a folder meant to
# stay free of Qt (or of Qt Widgets) includes it.
set -uo pipefail
cd "$(dirname "$0")/../src"

# Lowest first; a folder may include only itself and folders listed in its line.
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
  [catalogue]="platform db data support support/xml"
  [schedule]="platform day db data support support/xml exchange planner/model planner/paint planner/widget catalogue"
  [app]="platform day db data support support/xml exchange planner/model planner/paint planner/widget catalogue schedule"
)
NO_QT="day db data support/xml exchange planner/model"
NO_QT_WIDGETS="planner/paint"

folder_of() {
  local path=$1 best=""
  for folder in "${!ALLOWED[@]}"; do
    case "$path" in "$folder"/*) [ ${#folder} -gt ${#best} ] && best=$folder ;; esac
  done
  echo "$best"
}

failures=0
fail() { echo "check_layers: $1" >&2; failures=$((failures + 1)); }

while IFS= read -r -d '' file; do
  from=$(folder_of "$file")
  [ -n "$from" ] || { fail "$file lies in no known folder"; continue; }
  while IFS= read -r target; do
    to=$(folder_of "$target")
    [ -z "$to" ] || [ "$to" = "$from" ] && continue
    [[ " ${ALLOWED[$from]} " == *" $to "* ]] || fail "$file includes $target ($from may not use $to)"
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -print0 | sed -z 's#^\./##')

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

[ "$failures" -eq 0 ] && echo "check_layers: every include runs downwards" && exit 0
exit 1
