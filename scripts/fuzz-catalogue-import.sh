#!/usr/bin/env bash
# Runs the fuzz targets of the catalogue import readers (TLE, OMM JSON, CSV and XML,
# satellites.xml), each for a bounded time on its seed corpus in fuzz/corpus/import_*. Exits
# non-zero when a reader crashes, leaks, shows undefined behaviour or accepts a file whose
# catalogue does not read back as written; the input that caused it is left in the build folder
# as crash-*.
#
# Inputs may grow to 256 KB; a reader whose work grows faster than its input hits the 10 s
# per-input timeout. The XML and JSON readers refuse files over 32 MB before parsing.
#
# Usage: scripts/fuzz-catalogue-import.sh [seconds per target]   (default 30)
set -euo pipefail

seconds=${1:-30}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: $0 [seconds per target]" >&2; exit 2; }

source "$(dirname "$0")/fuzz-build.sh"

for target in tle omm_json omm_csv omm_xml satellites_xml; do
    # New inputs go to a scratch corpus, so the committed seeds stay as they are.
    work="$fuzz_build/corpus/import_$target"
    mkdir -p "$work"
    cp "$fuzz_root/fuzz/corpus/import_$target/"* "$work/"
    echo "Fuzzing the $target reader for $seconds s"
    "$fuzz_build/fuzz_import_$target" "$work" \
        -dict="$fuzz_root/fuzz/catalogue_import.dict" \
        -max_total_time="$seconds" -max_len=262144 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$fuzz_build/import_$target-" -print_final_stats=1
done
