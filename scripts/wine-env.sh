# Sourced by the run and test scripts: a project-owned Wine prefix with the Chinese code page,
# and a virtual display when there is none.
#   VELMORA_WINEPREFIX  prefix to use (default: build/wineprefix in the repository)
#   VELMORA_WINVER      winxp or win7 (default win7)

velmora_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${VELMORA_WINEPREFIX:-$velmora_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree=;mshtml=}
# The code page follows the Unix locale: zh_CN gives ANSI code page 936.
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8

velmora_xvfb_pid=
# Starts a virtual display of our own and points DISPLAY at it. With "reuse", a display that
# already answers is used instead (for running the program by hand); tests always get their own,
# since they send real mouse input. A number another run took meanwhile is skipped.
velmora_start_display() {
    if [ "${1:-}" = reuse ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local n i
    for n in $(seq 87 140); do
        { [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; } && continue
        Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        velmora_xvfb_pid=$!
        for i in $(seq 50); do
            kill -0 "$velmora_xvfb_pid" 2>/dev/null || break
            DISPLAY=:$n xdpyinfo >/dev/null 2>&1 && { export DISPLAY=:$n; return 0; }
            sleep 0.1
        done
        kill "$velmora_xvfb_pid" >/dev/null 2>&1 || true
        velmora_xvfb_pid=
    done
    echo "no free display number" >&2
    return 1
}

# Ends this prefix's server and the display started here, if any.
velmora_stop_display() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$velmora_xvfb_pid" ]; then
        kill "$velmora_xvfb_pid" >/dev/null 2>&1 || true
        velmora_xvfb_pid=
    fi
}

# Creates the prefix once; later runs reuse it. A wineserver keeps the display it started with,
# so any server of this prefix is stopped first.
velmora_prepare_prefix() {
    wineserver -k >/dev/null 2>&1 || true
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot -i >"$WINEPREFIX.boot.log" 2>&1 || { cat "$WINEPREFIX.boot.log" >&2; return 1; }
        wineserver -w
    fi
    # One warm server with Wine's background services for the whole run. Those services inherit
    # the output of the process that starts them, so they are started here, writing to a file,
    # and not by a test whose output is read through a pipe.
    wineserver -p >/dev/null 2>&1 || true
    # Windows on a bare X server are destroyed slowly unless Wine manages them itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >"$WINEPREFIX.warm.log" 2>&1
    wine reg add 'HKCU\Software\Wine' /v Version /d "${VELMORA_WINVER:-win7}" /f >>"$WINEPREFIX.warm.log" 2>&1
}
