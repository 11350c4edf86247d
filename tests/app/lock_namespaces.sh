#!/usr/bin/env bash
# The one-copy lock seen from another network namespace, and a lock file that
# another user planted: a copy in a sandbox without network still finds the
# first copy (exit 1), and a squatted name does not keep the game from
# starting. Needs unshare -n (root or user namespaces) and, for the squat,
# root; skips what the machine does not allow.
# Usage: lock_namespaces.sh <skarbolt binary> <gamedata folder>
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

bin=$(realpath "$1")
gamedata=$(realpath "$2")
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy SONOBOX_NO_DIALOGS=1
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
cd "$gamedata"

# Looked up in /proc/locks: trying the lock here could make the first copy find it taken.
lock_held() {
  local inode
  inode=$(stat -c %i "$work/runtime/DoubleOpenChk" 2>/dev/null) || return 1
  grep -q "FLOCK .*:$inode " /proc/locks
}

lock_seen_from_another_network_namespace() {
  local netns=(unshare -n)
  [ "$(id -u)" -eq 0 ] || netns=(unshare -rn)
  "${netns[@]}" true 2>/dev/null || skip "unshare -n is not allowed here"
  "$bin" >/dev/null 2>&1 &
  local first=$!
  track "$first"
  # Bounded wait until the first copy holds the lock.
  for _ in $(seq 300); do
    lock_held && break
    kill -0 "$first" 2>/dev/null || fail "the first copy ended"
    sleep 0.1
  done
  set +e
  timeout 20 "${netns[@]}" "$bin" >/dev/null 2>&1
  local second=$?
  set -e
  [ "$second" -eq 1 ] || fail "the copy in another network namespace ended with $second, expected 1"
  stop_process "$first"
}

# Without a runtime folder the lock lies in the temporary folder, where
# another user can plant (and hold) a file of that name first.
squatted_lock_does_not_block() {
  [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 || skip "planting a lock file as another user needs root"
  unset XDG_RUNTIME_DIR
  chmod 755 "$work"
  export TMPDIR="$work/tmp"
  mkdir -p "$TMPDIR" && chmod 1777 "$TMPDIR"
  local squat="$TMPDIR/DoubleOpenChk-$(id -u)"
  setpriv --reuid nobody --regid nogroup --clear-groups sh -c "umask 077; : >'$squat'"
  setpriv --reuid nobody --regid nogroup --clear-groups flock --no-fork "$squat" sleep 60 &
  local holder=$!
  track "$holder"
  set +e
  timeout 5 "$bin" >/dev/null 2>&1
  local rc=$?
  set -e
  stop_process "$holder"
  [ "$rc" -eq 124 ] || fail "with a squatted lock the game ended with $rc instead of running"
}

scenario lock_seen_from_another_network_namespace
scenario squatted_lock_does_not_block
run_scenarios
