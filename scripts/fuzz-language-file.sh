#!/usr/bin/env bash
# Builds the fuzz targets (scripts/fuzz-build.sh) and runs the language-file reader's for a
# bounded time on the seed corpus in fuzz/corpus/language_file plus the two built-in language
# files. Exits non-zero when the fuzzer finds a crash, a leak or undefined behaviour; the input
# that caused it is left in the build folder as language_file-crash-*.
#
# Inputs may grow to 1 MB, enough for files of tens of thousands of sections or lines, so a
# reader whose work grows faster than its input can hit the 10 s per-input timeout; the whole
# run stays within [seconds]. bench/bench_languagefile.cpp measures the reader's growth.
#
# Usage: scripts/fuzz-language-file.sh [seconds]   (default 60)
# FUZZ_BUILD_DIR chooses the build folder (default build-fuzz in the repository).
set -euo pipefail

seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: $0 [seconds]" >&2; exit 2; }

source "$(dirname "$0")/fuzz-build.sh"
root=$fuzz_root
out=$fuzz_build
binary="$out/fuzz_language_file"

# New inputs go to a scratch corpus, so the committed seeds stay as they are.
work="$out/corpus/language_file"
mkdir -p "$work"
cp "$root/fuzz/corpus/language_file/"* "$work/"
cp "$root/resources/lang/RC_LANG_GERMAN" "$work/builtin_german.lng"
cp "$root/resources/lang/RC_LANG_HUNGARIAN" "$work/builtin_hungarian.lng"

echo "Fuzzing the language-file reader for $seconds s"
"$binary" "$work" \
    -dict="$root/fuzz/language_file.dict" \
    -max_total_time="$seconds" -max_len=1048576 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$out/language_file-" -print_final_stats=1
