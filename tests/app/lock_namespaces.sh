#!/usr/bin/env bash
# The one-copy lock seen from another network namespace, and a lock file that
# another user planted: a copy in a sandbox without network still finds the
# first copy (exit 1), and a squatted name does not keep the game from
# starting. Needs unshare -n (root or user namespaces) and, for the squat,
# root; skips what the machine does not allow.
# Usage: lock_namespaces.sh <skarbolt binary> <gamedata folder>
set -euo pipefail

bin=$(realpath "$1")
gamedata=$(realpath "$2")
work=$(mktemp -d)
first=""
cleanup() {
  [ -n "$first" ] && kill "$first" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy SONOBOX_NO_DIALOGS=1
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
cd "$gamedata"

netns=(unshare -n)
[ "$(id -u)" -eq 0 ] || netns=(unshare -rn)
tested=0
if "${netns[@]}" true 2>/dev/null; then
  "$bin" >/dev/null 2>&1 &
  first=$!
  # Bounded wait until the first copy holds the lock. Looked up in
  # /proc/locks: trying the lock here could make the first copy find it taken.
  held() {
    local inode
    inode=$(stat -c %i "$work/runtime/DoubleOpenChk" 2>/dev/null) || return 1
    grep -q "FLOCK .*:$inode " /proc/locks
  }
  for _ in $(seq 300); do
    held && break
    kill -0 "$first" 2>/dev/null || fail "the first copy ended"
    sleep 0.1
  done
  set +e
  timeout 20 "${netns[@]}" "$bin" >/dev/null 2>&1
  second=$?
  set -e
  [ "$second" -eq 1 ] || fail "the copy in another network namespace ended with $second, expected 1"
  kill "$first"; wait "$first" 2>/dev/null || true; first=""
  tested=1
else
  echo "unshare -n is not allowed here; skipping the namespace case"
fi

if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  # Without a runtime folder the lock lies in the temporary folder, where
  # another user can plant (and hold) a file of that name first.
  unset XDG_RUNTIME_DIR
  chmod 755 "$work"
  export TMPDIR="$work/tmp"
  mkdir -p "$TMPDIR" && chmod 1777 "$TMPDIR"
  squat="$TMPDIR/DoubleOpenChk-$(id -u)"
  setpriv --reuid nobody --regid nogroup --clear-groups sh -c "umask 077; : >'$squat'"
  setpriv --reuid nobody --regid nogroup --clear-groups flock --no-fork "$squat" sleep 60 &
  holder=$!
  set +e
  timeout 5 "$bin" >/dev/null 2>&1
  rc=$?
  set -e
  kill "$holder" 2>/dev/null || true
  [ "$rc" -eq 124 ] || fail "with a squatted lock the game ended with $rc instead of running"
  tested=1
fi
[ "$tested" -eq 1 ] || { echo "SKIP: neither case can run here"; exit 77; }
echo PASS
