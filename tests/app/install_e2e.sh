#!/usr/bin/env bash
# Installs the build into a private DESTDIR under /usr, checks the layout and
# the desktop files, then plays the installed program from an unrelated
# folder (e2e.sh --installed): it must find its library and data relative to
# itself and write the high scores into the per-user folder.
# Usage: install_e2e.sh <build folder> <e2e.sh>
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

build=$(realpath "$1")
e2e=$(realpath "$2")
need_tools "${e2e_tools[@]}"
DESTDIR="$work/dest" cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"
root="$work/dest/usr"
id=org.example.Skarbolt98

installed_layout() {
  local file
  for file in games/skarbolt share/games/skarbolt98/Data/Stage7.dat share/games/skarbolt98/Wave/Bullet.wav \
    share/games/skarbolt98/BGM/Opening.mid share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/16x16/apps/$id.png share/icons/hicolor/256x256/apps/$id.png share/man/man6/skarbolt.6.gz \
    share/man/ja/man6/skarbolt.6.gz \
    share/doc/skarbolt98/copyright share/doc/skarbolt98/changelog.gz; do
    [ -e "$root/$file" ] || fail "$file was not installed"
  done
  [ -e "$root/share/games/skarbolt98/Data/Hi-Score.dat" ] && fail "a high-score file was installed"
  grep -q "^Exec=/usr/games/skarbolt$" "$root/share/applications/$id.desktop" || fail "the desktop entry's Exec line"
  if command -v man >/dev/null; then
    [ "$(MANPATH="$root/share/man" man -L ja -w 6 skarbolt)" = "$root/share/man/ja/man6/skarbolt.6.gz" ] ||
      fail "man -L ja 6 skarbolt does not find the Japanese manual page"
  fi
}

# The installed program finds its library through its own RUNPATH only.
library_found_through_runpath() {
  local runpath
  runpath=$(readelf -d "$root/games/skarbolt" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
  case "$runpath" in
    '$ORIGIN/../lib/'*skarbolt98) ;;
    *) fail "RUNPATH is '$runpath'" ;;
  esac
  # grep -q would stop reading early: under pipefail, ldd's broken pipe failed the check.
  ldd "$root/games/skarbolt" | grep 'libsonobox.so => /' >/dev/null || fail "libsonobox.so is not found"
}

# The installed library finds its probe program beside itself.
library_finds_its_probe() {
  local library log
  library=$(ldd "$root/games/skarbolt" | sed -n 's/.*libsonobox.so => \(.*\) (.*/\1/p')
  [ -x "$(dirname "$library")/sonobox-probe" ] || fail "sonobox-probe is not installed beside the library"
  log=$(cd "$work" && LD_LIBRARY_PATH=$(dirname "$library") SDL_AUDIODRIVER=alsa,dummy SONOBOX_NO_DIALOGS=1 \
    "$build/bin/sonobox_c_client" 2>&1) || fail "the C client on the installed library: $log"
  case "$log" in *"probe is missing"*) fail "the installed library did not find its probe: $log" ;; esac
}

desktop_files_valid() {
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop-file-validate"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
  fi
}

installed_program_plays() {
  mkdir "$work/elsewhere"
  cd "$work/elsewhere"
  bash "$e2e" "$root/games/skarbolt" --installed
}

scenario installed_layout
scenario library_found_through_runpath
scenario library_finds_its_probe library_found_through_runpath
scenario desktop_files_valid
scenario installed_program_plays
run_scenarios
