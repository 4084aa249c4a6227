#!/usr/bin/env bash
# The real kvu.exe under Wine on a private X server, started in a fresh
# application folder: its main window appears, shows its captions, and kvu.ini
# holds [0_PARAM] APP_PATH set to that folder; the exit button ends it with
# status 0. Every wait is bounded.
# Usage: smoke_test.sh KVU_EXE PROBE_EXE WINE_PREFIX LOCALE_DIR
set -uo pipefail
kvu_exe=$1 probe_exe=$2 prefix=$3 locale_dir=$4
source "$(dirname "$0")/../../scripts/wine-gui.sh"

title="Tarvo Software Updater"
kvu_gui_session kvu-e2e
fail() {
    echo "FAIL: $*"
    [ -f "$work/kvu.log" ] && sed 's/^/kvu: /' "$work/kvu.log" | tail -20
    exit 1
}
probe() { timeout 60 wine "$probe_exe" "$@" </dev/null; }

mkdir "$work/app" && cp "$kvu_exe" "$work/app/kvu.exe" || fail "cannot set up $work/app"
kvu_gui_prepare "$prefix" "$locale_dir" none || fail "cannot prepare the Wine prefix"
kvu_xvfb_start "$work" 1024x768 || fail "cannot start Xvfb"

# Build machines may have no network at all; the connection test is not what
# this test is about (the headless tests cover its message and exit).
KVU_ASSUME_CONNECTED=1 timeout 180 wine "$work/app/kvu.exe" </dev/null >"$work/kvu.log" 2>&1 &
kvu_pid=$!

probe wait "$title" 50 || fail "no window titled \"$title\""
# The status panel is filled by the first tick of its timer: look a few times.
missing="none read"
for _ in $(seq 20); do
    dump=$(probe dump "$title" | tr -d "\r") || fail "cannot read the window's controls"
    missing=""
    for caption in "Static|Frissítendő termék:" "Static|terméktelepítési mappa:" \
        "ComboBox|egyéni beállítású" "Button|csak újabb verziókat kínáljon fel" \
        "Button|&Kilépés a programból" "msctls_statusbar32|Státusz: Készenlét"; do
        grep -qxF "$caption" <<<"$dump" || missing="$caption"
    done
    [ -z "$missing" ] && break
    sleep 0.5
done
[ -z "$missing" ] || fail "no control \"$missing\" in: $dump"

app_windows=$(timeout 60 winepath -w "$work/app" </dev/null) || fail "winepath"
ini=$(tr -d '\r' <"$work/app/kvu.ini" 2>/dev/null) || fail "no kvu.ini in the application folder"
grep -qxF "[0_PARAM]" <<<"$ini" || fail "no section 0_PARAM in: $ini"
grep -qxF "APP_PATH=$app_windows" <<<"$ini" || fail "APP_PATH is not $app_windows in: $ini"

kvu_leave_program "$probe_exe" "$title" || fail "kvu.exe did not end through its exit button"
echo "PASS: main window shown, kvu.ini written, ended through the exit button"
