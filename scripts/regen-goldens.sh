#!/usr/bin/env bash
# Rewrites the expected transcripts of the scenario scripts from a build, then
# shows what changed, so a deliberate change of behaviour is one command and a
# review of the diff.
#   scripts/regen-goldens.sh [BUILD_DIR] [NAME ...]   (default build/, every script)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
zando2="$build/app/zando2"
[ -x "$zando2" ] || { echo "no $zando2: build first" >&2; exit 2; }
scripts=()
if [ $# -gt 0 ]; then
  for n in "$@"; do scripts+=("tests/scenario/$n.script"); done
else
  scripts=(tests/scenario/*.script)
fi
for s in "${scripts[@]}"; do
  name=$(basename "$s" .script)
  cmake -DZANDO2="$zando2" -DSCRIPT="$PWD/$s" -DFIXTURES="$PWD/$build/tests/fixtures" -DGAME="$PWD/game" \
        -DWORK="$PWD/$build/tests/scenario_work/$name" -DUPDATE=ON -P tests/scenario/run_scenario.cmake
done
git --no-pager diff --stat -- tests/scenario
git --no-pager diff -- tests/scenario
