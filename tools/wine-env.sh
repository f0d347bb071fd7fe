# Sourced by wine-run and run: an X display for Wine and a Wine prefix set up
# the way the launcher's users have Windows (Japanese, code page 932).
#
# Programs that outlive the caller (Xvfb, wineserver, and the Wine system
# processes that the first program of a wineserver starts) must not hold
# the caller's output: CTest waits for every holder of a test's output pipe.
# Nor may they hold a lock's descriptor, or the lock stays taken as long as
# they live. So they are started through mirabelton_isolated or
# mirabelton_spawn.

MIRABELTON_XVFB_DISPLAY=${MIRABELTON_XVFB_DISPLAY:-:87}

mirabelton_close_inherited() {
  local fd
  for fd in /proc/$BASHPID/fd/*; do
    fd=${fd##*/}
    if ((fd > 2)); then eval "exec $fd>&-"; fi
  done
}

# Runs a command with its output appended to a log and no other descriptor
# inherited; returns its status.
mirabelton_isolated() {
  local log=$1
  shift
  (
    mirabelton_close_inherited
    exec "$@" </dev/null >>"$log" 2>&1
  )
}

# Starts a command the same way in a session of its own, in the background
# ($! is its process). Called as a plain function, never with "&": a
# subshell around this one would keep the caller's descriptors.
mirabelton_spawn() {
  local log=$1
  shift
  (
    mirabelton_close_inherited
    exec setsid "$@" </dev/null >>"$log" 2>&1
  ) &
}

mirabelton_display_usable() {
  [[ -n ${1:-} ]] && xdpyinfo -display "$1" >/dev/null 2>&1
}

# Uses $DISPLAY when it answers, else an Xvfb of our own, started once and
# shared by every later caller.
mirabelton_ensure_display() {
  mirabelton_display_usable "${DISPLAY:-}" && return 0
  export DISPLAY=$MIRABELTON_XVFB_DISPLAY
  local n=${DISPLAY#:}
  (
    flock 9
    mirabelton_display_usable "$DISPLAY" && exit 0
    # A server that died leaves its lock behind, and Xvfb refuses to start.
    local pid
    if pid=$(tr -d ' ' 2>/dev/null <"/tmp/.X$n-lock") && ! kill -0 "$pid" 2>/dev/null; then
      rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
    fi
    mirabelton_spawn "/tmp/mirabelton-xvfb$n.log" Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp
    for _ in $(seq 100); do
      mirabelton_display_usable "$DISPLAY" && exit 0
      sleep 0.1
    done
    echo "wine-env: Xvfb did not answer on $DISPLAY (see /tmp/mirabelton-xvfb$n.log)" >&2
    exit 1
  ) 9>"/tmp/.mirabelton-xvfb$n.lock"
}

mirabelton_wine_vars() {
  export WINEPREFIX=$1
  export WINEDEBUG=-all
  # No prompts to download Mono or Gecko: nothing here uses .NET or HTML.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
}

mirabelton_create_prefix() {
  local prefix=$1 log=$1.log
  echo "wine-env: creating the Wine prefix $prefix" >&2
  rm -rf "$prefix"  # left half made by an interrupted run
  mkdir "$prefix"
  # A server that ends soon after the last program: its end saves the
  # registry to disk before anyone relies on the prefix.
  mirabelton_isolated "$log" setsid wineserver || return 1
  mirabelton_isolated "$log" wine wineboot --init || return 1
  # Unmanaged windows: without a window manager Wine otherwise waits seconds
  # on every hide. No crash dialog: a crash must end the test, not wait.
  local reg=$prefix/mirabelton.reg
  printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' >"$reg"
  mirabelton_isolated "$log" wine regedit /S "Z:${reg//\//\\}" || return 1
  rm -f "$reg"
  wineserver -w
  touch "$prefix/.mirabelton-ready"
}

# Caption buttons and the launcher's hide and end glyphs are drawn in
# Marlett, which Windows always has. Wine ships it but does not find it where
# Debian installs it (the caption buttons then show the letters "r" and "0");
# every font in the prefix's Fonts folder is loaded, so a copy there is
# enough. Prefixes made before this copy was made get it on their next use.
mirabelton_marlett=/usr/share/wine/fonts/marlett.ttf
mirabelton_install_marlett() {
  local fonts=$1/drive_c/windows/Fonts
  [[ -f $fonts/marlett.ttf ]] && return 0
  if [[ ! -f $mirabelton_marlett ]]; then
    echo "wine-env: $mirabelton_marlett is missing (tools/bootstrap installs fonts-wine)" >&2
    return 1
  fi
  mkdir -p "$fonts" && cp "$mirabelton_marlett" "$fonts/marlett.ttf"
}

# Creates the prefix at $1 (an absolute path) once, and keeps a wineserver
# for it that outlives single runs, which makes each start much cheaper; it
# leaves by itself after idle minutes. Parallel callers wait for each other.
# Exports the Wine variables for the prefix.
mirabelton_ensure_prefix() {
  local prefix=$1
  # Without the locale Wine quietly falls back to code page 1252, and
  # settings-file tests then fail for no visible reason.
  if ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
    echo "wine-env: the ja_JP.UTF-8 locale is missing (tools/bootstrap generates it)" >&2
    return 1
  fi
  mkdir -p "$(dirname "$prefix")"
  mirabelton_wine_vars "$prefix"
  (
    flock 9
    if [[ ! -f $prefix/.mirabelton-ready ]]; then
      mirabelton_create_prefix "$prefix" || exit 1
    fi
    mirabelton_install_marlett "$prefix" || exit 1
    # wineserver succeeds only when it is the one now serving the prefix;
    # then a first program starts the system processes, detached from us.
    if mirabelton_isolated "$prefix.log" setsid wineserver -p300; then
      mirabelton_isolated "$prefix.log" wine cmd.exe /c exit || true
    fi
  ) 9>"$prefix.lock" || {
    echo "wine-env: could not set up the Wine prefix $prefix (see $prefix.log)" >&2
    return 1
  }
}
