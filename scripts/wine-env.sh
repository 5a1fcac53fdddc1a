# Sourced by the scripts that run Windows programs: a Wine prefix of the build's
# own, a pinned locale, and a virtual X display when none is given.
# Usage: source scripts/wine-env.sh BUILD_DIR; ... ; stop_wine_env

quillory_build_dir=$1
export WINEPREFIX="$quillory_build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=C.UTF-8 LC_ALL=C.UTF-8
quillory_xvfb_pid=""

start_virtual_display() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    quillory_xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$quillory_xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "could not start a virtual display" >&2
  return 1
}

[ "${QUILLORY_VIRTUAL_DISPLAY:-}" = 1 ] || [ -z "${DISPLAY:-}" ] && start_virtual_display

# The first start creates the prefix (it takes a while); a persistent server
# makes every later start quick. Starting Wine's own services here, with their
# output nowhere, keeps them from holding open the pipes of later commands.
mkdir -p "$quillory_build_dir"
# Wine runs the logon-start entries whenever its services start. The program
# writes one for itself, and a copy started that way would be the running copy
# every later start defers to, working in the build folder: the entry is
# dropped from the prefix while no Wine server holds it.
[ -f "$WINEPREFIX/user.reg" ] && sed -i '/^"Quillory"=/d' "$WINEPREFIX/user.reg"
wineserver -p >/dev/null 2>&1 </dev/null || true
wineboot >/dev/null 2>&1 </dev/null || true
# With no window manager on the virtual display, Wine waits two seconds for one
# to withdraw every managed window it hides; unmanaged windows close at once.
# On a real display the window manager frames the windows as usual.
if [ -n "$quillory_xvfb_pid" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
else
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 </dev/null || true
fi

stop_wine_env() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$quillory_xvfb_pid" ] && kill "$quillory_xvfb_pid" 2>/dev/null || true
}
