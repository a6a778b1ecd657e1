#!/usr/bin/env bash
# Mutation run: each mutant of tests/mutants.txt changes one piece of text of
# one source file. Every mutant is applied alone to a copy of the sources,
# rebuilt there and tested with the unit and scenario tests: a failing test
# catches it, a green run misses it. Prints one line per mutant and the
# score. Not part of scripts/test.sh (it takes long).
#   scripts/mutants.sh [BUILD_DIR] [N | A-B ...]   (default build-mutants/, every mutant)
# N and A-B choose mutants by their number in the list (counting from 1).
# A line of tests/mutants.txt is   FILE @@ TEXT @@ REPLACEMENT   where TEXT
# must occur exactly once in FILE (\n in TEXT and REPLACEMENT stands for a
# line break); blank lines and lines starting with # are skipped. A mutant
# whose text is not found once, or whose build fails, is reported as such and
# counts neither as caught nor as missed.
#
# Two passes: the first builds only the game and runs the golden scenarios,
# which catch most mutants; the second builds the rest (the unit tests and
# the autoplayer) and runs every other test for the mutants the first missed.
# The tests of the content generators are left out: no rule reaches them.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(realpath -m "${1:-build-mutants}")
shift || true
chosen() {  # is mutant $1 among the numbers and ranges asked for?
  (( $# == 1 )) && return 0
  local n=$1 a
  shift
  for a in "$@"; do
    if [[ $a == *-* ]]; then (( n >= ${a%-*} && n <= ${a#*-} )) && return 0
    elif (( n == a )); then return 0; fi
  done
  return 1
}
tree=$work/tree
build=$tree/build
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

# A copy of the sources as they stand (tracked and new files), laid out like
# the checkout so that the compiler cache serves every unchanged file.
mkdir -p "$tree"
git ls-files -co --exclude-standard -z | tar --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -xf - -C "$tree"
# A run stopped halfway may have left a mutant's objects newer than its file.
grep -v '^#' tests/mutants.txt | sed -n 's/ @@ .*//p' | sort -u | while read -r f; do touch "$tree/$f"; done
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >"$work/configure.log" || {
  echo "configure failed: see $work/configure.log" >&2; exit 2; }

available=$(cmake --build "$build" --target help)
optional() { for t in "$@"; do if grep -qw -- "$t" <<<"$available"; then echo "$t"; fi; done; }
players='^(autoplay|chaos)[.]'
# Pass 1: the game and the scenarios of the headless driver.
quick() {
  cmake --build "$build" -j2 --target zando2 zando_fixtures >"$work/build.log" 2>&1 || return 2
  ctest --test-dir "$build" -L scenario -E "$players" -j2 --timeout 120 --stop-on-failure >"$work/ctest.log" 2>&1 || return 1
}
# Pass 2: everything else of the unit and scenario labels.
rest() {
  cmake --build "$build" -j2 --target zando2 zando_unit_tests $(optional zando2-autoplay zando_autoplay_tests) \
        >"$work/build.log" 2>&1 || return 2
  ctest --test-dir "$build" -L 'unit|scenario' -R "$players|^[A-Z]" -E '^(Cggen|Datgen|Sndgen)[.]' -j2 --timeout 120 \
        --stop-on-failure >"$work/ctest.log" 2>&1 || return 1
}
# The first test of ctest's closing list of failures (a test's own name may hold "Failed").
failed() { sed -n '/The following tests FAILED:/{n;p;q}' "$work/ctest.log" | sed -E 's/^[[:space:]]*[0-9]+ - ([^ ]+).*/\1/'; }

baseline() {
  "$1"
  case $? in
    0) ;;
    2) echo "the unmutated sources do not build: see $work/build.log" >&2; exit 2 ;;
    *) echo "the unmutated sources fail their tests ($(failed)): see $work/ctest.log" >&2; exit 2 ;;
  esac
}

# Reads the list: labels, files, texts and replacements by number.
declare -a files texts repls labels
n=0
while IFS= read -r line || [ -n "$line" ]; do
  [[ -z "${line// }" || "$line" == \#* ]] && continue
  n=$((n + 1))
  chosen "$n" "$@" || continue
  files[n]=${line%% @@ *}
  rest_=${line#* @@ }
  texts[n]=${rest_%% @@ *}
  repls[n]=${rest_#* @@ }
  labels[n]="#$n ${files[n]}: ${texts[n]} -> ${repls[n]}"
done <tests/mutants.txt

# Applies mutant $1 to the copy, keeping the file as it was; fails when its
# text is not found exactly once. The copy, not the checkout, is the source:
# the checkout may change while the run goes on.
apply() {
  local f=$tree/${files[$1]}
  local count
  cp "$f" "$work/unmutated"
  count=$(TEXT=${texts[$1]} perl -0777 -ne '($t = $ENV{TEXT}) =~ s/\\n/\n/g; $c = () = /\Q$t\E/g; print $c' \
          "$work/unmutated" 2>/dev/null || echo 0)
  [ "$count" = 1 ] || { echo "$count"; return 1; }
  TEXT=${texts[$1]} REPL=${repls[$1]} perl -0777 -pe \
    'BEGIN { ($t = $ENV{TEXT}) =~ s/\\n/\n/g; ($r = $ENV{REPL}) =~ s/\\n/\n/g } s/\Q$t\E/$r/' "$work/unmutated" >"$f"
}
restore() { cp "$work/unmutated" "$tree/${files[$1]}"; }

caught=0 missed=0 invalid=0
survivors=()
baseline quick
for i in "${!labels[@]}"; do
  if ! found=$(apply "$i"); then
    echo "NOT FOUND  ${labels[i]} (text found $found times)"
    invalid=$((invalid + 1))
    continue
  fi
  quick
  rc=$?
  restore "$i"
  case $rc in
    0) survivors+=("$i") ;;
    1) echo "caught     ${labels[i]} ($(failed))"; caught=$((caught + 1)) ;;
    *) echo "NO BUILD   ${labels[i]}"; invalid=$((invalid + 1)) ;;
  esac
done

missed_list=()
if (( ${#survivors[@]} > 0 )); then
  baseline rest
  for i in "${survivors[@]}"; do
    apply "$i" >/dev/null
    rest
    rc=$?
    restore "$i"
    case $rc in
      0) echo "MISSED     ${labels[i]}"; missed=$((missed + 1)); missed_list+=("${labels[i]}") ;;
      1) echo "caught     ${labels[i]} ($(failed))"; caught=$((caught + 1)) ;;
      *) echo "NO BUILD   ${labels[i]}"; invalid=$((invalid + 1)) ;;
    esac
  done
fi

total=$((caught + missed))
echo
echo "caught $caught, missed $missed, not applied $invalid"
if (( total > 0 )); then
  echo "score: $((caught * 100 / total)) % ($caught of $total)"
fi
for m in "${missed_list[@]}"; do echo "missed: $m"; done
