#!/bin/bash
# Starts and stops what Windows test programs need: a private Wine prefix, a
# virtual display and a persistent wineserver.  Wine's background processes
# keep the standard streams of whoever starts them, so everything here is
# started detached with its output sent to a log file.
# usage: wine-session.sh start|stop <build dir>
set -u
cmd=$1; build=$2
state="$build/wine-session"
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

stop() {
  "$wineserver" -k >/dev/null 2>&1 || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" >/dev/null 2>&1 || true
    rm -f "$state/xvfb.pid" "$state/display"
  fi
}

case "$cmd" in
start)
  mkdir -p "$state"
  stop
  # A display for windows: Xvfb picks a free number and writes it to its
  # standard output, which goes to a file here.
  : >"$state/display.raw"
  setsid Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp \
    </dev/null >"$state/display.raw" 2>"$state/xvfb.log" &
  echo $! >"$state/xvfb.pid"
  num=
  for _ in $(seq 1 200); do
    num=$(tr -dc 0-9 <"$state/display.raw")
    [ -n "$num" ] && break
    sleep 0.1
  done
  [ -n "$num" ] || { echo "Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; exit 1; }
  echo "$num" >"$state/display"
  export DISPLAY=":$num"
  setsid "$wineserver" -p </dev/null >"$state/wineserver.log" 2>&1
  # First use creates the prefix; later runs only start its services.
  setsid /usr/lib/wine/wine64 wineboot -i </dev/null >"$state/wineboot.log" 2>&1
  # The display has no window manager: windows Wine leaves to one wait two
  # seconds, each time they are shown or hidden, for an answer that never
  # comes.  Wine places and activates its windows itself instead.
  setsid /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
    </dev/null >>"$state/wineboot.log" 2>&1
  exit 0
  ;;
stop)
  stop
  exit 0
  ;;
esac
echo "usage: $0 start|stop <build dir>" >&2
exit 2
