#!/usr/bin/env bash
# Builds the language-file reader's fuzz target with clang++ (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for a bounded time on the seed corpus in fuzz/corpus
# plus the two built-in language files. Exits non-zero when the fuzzer finds a crash, a leak or
# undefined behaviour; the input that caused it is left in the build folder as crash-*.
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

root=$(cd "$(dirname "$0")/.." && pwd)
out=${FUZZ_BUILD_DIR:-$root/build-fuzz}
mkdir -p "$out"

for tool in clang++ pkg-config; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (run scripts/install-deps.sh)" >&2; exit 2; }
done

binary="$out/fuzz_language_file"
# shellcheck disable=SC2046  # pkg-config output is a list of flags
clang++ -std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I "$root/src/i18n" -I "$root/src/core" $(pkg-config --cflags Qt6Core icu-uc) \
    "$root/fuzz/fuzz_language_file.cpp" "$root/src/i18n/LanguageFile.cpp" \
    "$root/src/core/RegularFile.cpp" \
    $(pkg-config --libs Qt6Core icu-uc) \
    -o "$binary"

# New inputs go to a scratch corpus, so the committed seeds stay as they are.
work="$out/corpus"
mkdir -p "$work"
cp "$root/fuzz/corpus/"* "$work/"
cp "$root/resources/lang/RC_LANG_GERMAN" "$work/builtin_german.lng"
cp "$root/resources/lang/RC_LANG_HUNGARIAN" "$work/builtin_hungarian.lng"

echo "Fuzzing the language-file reader for $seconds s"
"$binary" "$work" \
    -dict="$root/fuzz/language_file.dict" \
    -max_total_time="$seconds" -max_len=1048576 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$out/" -print_final_stats=1
