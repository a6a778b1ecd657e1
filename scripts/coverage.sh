#!/usr/bin/env bash
# Line coverage of the game's code by the whole test suite: a gcov build of
# the tests, every test run once, then a gcovr report of src/.
#   scripts/coverage.sh [build dir]     (default build-cov; report in <dir>/coverage/)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-cov}"
jobs=${JOBS:-2}
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZANDO_COVERAGE=ON -DZANDO_BENCHMARKS=OFF -DZANDO_GENERATE=OFF >/dev/null
targets=(zando_unit_tests zando2)
grep -q '^zando_window_tests:' <(cmake --build "$build" --target help | sed 's/^\.\.\. //; s/ .*//; s/$/:/') &&
  targets+=(zando_window_tests)
cmake --build "$build" -j"$jobs" --target "${targets[@]}"
find "$build" -name '*.gcda' -delete
# A failing test still counts its lines; the test run itself is the normal build's job.
ctest --test-dir "$build" -j"$jobs" >"$build/ctest.log" 2>&1 || echo "some tests failed; see $build/ctest.log" >&2

mkdir -p "$build/coverage"
common=(--root . --object-directory "$build" --filter 'src/' --exclude-unreachable-branches)
gcovr "${common[@]}" --html-details "$build/coverage/index.html" --txt "$build/coverage/all.txt" >/dev/null
# Game logic: everything but the window's own face (the real window has its own tests).
gcovr "${common[@]}" --exclude 'src/platform/qt/' --txt "$build/coverage/logic.txt" >/dev/null
all=$(awk '/^TOTAL/ {print $NF}' "$build/coverage/all.txt")
logic=$(awk '/^TOTAL/ {print $NF}' "$build/coverage/logic.txt")
echo "line coverage of src/: $all (game logic without src/platform/qt/: $logic)"
echo "per file: $build/coverage/all.txt, $build/coverage/logic.txt; pages: $build/coverage/index.html"
