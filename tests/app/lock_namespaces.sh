#!/usr/bin/env bash
# The one-copy lock: its place follows the user, not the environment (a start
# with another or no XDG_RUNTIME_DIR or TMPDIR finds the first copy and ends
# with 1); it is seen from another network namespace (a sandbox without
# network); and a lock file that another user planted does not keep the game
# from starting. Needs unshare -n (root or user namespaces) and, for the
# squat, root; skips what the machine does not allow.
# Usage: lock_namespaces.sh <skarbolt binary> <gamedata folder>
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

bin=$(realpath "$1")
offscreen_setup "$2"
cd "$work/run"

# Starts the first copy in the background and waits (bounded) until it holds
# the lock; `$@` is its environment.
start_first_copy() {
  env "$@" "$bin" >/dev/null 2>&1 &
  first=$!
  track "$first"
  for _ in $(seq 300); do
    lock_held && return 0
    kill -0 "$first" 2>/dev/null || return 1
    sleep 0.1
  done
  fail "the first copy took no lock within 30 s"
}
# The second start's exit code, bounded.
second_start() {
  set +e
  timeout 20 env "$@" "$bin" >/dev/null 2>&1
  echo $?
  set -e
}

# Looked up in /proc/locks: trying the lock here could make the first copy find it taken.
lock_file="$work/lock/DoubleOpenChk"
lock_held() {
  local inode
  inode=$(stat -c %i "$lock_file" 2>/dev/null) || return 1
  grep -q "FLOCK .*:$inode " /proc/locks
}

# The lock in its real place for this user (no override), which no variable
# moves: /run/user/<uid> when that is the user's folder, else /tmp.
runtime_folder_does_not_move_the_lock() {
  local uid runtime
  uid=$(id -u)
  runtime=/run/user/$uid
  lock_file=/tmp/DoubleOpenChk-$uid
  [ -d "$runtime" ] && [ ! -L "$runtime" ] && [ "$(stat -c %u "$runtime")" = "$uid" ] && lock_file=$runtime/DoubleOpenChk
  ! lock_held || skip "another copy of the game runs for this user: the real lock is taken"
  mkdir -p "$work/rt1" "$work/rt2" && chmod 700 "$work/rt1" "$work/rt2"
  start_first_copy -u SKARBOLT_LOCK_DIR XDG_RUNTIME_DIR="$work/rt1" ||
    skip "another copy of the game runs for this user: the real lock is taken"
  local env rc
  for env in "XDG_RUNTIME_DIR=$work/rt2" "-u XDG_RUNTIME_DIR" "-u XDG_RUNTIME_DIR TMPDIR=$work/rt2"; do
    # shellcheck disable=SC2086 # the words of $env are env's arguments
    rc=$(second_start -u SKARBOLT_LOCK_DIR $env)
    [ "$rc" -eq 1 ] || fail "a second start with env $env ended with $rc, expected 1"
  done
  stop_process "$first"
}

lock_seen_from_another_network_namespace() {
  local netns=(unshare -n)
  [ "$(id -u)" -eq 0 ] || netns=(unshare -rn)
  "${netns[@]}" true 2>/dev/null || skip "unshare -n is not allowed here"
  start_first_copy || fail "the first copy ended"
  local second
  second=$(second_start "${netns[@]}")
  [ "$second" -eq 1 ] || fail "the copy in another network namespace ended with $second, expected 1"
  stop_process "$first"
}

# Where no runtime folder is the user's, the lock lies in a shared folder,
# where another user can plant (and hold) a file of that name first (here a
# private one of that kind).
squatted_lock_does_not_block() {
  [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 || skip "planting a lock file as another user needs root"
  chmod 755 "$work"
  export SKARBOLT_LOCK_DIR="$work/tmp"
  mkdir -p "$SKARBOLT_LOCK_DIR" && chmod 1777 "$SKARBOLT_LOCK_DIR"
  local squat="$SKARBOLT_LOCK_DIR/DoubleOpenChk"
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

scenario runtime_folder_does_not_move_the_lock
scenario lock_seen_from_another_network_namespace
scenario squatted_lock_does_not_block
run_scenarios
