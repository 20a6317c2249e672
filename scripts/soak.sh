#!/usr/bin/env bash
# Soak of the device path against the emulated mouse, checking every result.
#
#   scripts/soak.sh faults [RUNS]         fault-injected applies (default 100)
#   scripts/soak.sh concurrent [SECONDS]  apply, switch and info loops from separate
#                                         processes on one mouse (default 60)
#   scripts/soak.sh update [RUNS]         fault-injected firmware updates (default 100)
#   scripts/soak.sh short                 about a minute of faults and concurrent: what
#                                         test.sh runs
#
# Options before the mode: --veltctl PATH (default build/cli/veltctl), --package-tool
# PATH (default velt_demo_package of the same build), --seed N
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
# update: each run writes a firmware package of a random version (newer or older than
# the mouse's) and size, and runs `veltctl update --yes` with a random fault list
# (busy, drop-set, drop-get, unplug-after, fail-cmd, latency, bl-appear-after) whose
# counts fall anywhere in the update's transfers, on a clock sped up 1000 times
# (VELT_TEST_CLOCK_SPEEDUP). Exit 0 must leave the mouse running the package's version
# (`veltctl info`); exit 1 or 3 must be followed by a clean update that does. A false
# success, a crash (any other status), a hang or a mouse that the clean run does not
# put on the package's version fails the soak.
#
# concurrent: the mouse's current profile is only ever set to 2, so every switch must
# print "profile 2", every info "firmware 0.46" and "profile 2", and every apply exit 0
# with all five slots as written, for the whole time.
#
# Exits 0 when no check failed; prints the figures either way.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

veltctl="$root/build/cli/veltctl"
package_tool=""
seed=$(date +%s)
keep=0
unlocked=0
while [ $# -gt 0 ]; do
  case "$1" in
    --veltctl) veltctl=$2; shift 2 ;;
    --package-tool) package_tool=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    --unlocked) unlocked=1; shift ;;
    *) break ;;
  esac
done
mode=${1:-short}
amount=${2:-}
[ -x "$veltctl" ] || { echo "soak: no veltctl at $veltctl (build first)" >&2; exit 2; }
veltctl=$(cd "$(dirname "$veltctl")" && pwd)/$(basename "$veltctl")
[ -n "$package_tool" ] || package_tool="$(dirname "$(dirname "$veltctl")")/updater/velt_demo_package"

work=$(mktemp -d "${TMPDIR:-/tmp}/velt-soak.XXXXXX")
cleanup() {
  if [ "$keep" = 1 ]; then echo "soak: work folder kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
# Lock files in a runtime folder of the soak's own: nothing else on the machine waits.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset VELT_EMULATE_FAULTS VELT_WIRE_LOG VELT_TEST_CLOCK_SPEEDUP
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

# version_text V: the version in hundredths as the programs print it (47: "0.47").
version_text() { printf '%d.%02d' $(($1 / 100)) $(($1 % 100)); }

# mouse_runs MOUSE V OUT: status 0 when a clean `veltctl info` reads version V; what it
# read otherwise goes to OUT.
mouse_runs() {
  local info
  info=$(velt "$1" info 2>&1) || { echo "info failed: ${info//$'\n'/, }" >>"$3"; return 1; }
  [ "${info%%$'\n'*}" = "firmware $(version_text "$2")" ] && return 0
  echo "info: ${info//$'\n'/, } (meant $(version_text "$2"))" >>"$3"
  return 1
}

# update_faults BLOCKS: a random fault list with counts anywhere in an update of BLOCKS
# blocks (about 4 sets and 4 gets per block, a dozen of each around them).
update_faults() {
  local blocks=$1 items=() count=$((1 + RANDOM % 3)) i
  local sets=$((4 * blocks + 12)) transfers=$((8 * blocks + 26))
  for ((i = 0; i < count; i++)); do
    case $((RANDOM % 7)) in
      # A handshake polls 10 times: busy=10 fails every one.
      0) items+=("busy=$((RANDOM % 11))") ;;
      1) items+=("drop-set=$((1 + RANDOM % sets))") ;;
      2) items+=("drop-get=$((1 + RANDOM % (sets + 2)))") ;;
      3) items+=("unplug-after=$((RANDOM % transfers))") ;;
      # The version read (04) and a command the update never sends (03).
      4) items+=("fail-cmd=0$((3 + RANDOM % 2))") ;;
      5) items+=("latency-us=$((RANDOM % 300))") ;;
      6) items+=("bl-appear-after=$((1 + RANDOM % 250))") ;;
    esac
  done
  local IFS=,
  echo "${items[*]}"
}

# failure_kind ERR: a short name for what a failed update reported.
failure_kind() {
  case $(head -n 1 "$1") in
    *"Get_fw_version failed"*) echo "version-unread-before" ;;
    *"refused to restart"*) echo "enter-refused" ;;
    *"bootloader did not appear"*) echo "no-bootloader" ;;
    *"refused the start"*) echo "start-refused" ;;
    *"could not be sent twice"*) echo "block-failed" ;;
    *"did not take the completion"*) echo "completion-failed" ;;
    *"version could not be read"*) echo "version-unread-after" ;;
    *"restarted running firmware"*) echo "other-version-running" ;;
    *"no VELT mouse found"*) echo "no-mouse" ;;
    *) echo "other" ;;
  esac
}

run_update() {
  local runs=$1 run status faults version blocks bytes current=46 kind verdict
  local mouse="$work/u-mouse" package="$work/package" log="$work/update.log"
  local ok=0 recovered=0 failed=0 reported=0
  declare -A kinds=()
  [ -x "$package_tool" ] || { echo "soak: no package tool at $package_tool (build first)" >&2; return 2; }
  export VELT_TEST_CLOCK_SPEEDUP=1000
  for ((run = 1; run <= runs; run++)); do
    version=$((1 + (RANDOM * 32768 + RANDOM) % 65535))
    [ "$version" = "$current" ] && version=$((current % 65535 + 1))
    blocks=$((1 + RANDOM % 120))
    bytes=$((blocks * 1024 - RANDOM % 1000))
    "$package_tool" "$package" "$version" "$bytes"
    faults=$(update_faults "$blocks")
    status=0
    VELT_EMULATE_FAULTS=$faults velt "$mouse" update --package "$package" --yes \
      >"$work/update.out" 2>"$work/update.err" || status=$?
    : >"$work/check.txt"
    verdict=""
    case $status in
      0)
        if mouse_runs "$mouse" "$version" "$work/check.txt"; then
          ok=$((ok + 1))
        else
          verdict="false success: exit 0 and the mouse does not run the package's version"
        fi
        ;;
      1 | 3)
        reported=$((reported + 1))
        kind="exit $status $(failure_kind "$work/update.err")"
        kinds[$kind]=$((${kinds[$kind]:-0} + 1))
        if velt "$mouse" update --package "$package" --yes >/dev/null 2>>"$work/check.txt" &&
          mouse_runs "$mouse" "$version" "$work/check.txt"; then
          recovered=$((recovered + 1))
        else
          verdict="no clean recovery after exit $status"
        fi
        ;;
      124 | 137) verdict="hung" ;;
      *) verdict="crashed or misreported (exit $status)" ;;
    esac
    if [ -n "$verdict" ]; then
      failed=$((failed + 1))
      {
        echo "run $run: package $(version_text "$version") ($blocks blocks), faults \"$faults\": $verdict"
        sed 's/^/  update: /' "$work/update.err"
        sed 's/^/  check: /' "$work/check.txt"
      } | tee -a "$log" >&2
    fi
    # The mouse runs the package's version after a success or a clean recovery.
    [ -z "$verdict" ] && current=$version
  done
  unset VELT_TEST_CLOCK_SPEEDUP
  echo "update: $runs runs: $ok exited 0 with the mouse on the package's version, $reported" \
    "reported a failure, $recovered of those put right by a clean update; $failed failed the soak"
  for kind in "${!kinds[@]}"; do echo "  $kind: ${kinds[$kind]}"; done | sort
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
  update) run_update "${amount:-100}" ;;
  short)
    status=0
    run_faults 100 || status=1
    run_concurrent 30 || status=1
    exit $status
    ;;
  *)
    echo "usage: scripts/soak.sh [options] faults [RUNS] | concurrent [SECONDS] | update [RUNS] | short" >&2
    exit 2
    ;;
esac
