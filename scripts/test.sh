#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build and its tests, the
# same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, the
# data check of the shipped content, the checks of the Debian package, then
# a short run of every fuzzer.
#   JOBS=2           parallel jobs for builds and tests
#   FUZZ_SECONDS=25  time each fuzzer runs (0 skips the fuzzers)
#   CHAOS_STEPS=5000 steps of each sanitized chaos run
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
here="$(pwd)"
jobs=${JOBS:-2}
fuzz_seconds=${FUZZ_SECONDS:-25}

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
# Any sanitizer report fails the run. Leaks inside third-party libraries that
# keep caches until exit are listed in tests/lsan.supp; ours are not.
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"

step() { printf '\n=== %s (%d s)\n' "$*" "$SECONDS"; }

step "build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"

step "tests"
ctest --test-dir build --output-on-failure -j"$jobs"

step "sanitizer build"
# Unoptimised: it builds three times faster, and the checks are the same.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZANDO_SANITIZE=ON -DZANDO_BENCHMARKS=OFF -DZANDO_GENERATE=OFF
targets=(zando2 zando_unit_tests)
# Read the list whole: with pipefail, grep -q closing the pipe early would fail the listing.
available=$(cmake --build build-asan --target help)
for optional in zando_window_tests zando2-autoplay zando_autoplay_tests; do
  if grep -qw -- "$optional" <<<"$available"; then targets+=("$optional"); fi
done
cmake --build build-asan -j"$jobs" --target "${targets[@]}"

step "tests under ASan and UBSan"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

if [ -x build-asan/tools/autoplay/zando2-autoplay ]; then
  # Random play from NEW GAME with the game's invariants checked after every
  # step; a broken one prints its seed, step and a replay script, and fails.
  step "chaos run under ASan and UBSan"
  chaos=(build-asan/tools/autoplay/zando2-autoplay --chaos --steps "${CHAOS_STEPS:-5000}")
  for seed in 1 2; do "${chaos[@]}" --seed "$seed" --root build/tests/fixtures/mini; done
  if [ -f game/dat/enemy.dat ]; then
    for seed in 3 4; do "${chaos[@]}" --seed "$seed" --root game; done
  fi
fi

if [ -f game/dat/enemy.dat ]; then
  step "data check of the shipped content"
  build/app/zando2 --check-data --root game
fi

if [ -f game/dat/enemy.dat ]; then
  # The package as a Debian maintainer would check it: lintian with no error
  # and no warning (informational tags are shown, not fatal: the README says
  # why each one stays), the manual page rendered without a warning, the
  # AppStream metadata valid.
  step "Debian package"
  rm -rf build/package
  cpack -G DEB --config build/CPackConfig.cmake -B build/package
  debs=(build/package/zando2_*.deb)
  dpkg-deb -x "${debs[0]}" build/package/root

  step "lintian"
  lint=(lintian --fail-on error,warning --display-info)
  [ "$(id -u)" -ne 0 ] || lint+=(--allow-root)
  "${lint[@]}" "${debs[0]}"

  step "manual page"
  # As lintian renders it; any message of man or groff is a fault.
  manpage=build/package/root/usr/share/man/man6/zando2.6.gz
  if ! warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manpage" 2>&1 >/dev/null) ||
    [ -n "$warnings" ]; then
    printf '%s\n' "$warnings" >&2
    echo "the manual page does not render cleanly" >&2
    exit 1
  fi

  step "AppStream metadata"
  # --no-net: the screenshot's address is not fetched (see the README). The
  # tree's validation also finds the desktop entry the metadata launches.
  appstreamcli validate --no-net --explain build/package/root/usr/share/metainfo/*.metainfo.xml
  appstreamcli validate-tree --no-net --explain build/package/root
fi

if [ "$fuzz_seconds" -gt 0 ]; then
  step "fuzzers"
  CXX=clang++ cmake -S fuzz -B build-fuzz
  cmake --build build-fuzz -j"$jobs"
  mkdir -p build-fuzz/artifacts
  for target in reader boss save continue script; do
    step "fuzz_$target for $fuzz_seconds s"
    mkdir -p "build-fuzz/corpus/$target"
    max_len=4096
    case $target in save | continue) max_len=16384 ;; esac  # a whole save is about 12 KB
    args=(-max_total_time="$fuzz_seconds" -timeout=20 -max_len="$max_len" -print_final_stats=1
          -artifact_prefix="build-fuzz/artifacts/$target-")
    [ -f "fuzz/$target.dict" ] && args+=(-dict="fuzz/$target.dict")
    # New inputs go to the build folder; the seeds in fuzz/corpus stay as they are.
    "build-fuzz/fuzz_$target" "${args[@]}" "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
      > "build-fuzz/fuzz_$target.log" 2>&1 || {
      tail -n 60 "build-fuzz/fuzz_$target.log"
      echo "fuzz_$target found a problem; the input is in build-fuzz/artifacts/" >&2
      exit 1
    }
    grep -E '^stat::number_of_executed_units|^Done' "build-fuzz/fuzz_$target.log" || true
  done
fi

step "all tests passed"
