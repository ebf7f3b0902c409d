#!/usr/bin/env bash
# Runs a Windows program under Wine the way Zorvitan's tests need it. ctest puts this script in
# front of every Windows test command (CMAKE_CROSSCOMPILING_EMULATOR).
#
#   wine-run.sh PROGRAM.exe [ARGS...]   run it; exits with the program's exit code
#   wine-run.sh --setup                 make the prefix, the display and the Wine session ready
#   wine-run.sh --cleanup               stop the Wine session, and the Xvfb this script started
#   wine-run.sh --display               print the X display the programs use (starts Xvfb if needed)
#   ZORVITAN_WINE_MESSAGES=en_US.UTF-8 wine-run.sh ...   the same with English as the user's language
#
# Everything lives in one folder, <build>/wine (or $ZORVITAN_WINE_DIR), where <build> is the
# nearest folder above the program (or the current folder) that holds CMakeCache.txt:
#   prefix/        the private Wine prefix, created once (about 700 MB) and reused
#   lock           flock guard, so tests started alone or side by side set up only once
#   xvfb.pid, xvfb.display   the headless X server this script started, if any
#   session.display          the display the running Wine session was booted with
#   wine.log       what Wine and Xvfb print in the background
# Any program can be run alone: what is missing is set up on demand.
set -euo pipefail

die() { echo "wine-run.sh: $*" >&2; exit 125; }

find_build_dir() {
  local dir=$1
  while [ "$dir" != / ]; do
    [ -f "$dir/CMakeCache.txt" ] && { echo "$dir"; return; }
    dir=$(dirname "$dir")
  done
  return 1
}

mode=run
case "${1:-}" in
  --setup | --cleanup | --display) mode=${1#--}; shift ;;
  "" | -h | --help) sed -n '2,17s/^# \{0,1\}//p' "$0"; exit 2 ;;
esac

if [ -n "${ZORVITAN_WINE_DIR:-}" ]; then
  state=$ZORVITAN_WINE_DIR
else
  start=$PWD
  [ "$mode" = run ] && [ -e "$1" ] && start=$(cd "$(dirname "$1")" && pwd)
  build=$(find_build_dir "$start") || build=$(find_build_dir "$PWD") ||
    die "no CMake build folder above $start; set ZORVITAN_WINE_DIR"
  state=$build/wine
fi
mkdir -p "$state"
state=$(cd "$state" && pwd)
log=$state/wine.log

# The environment of every Wine process, and of nothing else: the Polish locale gives the
# programs the 8-bit code page 1250 and the user's interface language, Polish unless
# ZORVITAN_WINE_MESSAGES names the locale of the messages (en_US.UTF-8: English); no debug
# chatter; no Mono/Gecko install prompts; no desktop menu entries written into $HOME.
wine_env=(
  env -u LC_ALL WINEPREFIX="$state/prefix" WINEDEBUG=-all LANG=pl_PL.UTF-8 LC_CTYPE=pl_PL.UTF-8
  LC_MESSAGES="${ZORVITAN_WINE_MESSAGES:-pl_PL.UTF-8}"
  WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
)

# Wine's background processes (wineserver, services, explorer) must not keep the caller's output
# pipes or the lock open: ctest waits for every process that holds its pipe, which made each test
# take about 33 s. So every Wine helper runs with all its descriptors pointing at the log.
quiet() { "$@" </dev/null >>"$log" 2>&1 9>&-; }

lock() { exec 9>"$state/lock"; flock 9; }
unlock() { exec 9>&-; }

# True while the recorded Xvfb runs (a finished one that nobody reaped yet does not count).
xvfb_alive() {
  local pid stat
  pid=$(cat "$state/xvfb.pid" 2>/dev/null) || return 1
  stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
  [[ $stat == "$pid (Xvfb) "[^Z]* ]]
}

# Sets $display: the caller's DISPLAY, else the Xvfb recorded here, else a new Xvfb on a free
# display number that Xvfb picks itself.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then display=$DISPLAY; return; fi
  if xvfb_alive && [ -s "$state/xvfb.display" ]; then
    display=:$(cat "$state/xvfb.display")
    return
  fi
  command -v Xvfb >/dev/null || die "Xvfb is missing: run scripts/deps.sh"
  rm -f "$state/xvfb.display" "$state/xvfb.pid"
  # A Wine session still running here drew on an X server that is gone: end it first.
  stop_session
  local number=$state/xvfb.display.new
  # The screen is just the size of Wine's virtual desktop, so a screenshot shows nothing else.
  setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 \
    3>"$number" </dev/null >>"$log" 2>&1 9>&- &
  local pid=$! tries=0
  until [ -s "$number" ]; do
    kill -0 "$pid" 2>/dev/null || die "Xvfb did not start (see $log)"
    ((++tries < 100)) || { kill "$pid"; die "Xvfb gave no display number in 10 s (see $log)"; }
    sleep 0.1
  done
  # Recorded only once it serves, so a later run either reuses it or finds nothing to stop.
  mv "$number" "$state/xvfb.display"
  echo "$pid" >"$state/xvfb.pid"
  display=:$(cat "$state/xvfb.display")
  echo "wine-run.sh: started Xvfb on $display (pid $pid)" >&2
}

# The prefix is created once; the marker is written last, so a half-made prefix is made again.
ensure_prefix() {
  local prefix=$state/prefix
  [ -f "$prefix/.zorvitan-ready" ] && return
  command -v wine >/dev/null || die "Wine is missing: run scripts/deps.sh"
  locale -a 2>/dev/null | grep -qix 'pl_PL\.utf-\?8' ||
    echo "wine-run.sh: warning: the pl_PL.UTF-8 locale is missing (run scripts/deps.sh)" >&2
  echo "wine-run.sh: creating the Wine prefix in $prefix" >&2
  local started=$SECONDS
  rm -rf "$prefix"
  quiet "${wine_env[@]}" DISPLAY="$display" wineserver -p30 || true
  quiet "${wine_env[@]}" DISPLAY="$display" wine wineboot -i ||
    die "wineboot -i failed (see $log)"
  # A virtual desktop: without a window manager every window hide or close waits about 2 s.
  cat >"$state/desktop.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
  quiet "${wine_env[@]}" DISPLAY="$display" wine regedit /S "Z:${state//\//\\}\\desktop.reg" ||
    die "could not write the desktop settings (see $log)"
  # Caption buttons are drawn with this font; without it they show as letters.
  cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  # The desktop settings take effect in a new session.
  stop_session
  grep -q 'Explorer\\\\Desktops' "$prefix/user.reg" ||
    die "the virtual desktop setting did not reach the registry (see $log)"
  touch "$prefix/.zorvitan-ready"
  echo "wine-run.sh: Wine prefix created in $((SECONDS - started)) s" | tee -a "$log" >&2
}

# A persistent server (it stays 30 s after the last program) makes a test start in about 0.2 s
# instead of several seconds; wineserver exits with 2 when one is already running. A session
# draws on the display it was booted with, so one booted for another display (the tests' Xvfb,
# say, before `make gui` on yours) is ended first.
ensure_session() {
  local rc=0
  if [ "$(cat "$state/session.display" 2>/dev/null)" != "$display" ]; then stop_session; fi
  quiet "${wine_env[@]}" DISPLAY="$display" wineserver -p30 || rc=$?
  if [ "$rc" -eq 0 ]; then
    # A new session: boot it here, so its system processes start with no pipe of the caller's
    # and the program starts in a ready session.
    quiet "${wine_env[@]}" DISPLAY="$display" wine wineboot || true
    echo "$display" >"$state/session.display"
  fi
}

stop_session() {
  rm -f "$state/session.display"
  [ -d "$state/prefix" ] || return 0
  quiet "${wine_env[@]}" wineserver -k || true
  quiet "${wine_env[@]}" wineserver -w || true
}

cleanup() {
  stop_session
  if xvfb_alive; then
    local pid
    pid=$(cat "$state/xvfb.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do xvfb_alive || break; sleep 0.1; done
    echo "wine-run.sh: stopped Xvfb (pid $pid)" >&2
  fi
  rm -f "$state/xvfb.pid" "$state/xvfb.display"
}

lock
case "$mode" in
  cleanup) cleanup; exit 0 ;;
  display) ensure_display; echo "$display"; exit 0 ;;
esac
ensure_display
ensure_prefix
ensure_session
unlock
[ "$mode" = setup ] && { echo "wine-run.sh: Wine ready in $state (display $display)" >&2; exit 0; }

# The program's output goes through files, not straight to the caller's pipes: anything the
# program starts in the background (Wine's own helpers included) then holds only these files.
out=$(mktemp "$state/out.XXXXXX")
err=$(mktemp "$state/err.XXXXXX")
child=
show_output() {
  cat "$out"
  cat "$err" >&2
  rm -f "$out" "$err"
}
on_signal() {
  [ -n "$child" ] && kill "$child" 2>/dev/null
  show_output
  exit 124
}
trap on_signal TERM INT HUP

# (A background command would read /dev/null; the program gets the caller's input instead.)
"${wine_env[@]}" DISPLAY="$display" wine "$@" <&0 >"$out" 2>"$err" &
child=$!
rc=0
wait "$child" || rc=$?
show_output
exit "$rc"
