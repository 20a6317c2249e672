#!/usr/bin/env bash
# Soak of the device path against the emulated mouse, checking every result.
#
#   scripts/soak.sh faults [RUNS]         fault-injected applies (default 100)
#   scripts/soak.sh concurrent [SECONDS]  apply, switch and info loops from separate
#                                         processes on one mouse (default 60)
#   scripts/soak.sh short                 about a minute of both: what test.sh runs
#
# Options before the mode: --veltctl PATH (default build/cli/veltctl), --seed N
# (default: the time; printed, so a failing soak can be run again), --keep (keep the
# work folder), --unlocked (concurrent mode only: each loop gets a lock folder of its
# own, so the programs do not exclude each other; shows what the check catches).
#
# faults: each run writes five new profile files, applies them with a random fault
# list (busy, drop-set, drop-get, unplug-after, fail-cmd, latency), then reads every
# slot and the current profile back without faults and compares them with the images
# `veltctl image` builds from the files. A run fails the soak when apply exits 0 with
# a wrong slot or profile, crashes (any status but 0, 1, 3), hangs, or changes a
# profile file; after a reported failure a clean apply must put everything right.
#
# concurrent: the mouse's current profile is only ever set to 2, so every switch must
# print "profile 2", every info "firmware 0.46" and "profile 2", and every apply exit 0
# with all five slots as written, for the whole time.
#
# Exits 0 when no check failed; prints the figures either way.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

veltctl="$root/build/cli/veltctl"
seed=$(date +%s)
keep=0
unlocked=0
while [ $# -gt 0 ]; do
  case "$1" in
    --veltctl) veltctl=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    --unlocked) unlocked=1; shift ;;
    *) break ;;
  esac
done
mode=${1:-short}
amount=${2:-}
[ -x "$veltctl" ] || { echo "soak: no veltctl at $veltctl (build first)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/velt-soak.XXXXXX")
cleanup() {
  if [ "$keep" = 1 ]; then echo "soak: work folder kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
# Lock files in a runtime folder of the soak's own: nothing else on the machine waits.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset VELT_EMULATE_FAULTS VELT_WIRE_LOG
RANDOM=$seed
echo "soak: $mode, seed $seed"

# The longest a single veltctl may take before it counts as hung.
hang_limit=60

slot_of() { [ "$1" = 5 ] && echo 0 || echo "$1"; }

# write_profile FILE NAME: a profile file with random settings and up to two macros,
# 164 events at most between them (what the mouse takes).
write_profile() {
  local file=$1 name=$2 n e first second
  first=$((RANDOM % 100))
  second=$((RANDOM % (165 - first)))
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<plist version="1.0"><dict>'
    printf '<key>%s</key><string>%s</string>\n' enalbe 1 profileName "$name" \
      pollingRate $((RANDOM % 4)) dpiStep $((RANDOM % 4)) ledMode $((RANDOM % 4)) \
      ledEffects $((RANDOM % 16)) pointerSpeed $((RANDOM % 11))
    for n in 1 2 3; do
      printf '<key>dipXaxis%d</key><string>%d</string>\n' $n $((100 + RANDOM % 16000))
      printf '<key>dipYaxis%d</key><string>%d</string>\n' $n $((100 + RANDOM % 16000))
    done
    for n in scrollWheel dpiIndicotor dpiButtons logo; do
      printf '<key>%sRed</key><string>0.%06d</string>\n' $n $((RANDOM * 30))
      printf '<key>%sGreen</key><string>0.%06d</string>\n' $n $((RANDOM * 30))
      printf '<key>%sBlue</key><string>0.%06d</string>\n' $n $((RANDOM * 30))
      printf '<key>%sAlpha</key><string>1.000000</string>\n' $n
    done
    for n in 1 2 3 4 5 6 7; do
      printf '<key>keyFunIndex%d</key><string>%d</string>\n' $n $((n - 1))
      printf '<key>defaultKey%d</key><string>%d</string>\n' $n $((n - 1))
      if [ $n -ge 4 ] && [ $n -le 5 ]; then
        local count=$first
        [ $n = 5 ] && count=$second
        printf '<key>keyMappingTable%d</key><string>14</string>\n' $n
        printf '<key>macroID%d</key><string>%d</string>\n' $n $((16 + n))
        printf '<key>macroName%d</key><string>m%d</string>\n' $n $n
        printf '<key>eventCount%d</key><string>%d</string>\n' $n "$count"
        for ((e = 0; e < count; e++)); do
          printf '<key>macro%d_eventType_%d</key><string>1</string>' $n $e
          printf '<key>macro%d_eventAction_%d</key><string>%d</string>' $n $e $((RANDOM % 128))
          printf '<key>macro%d_eventState_%d</key><string>%d</string>' $n $e $((e % 2))
          printf '<key>macro%d_eventDelay_%d</key><string>%d</string>\n' $n $e $((RANDOM % 500))
        done
      else
        printf '<key>keyMappingTable%d</key><string>%d</string>\n' $n $((n - 1))
      fi
    done
    echo '</dict></plist>'
  } >"$file"
}

# new_profiles DIR TAG: five fresh files and, beside them, the image of each slot.
new_profiles() {
  local dir=$1 tag=$2 n
  mkdir -p "$dir"
  for n in 1 2 3 4 5; do
    write_profile "$dir/default$n.plist" "$tag-$n"
    "$veltctl" image "$dir/default$n.plist" --slot "$(slot_of $n)" \
      -o "$dir/expect$(slot_of $n).bin" >/dev/null
  done
}

# velt MOUSE ARGS...: veltctl on the emulated mouse, bounded in time; its status.
velt() {
  local mouse=$1
  shift
  timeout -k 5 "$hang_limit" "$veltctl" --emulate "$mouse" "$@"
}

# check_mouse MOUSE DIR CURRENT OUT: every slot as DIR's images and the current profile;
# prints what differs into OUT. Status 0 when all is as meant.
check_mouse() {
  local mouse=$1 dir=$2 current=$3 out=$4 slot bad=0 info
  for slot in 0 1 2 3 4; do
    if ! velt "$mouse" dump "$slot" -o "$dir/got.bin" >/dev/null 2>>"$out"; then
      echo "dump $slot failed" >>"$out"
      bad=1
    elif ! cmp -s "$dir/got.bin" "$dir/expect$slot.bin"; then
      echo "slot $slot differs from its file" >>"$out"
      bad=1
    fi
  done
  info=$(velt "$mouse" info 2>>"$out") || { echo "info failed" >>"$out"; bad=1; }
  if [ "$info" != "$(printf 'firmware 0.46\nprofile %s' "$current")" ]; then
    echo "info: ${info//$'\n'/, } (meant profile $current)" >>"$out"
    bad=1
  fi
  return $bad
}

random_faults() {
  local items=() count=$((1 + RANDOM % 3)) i
  for ((i = 0; i < count; i++)); do
    case $((RANDOM % 6)) in
      0) items+=("busy=$((RANDOM % 13))") ;;
      1) items+=("drop-set=$((1 + RANDOM % 70))") ;;
      2) items+=("drop-get=$((1 + RANDOM % 90))") ;;
      3) items+=("unplug-after=$((RANDOM % 120))") ;;
      4) items+=("fail-cmd=0$((RANDOM % 5))") ;;
      5) items+=("latency-us=$((RANDOM % 300))") ;;
    esac
  done
  local IFS=,
  echo "${items[*]}"
}

run_faults() {
  local runs=$1 run status faults current sums
  local mouse="$work/mouse" dir="$work/profiles" log="$work/faults.log"
  local ok=0 reported=0 lost=0 recovered=0 failed=0
  for ((run = 1; run <= runs; run++)); do
    new_profiles "$dir" "R$run"
    sums=$(cat "$dir"/default*.plist | sha256sum)
    faults=$(random_faults)
    current=$((RANDOM % 5))
    status=0
    VELT_EMULATE_FAULTS=$faults velt "$mouse" apply --profiles "$dir" --current "$current" \
      >/dev/null 2>"$work/apply.err" || status=$?
    : >"$work/check.txt"
    local verdict=""
    case $status in
      0)
        if check_mouse "$mouse" "$dir" "$current" "$work/check.txt"; then
          ok=$((ok + 1))
        else
          verdict="exit 0 with a wrong mouse"
        fi
        ;;
      1 | 3)
        [ $status = 1 ] && reported=$((reported + 1)) || lost=$((lost + 1))
        if velt "$mouse" apply --profiles "$dir" --current "$current" >/dev/null 2>>"$work/check.txt" &&
          check_mouse "$mouse" "$dir" "$current" "$work/check.txt"; then
          recovered=$((recovered + 1))
        else
          verdict="no clean recovery after exit $status"
        fi
        ;;
      124 | 137) verdict="hung" ;;
      *) verdict="crashed or misreported (exit $status)" ;;
    esac
    [ "$(cat "$dir"/default*.plist | sha256sum)" = "$sums" ] || verdict="${verdict:+$verdict; }changed a profile file"
    if [ -n "$verdict" ]; then
      failed=$((failed + 1))
      {
        echo "run $run: faults \"$faults\", current $current: $verdict"
        sed 's/^/  apply: /' "$work/apply.err"
        sed 's/^/  check: /' "$work/check.txt"
      } | tee -a "$log" >&2
    fi
  done
  echo "faults: $runs runs: $ok succeeded and checked right, $reported reported a failed step (exit 1)," \
    "$lost reported the mouse lost (exit 3), $recovered of those recovered by a clean apply;" \
    "$failed failed the soak"
  [ $failed = 0 ]
}

# One loop of the concurrent mode; writes "ok bad" to $work/$name.count and the wrong
# results to $work/$name.bad.
concurrent_loop() {
  local name=$1 deadline=$2 mouse=$3 ok=0 bad=0 out j=0
  if [ "$unlocked" = 1 ]; then
    export XDG_RUNTIME_DIR="$work/runtime-$name"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
  fi
  while [ "$(date +%s)" -lt "$deadline" ]; do
    j=$((j + 1))
    local wrong=""
    case $name in
      switch)
        out=$(velt "$mouse" switch 2 2>&1) || wrong="exit $?: $out"
        [ -n "$wrong" ] || [ "$out" = "profile 2" ] || wrong="printed $out"
        ;;
      info)
        out=$(velt "$mouse" info 2>&1) || wrong="exit $?: ${out//$'\n'/, }"
        [ -n "$wrong" ] || [ "$out" = $'firmware 0.46\nprofile 2' ] || wrong="printed ${out//$'\n'/, }"
        ;;
      apply)
        new_profiles "$work/c-profiles" "C$j"
        out=$(velt "$mouse" apply --profiles "$work/c-profiles" --current 2 2>&1) ||
          wrong="exit $?: ${out//$'\n'/, }"
        if [ -z "$wrong" ]; then
          : >"$work/c-check.txt"
          # Only this loop writes slots, so they must still hold what it wrote; the
          # current profile is 2 whoever set it last.
          check_mouse "$mouse" "$work/c-profiles" 2 "$work/c-check.txt" ||
            wrong="apply $j: $(tr '\n' ';' <"$work/c-check.txt")"
        fi
        ;;
    esac
    if [ -n "$wrong" ]; then
      bad=$((bad + 1))
      echo "$name $j: $wrong" >>"$work/$name.bad"
    else
      ok=$((ok + 1))
    fi
  done
  echo "$ok $bad" >"$work/$name.count"
}

run_concurrent() {
  local seconds=$1 mouse="$work/c-mouse" name total_bad=0
  new_profiles "$work/c-profiles" "C0"
  velt "$mouse" apply --profiles "$work/c-profiles" --current 2 >/dev/null
  local deadline=$(($(date +%s) + seconds))
  for name in apply switch info; do
    concurrent_loop "$name" "$deadline" "$mouse" &
  done
  wait
  local summary="concurrent: $seconds s, three programs on one mouse:"
  for name in apply switch info; do
    read -r ok bad <"$work/$name.count"
    summary+=" $name $ok right, $bad wrong;"
    total_bad=$((total_bad + bad))
    [ -f "$work/$name.bad" ] && head -n 5 "$work/$name.bad" >&2
  done
  echo "${summary%;}"
  [ $total_bad = 0 ]
}

case $mode in
  faults) run_faults "${amount:-100}" ;;
  concurrent) run_concurrent "${amount:-60}" ;;
  short)
    status=0
    run_faults 100 || status=1
    run_concurrent 30 || status=1
    exit $status
    ;;
  *) echo "usage: scripts/soak.sh [options] faults [RUNS] | concurrent [SECONDS] | short" >&2; exit 2 ;;
esac
