# Helpers for running kvu.exe under Wine on a screen; sourced by scripts/run.sh
# and the e2e tests.
#
# The program is Hungarian: Wine must run it with the Windows-1250 code page and
# fonts that hold its letters (ő, ű). So each GUI prefix gets:
#   - LC_ALL=hu_HU.UTF-8, with the locale compiled into a folder of the build
#     (LOCPATH) when the system has not generated it: Wine takes its Windows
#     locale and code page from it, and converts file names and arguments with it;
#   - Wine's own fonts (Tahoma, Marlett, ...) copied into C:\windows\Fonts, as
#     Debian's Wine does not find them in /usr/share/wine/fonts by itself.
# Every call that could wait is bounded by a time limit.

# kvu_gui_env PREFIX LOCALE_DIR: the environment of every Wine call.
# Both paths must be absolute.
kvu_gui_env() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    if ! locale -a 2>/dev/null | grep -qix 'hu_HU.utf-\?8'; then
        export LOCPATH=$2
    fi
    # Bash itself cannot use LOCPATH and would warn; its children can.
    { export LC_ALL=hu_HU.UTF-8; } 2>/dev/null
}

# kvu_gui_locale LOCALE_DIR: compiles hu_HU.UTF-8 there once.
kvu_gui_locale() {
    local dir=$1
    [ -f "$dir/hu_HU.UTF-8/LC_CTYPE" ] && return 0
    mkdir -p "$dir"
    timeout 120 localedef -i hu_HU -f UTF-8 "$dir/hu_HU.UTF-8" >/dev/null 2>&1 || true
    [ -f "$dir/hu_HU.UTF-8/LC_CTYPE" ]
}

# kvu_gui_prepare PREFIX LOCALE_DIR DESKTOP: sets up the prefix once (locale,
# wineboot, fonts) and chooses the desktop: DESKTOP is WIDTHxHEIGHT for a Wine
# desktop window of that size (windows get their frames drawn by Wine, as on a
# bare X server nobody else draws them), or "none" for the display's own.
kvu_gui_prepare() {
    local prefix=$1 locale_dir=$2 desktop=$3
    kvu_gui_locale "$locale_dir" || { echo "wine-gui: cannot compile hu_HU.UTF-8" >&2; return 1; }
    kvu_gui_env "$prefix" "$locale_dir"
    if [ ! -f "$prefix/.kvu-gui-ready" ]; then
        mkdir -p "$prefix"
        timeout 180 wineboot -i </dev/null >/dev/null 2>&1 || true
        timeout 60 wineserver -w || true
        [ -d "$prefix/drive_c/windows" ] || { echo "wine-gui: wineboot failed" >&2; return 1; }
        mkdir -p "$prefix/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
        touch "$prefix/.kvu-gui-ready"
    fi
    local key='HKCU\Software\Wine\Explorer'
    if [ "$desktop" = none ]; then
        timeout 60 wine reg delete "$key" /v Desktop /f </dev/null >/dev/null 2>&1 || true
    else
        timeout 60 wine reg add "$key" /v Desktop /d Default /f </dev/null >/dev/null 2>&1 &&
            timeout 60 wine reg add "$key\\Desktops" /v Default /d "$desktop" /f \
                </dev/null >/dev/null 2>&1 || return 1
    fi
    # The desktop is chosen when Wine's session starts: start a fresh one.
    kvu_wineserver_stop
}

# Ends the Wine session of the current prefix (only this prefix's processes).
kvu_wineserver_stop() {
    timeout 30 wineserver -k </dev/null >/dev/null 2>&1 || true
    timeout 30 wineserver -w </dev/null >/dev/null 2>&1 || true
}

# kvu_xvfb_start WORKDIR WIDTHxHEIGHT: a private X server on a display number
# it picks itself (-displayfd), so that it collides with no other; exports
# DISPLAY and sets KVU_XVFB_PID.
kvu_xvfb_start() {
    local work=$1 size=$2 number=""
    : >"$work/xvfb-display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/xvfb-display" \
        </dev/null >"$work/xvfb.log" 2>&1 &
    KVU_XVFB_PID=$!
    for _ in $(seq 100); do
        number=$(tr -dc 0-9 <"$work/xvfb-display")
        [ -n "$number" ] && break
        sleep 0.1
    done
    [ -n "$number" ] || { echo "wine-gui: Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$number
}

kvu_xvfb_stop() {
    if [ -n "${KVU_XVFB_PID:-}" ]; then
        kill "$KVU_XVFB_PID" 2>/dev/null || true
        wait "$KVU_XVFB_PID" 2>/dev/null || true
        KVU_XVFB_PID=""
    fi
}

# kvu_gui_session NAME: a fresh work folder in $work, and a trap that on exit
# ends kvu.exe (its process id in $kvu_pid, once started), the Wine session
# and Xvfb, and removes the folder.
kvu_gui_session() {
    work=$(mktemp -d "/tmp/$1.XXXXXX")
    kvu_pid=""
    trap kvu_gui_session_end EXIT
}

kvu_gui_session_end() {
    [ -n "$kvu_pid" ] && kill "$kvu_pid" 2>/dev/null
    kvu_wineserver_stop
    kvu_xvfb_stop
    rm -rf "$work"
}

# kvu_wait_exit PID SECONDS: waits for the process to end; its exit status, or
# 124 when it is still running after SECONDS.
kvu_wait_exit() {
    local pid=$1 seconds=$2
    for _ in $(seq $((seconds * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            return $?
        fi
        sleep 0.1
    done
    return 124
}

# kvu_leave_program PROBE_EXE TITLE: clicks the exit button of the main window
# titled TITLE and waits for kvu.exe ($kvu_pid) to end; non-zero when the click
# fails or the program does not end with status 0.
kvu_leave_program() {
    timeout 60 wine "$1" click "$2" "&Kilépés a programból" </dev/null >/dev/null || return 1
    kvu_wait_exit "$kvu_pid" 30
    local status=$?
    kvu_pid=""
    return $status
}

# kvu_has_network: an interface other than loopback is up.
kvu_has_network() {
    local flags
    for dev in /sys/class/net/*; do
        [ "$(basename "$dev")" = lo ] && continue
        flags=$(cat "$dev/flags" 2>/dev/null || echo 0)
        (((flags & 1) == 1)) && return 0
    done
    return 1
}
