#!/usr/bin/env bash
# Starts Skyvane from its build folder. The program looks for satpos.dat and wmm.cof in the
# working directory, so it is started in a folder that holds wmm.cof when the build made one.
set -euo pipefail
build=${1:-build}
bin="$(cd "$build/bin" && pwd)"
if [ ! -x "$bin/skyvane" ]; then
  echo "Skyvane has no program to start yet: the computation core is built and tested (make test)."
  exit 0
fi
workdir="$bin"
cd "$workdir"
exec "$bin/skyvane"
