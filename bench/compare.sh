#!/usr/bin/env bash
# compare.sh - times Twinpics' search against fdupes, jdupes and rdfind on one tree, in one run.
#
# usage: bench/compare.sh [-r RUNS] [-k WORKDIR] TREE
#   -r RUNS     timed runs per tool; the median is reported (default 5)
#   -k WORKDIR  scratch folder for outputs and timings (default: a new temporary folder)
#
# Prints one name=value a line (lines starting with '#' are remarks): each tool's median wall
# time, the number of files each one found in duplicate groups, and each peer's time divided by
# ours, for the comparison phases (scan, candidates, compare) and for the whole search with the
# thumbnails. The peers are whole processes timed by hyperfine after one untimed run; ours are
# the phase timers search_bench prints. Everything runs on a warm page cache.
#
# Ours searches with the mask *.jpg into subfolders and keeps files larger than 100 bytes.
# jdupes, and rdfind_jpg (rdfind given the files find lists, find included in its time), are
# restricted the same way; fdupes and rdfind on the folder cannot filter by name, so they compare
# every file larger than 100 bytes, which is more work when the tree holds other files.
set -euo pipefail

usage() { awk 'NR == 1 { next } !/^#/ { exit } { sub(/^# ?/, ""); print }' "$0"; }

RUNS=5 WORK=''
while getopts "r:k:h" opt; do
    case $opt in
        r) RUNS=$OPTARG ;;
        k) WORK=$OPTARG ;;
        h) usage; exit 0 ;;
        *) usage >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [[ $# -ne 1 || ! -d $1 ]]; then
    usage >&2
    exit 2
fi
[[ $RUNS =~ ^[1-9][0-9]*$ ]] || { echo "compare.sh: RUNS must be a positive number" >&2; exit 2; }

TREE=$(realpath -- "$1")
ROOT=$(realpath -- "$(dirname -- "$0")/..")
BUILD=$ROOT/build/release
BENCH=$BUILD/bench/search_bench
MASK='*.jpg'
MIN_SIZE=101 # files of more than 100 bytes
if [[ -z $WORK ]]; then
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/twinpics-compare.XXXXXX")
fi
mkdir -p "$WORK"

say() { printf '%s\n' "$*"; }
remark() { printf '# %s\n' "$*"; }
# A time with three decimals (four below 0.1 s), and a quotient (0 when the divisor is not positive).
fmt() { awk -v x="$1" 'BEGIN { printf (x < 0.1 ? "%.4f" : "%.3f"), x }'; }
div() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# ---- tools ------------------------------------------------------------------------------------
missing=()
for tool in fdupes jdupes rdfind hyperfine; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    remark "installing the missing tools (${missing[*]})" >&2
    "$ROOT/scripts/install-deps" --bench-peers >&2
fi

# Ours is built (or brought up to date) first, so a build failure shows before the long part;
# the peers are timed either way.
BUILD_LOG=$WORK/build.log
OURS=1
{
    [[ -f $BUILD/build.ninja ]] ||
        cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build "$BUILD" --target search_bench
} >"$BUILD_LOG" 2>&1 || OURS=0
[[ -x $BENCH ]] || OURS=0

# ---- the tree, read once so every tool finds it in the page cache --------------------------------
find "$TREE" -type f -print0 | xargs -0 -r cat >/dev/null
tree_bytes=$(du -sb -- "$TREE" | cut -f1)
avail_bytes=$(awk '/^MemAvailable:/ { printf "%.0f", $2 * 1024 }' /proc/meminfo)
say "tree=$TREE"
say "files=$(find "$TREE" -type f | wc -l)"
say "mask_files=$(find "$TREE" -type f -iname '*.jpg' -size +100c | wc -l)"
say "runs=$RUNS"
say "cores=$(nproc)"
say "load_before=$(cut -d' ' -f1 /proc/loadavg)"
if ((tree_bytes > avail_bytes)); then
    remark "the tree ($tree_bytes bytes) is larger than the free memory: the cache cannot hold it and the times include reading from disk"
fi

# ---- peers ------------------------------------------------------------------------------------
T=$(printf '%q' "$TREE") W=$(printf '%q' "$WORK")
PEERS=(fdupes jdupes rdfind)
declare -A CMD SET
CMD[fdupes]="fdupes -r -q -G $MIN_SIZE $T"
SET[fdupes]=all
CMD[jdupes]="jdupes -r -q -X size+:$((MIN_SIZE - 1)) -X onlyext:jpg -X nostr:RECYCLER $T"
SET[jdupes]=jpg
CMD[rdfind]="rdfind -dryrun true -minsize $MIN_SIZE -outputname $W/rdfind.txt $T"
SET[rdfind]=all
# rdfind also takes files: given the *.jpg files that find lists, it compares what ours does,
# provided they fit on one command line (rdfind only compares the files of one invocation).
JPGS="find $T -type f -iname '*.jpg' -size +$((MIN_SIZE - 1))c ! -path '*RECYCLER*' -print0"
ARGS_MAX=$(($(getconf ARG_MAX) / 2))
if [[ $(bash -c "$JPGS" | xargs -0 -r -s "$ARGS_MAX" echo | wc -l) -eq 1 ]]; then
    PEERS+=(rdfind_jpg)
    CMD[rdfind_jpg]="$JPGS | xargs -0 -s $ARGS_MAX rdfind -dryrun true -minsize $MIN_SIZE -outputname $W/rdfind_jpg.txt"
    SET[rdfind_jpg]=jpg
else
    remark "rdfind_jpg left out: the *.jpg files do not fit on one command line"
fi

# Files in duplicate groups (originals included), from one untimed run's output.
count_groups() { grep -c . "$1" || true; }
count_rdfind() { grep -vc '^#' "$1" || true; }

declare -A SECONDS_OF
for peer in "${PEERS[@]}"; do
    if [[ $peer == rdfind* ]]; then
        bash -c "${CMD[$peer]}" >"$WORK/$peer.log" 2>&1
        found=$(count_rdfind "$WORK/$peer.txt")
    else
        bash -c "${CMD[$peer]}" >"$WORK/$peer.txt" 2>"$WORK/$peer.log"
        found=$(count_groups "$WORK/$peer.txt")
    fi
    # The untimed run above warmed the tool up.
    hyperfine --style none --shell bash --runs "$RUNS" \
        --export-csv "$WORK/$peer.csv" -n "$peer" "${CMD[$peer]}" >"$WORK/$peer.hyperfine" 2>&1 ||
        { echo "compare.sh: hyperfine failed for $peer, see $WORK/$peer.hyperfine" >&2; exit 1; }
    # hyperfine's CSV: command,mean,stddev,median,user,system,min,max
    SECONDS_OF[$peer]=$(awk -F, 'NR == 2 { print $4 }' "$WORK/$peer.csv")
    say "${peer}_s=$(fmt "${SECONDS_OF[$peer]}")"
    say "${peer}_set=${SET[$peer]}"
    say "${peer}_dup_files=$found"
done
remark "set all: every file larger than 100 bytes; set jpg: *.jpg files larger than 100 bytes, as ours"

# ---- ours ---------------------------------------------------------------------------------------
if ((!OURS)); then
    echo "compare.sh: search_bench could not be built, so only the peers were timed." >&2
    echo "compare.sh: build log: $BUILD_LOG" >&2
    tail -n 5 "$BUILD_LOG" | sed 's/^/    /' >&2
    exit 1
fi
"$BENCH" --mask "$MASK" --recurse --repeat 1 "$TREE" >/dev/null # warm-up
"$BENCH" --mask "$MASK" --recurse --repeat "$RUNS" "$TREE" >"$WORK/ours.txt"
ours() { sed -n "s/^$1=//p" "$WORK/ours.txt" | median; }
OURS_123=$(ours phases123_s)
OURS_TOTAL=$(ours total_s)
[[ -n $OURS_123 && -n $OURS_TOTAL ]] ||
    { echo "compare.sh: search_bench printed no phases123_s/total_s, see $WORK/ours.txt" >&2; exit 1; }
say "ours_phases123_s=$(fmt "$OURS_123")"
say "ours_thumbs_s=$(fmt "$(ours thumbs_s)")"
say "ours_total_s=$(fmt "$OURS_TOTAL")"
say "ours_set=jpg"
say "ours_dup_files=$(ours duplicates)"
say "ours_peak_mb=$(sed -n 's/^peak_mb=//p' "$WORK/ours.txt" | sort -g | tail -n 1)"

# ---- ratios: above 1 means the peer is slower -------------------------------------------------------
best=''
for peer in "${PEERS[@]}"; do
    say "ratio_${peer}_over_ours_phases123=$(div "${SECONDS_OF[$peer]}" "$OURS_123")"
    say "ratio_${peer}_over_ours_total=$(div "${SECONDS_OF[$peer]}" "$OURS_TOTAL")"
    if [[ -z $best ]] || awk -v a="${SECONDS_OF[$peer]}" -v b="${SECONDS_OF[$best]}" 'BEGIN { exit !(a < b) }'; then
        best=$peer
    fi
done
say "best_peer=$best"
say "ratio_best_peer_over_ours=$(div "${SECONDS_OF[$best]}" "$OURS_123")"
say "ratio_best_peer_over_ours_total=$(div "${SECONDS_OF[$best]}" "$OURS_TOTAL")"
say "load_after=$(cut -d' ' -f1 /proc/loadavg)"
remark "peer times are whole processes; ours are search_bench's phase timers (no process start-up)"
