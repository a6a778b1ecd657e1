#!/usr/bin/env bash
# Mutation run: each mutant of tests/mutants.txt changes one piece of text of
# one source file. Every mutant is applied alone to a copy of the sources, the
# game and the unit tests are rebuilt there, and the unit and scenario tests
# run: a failing test catches the mutant, a green run misses it. Prints one
# line per mutant and the score. Not part of scripts/test.sh (it takes long).
#   scripts/mutants.sh [BUILD_DIR] [FIRST [LAST]]   (default build-mutants/, every mutant)
# A line of tests/mutants.txt is   FILE @@ TEXT @@ REPLACEMENT   where TEXT
# must occur exactly once in FILE (\n in TEXT and REPLACEMENT stands for a
# line break); blank lines and lines starting with # are
# skipped. A mutant whose text is not found once, or whose build fails, is
# reported as such and counts neither as caught nor as missed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(realpath -m "${1:-build-mutants}")
first=${2:-1}
last=${3:-1000000}
tree=$work/tree
build=$tree/build
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

# A copy of the sources as they stand (tracked and new files), laid out like
# the checkout so that the compiler cache serves every unchanged file.
mkdir -p "$tree"
git ls-files -co --exclude-standard -z | tar --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -xf - -C "$tree"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >"$work/configure.log" || {
  echo "configure failed: see $work/configure.log" >&2; exit 2; }

# The golden scenarios first: they catch most mutants and need only the game,
# so the rest (the unit tests and the autoplayer's runs) is built and run only
# for a mutant that passes them. The tests of the content generators are left
# out: no rule reaches them.
available=$(cmake --build "$build" --target help)
optional() { for t in "$@"; do if grep -qw -- "$t" <<<"$available"; then echo "$t"; fi; done; }
rest_targets=(zando_unit_tests $(optional zando2-autoplay zando_autoplay_tests))
players='^(autoplay|chaos)[.]'
run_tests() {
  cmake --build "$build" -j2 --target zando2 zando_fixtures >"$work/build.log" 2>&1 || return 2
  ctest --test-dir "$build" -L scenario -E "$players" -j2 --timeout 120 --stop-on-failure >"$work/ctest.log" 2>&1 || return 1
  cmake --build "$build" -j2 --target "${rest_targets[@]}" >>"$work/build.log" 2>&1 || return 2
  ctest --test-dir "$build" -L 'unit|scenario' -R "$players|^[A-Z]" -E '^(Cggen|Datgen|Sndgen)[.]' -j2 --timeout 120 \
        --stop-on-failure >"$work/ctest.log" 2>&1 || return 1
  return 0
}

run_tests
case $? in
  0) ;;
  2) echo "the unmutated sources do not build: see $work/build.log" >&2; exit 2 ;;
  *) echo "the unmutated sources fail their tests: see $work/ctest.log" >&2; exit 2 ;;
esac

caught=0 missed=0 invalid=0 n=0
missed_list=()
while IFS= read -r line || [ -n "$line" ]; do
  [[ -z "${line// }" || "$line" == \#* ]] && continue
  n=$((n + 1))
  (( n < first || n > last )) && continue
  file=${line%% @@ *}
  rest=${line#* @@ }
  text=${rest%% @@ *}
  repl=${rest#* @@ }
  label="#$n $file: $text -> $repl"
  count=$(TEXT=$text perl -0777 -ne '($t = $ENV{TEXT}) =~ s/\\n/\n/g; $c = () = /\Q$t\E/g; print $c' "$root/$file" 2>/dev/null || echo 0)
  if [ "$count" != 1 ]; then
    echo "NOT FOUND  $label (text found $count times)"
    invalid=$((invalid + 1))
    continue
  fi
  TEXT=$text REPL=$repl perl -0777 -pe 'BEGIN { ($t = $ENV{TEXT}) =~ s/\\n/\n/g; ($r = $ENV{REPL}) =~ s/\\n/\n/g } s/\Q$t\E/$r/' "$root/$file" >"$tree/$file"
  run_tests
  rc=$?
  cp "$root/$file" "$tree/$file"
  case $rc in
    0) echo "MISSED     $label"; missed=$((missed + 1)); missed_list+=("$label") ;;
    1) echo "caught     $label ($(grep -m1 -E '\*\*\*|Failed' "$work/ctest.log" | sed -E 's/.*#[0-9]+: ([^ ]+).*/\1/'))"; caught=$((caught + 1)) ;;
    *) echo "NO BUILD   $label"; invalid=$((invalid + 1)) ;;
  esac
done <tests/mutants.txt

total=$((caught + missed))
echo
echo "caught $caught, missed $missed, not applied $invalid"
if (( total > 0 )); then
  echo "score: $((caught * 100 / total)) % ($caught of $total)"
fi
for m in "${missed_list[@]}"; do echo "missed: $m"; done
