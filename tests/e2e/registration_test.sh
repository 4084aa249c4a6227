#!/usr/bin/env bash
# The real kvu.exe under Wine on a private X server, with test components in
# its application folder (the product folder of kvu.ini's first section): the
# main window's registration button opens the registration window with one
# row per component, its two custom buttons in their enabled colours, and its
# exit button closes it. Saves a screenshot of the window to SHOT.
# Usage: registration_test.sh KVU_EXE PROBE_EXE WINE_PREFIX LOCALE_DIR COMPONENT_DIR SHOT
set -uo pipefail
kvu_exe=$1 probe_exe=$2 prefix=$3 locale_dir=$4 components=$5 shot=$6
source "$(dirname "$0")/../../scripts/wine-gui.sh"

main="Tarvo Software Updater"
title="ActiveX komponens regisztráció"
kvu_gui_session kvu-e2e
fail() {
    echo "FAIL: $*"
    exit 1
}
probe() { timeout 60 wine "$probe_exe" "$@" </dev/null | tr -d '\r'; }
# The colour of one screen pixel, as six hex digits.
pixel() { timeout 60 import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }

app=$work/app
mkdir "$app" && cp "$kvu_exe" "$app/kvu.exe" || fail "cannot set up $app"
# Two components, and files the window must leave out.
cp "$components/succeeds.dll" "$app/VmlxKomponens.dll" &&
    cp "$components/fails.dll" "$app/Racs.OCX" &&
    cp "$components/no_export.dll" "$app/VmlxSima.dll" &&
    echo "no library" >"$app/Hibas.ocx" || fail "cannot copy the test components"
kvu_gui_prepare "$prefix" "$locale_dir" none || fail "cannot prepare the Wine prefix"
kvu_xvfb_start "$work" 1024x768 || fail "cannot start Xvfb"

KVU_ASSUME_CONNECTED=1 timeout 180 wine "$app/kvu.exe" </dev/null >"$work/kvu.log" 2>&1 &
kvu_pid=$!
probe wait "$main" 50 >/dev/null || fail "no main window"
probe click "$main" "&ActiveX komponensek regisztrálása" || fail "no registration button"
probe wait "$title" 30 >/dev/null || fail "no window titled \"$title\""

rows=$(probe rows "$title") || fail "cannot read the list"
[ "$rows" = 2 ] || fail "$rows rows instead of 2"
dump=$(probe dump "$title")
app_windows=$(timeout 60 winepath -w "$app" </dev/null | tr -d '\r')
for caption in "Static|Programútvonal: [$app_windows\\]" "Button|Regisztráció" "Button|Kilépés"; do
    grep -qxF "$caption" <<<"$dump" || fail "no control \"$caption\" in: $dump"
done
grep -qE '^Static\|Programverzió:  \[[0-9]+\.[0-9]+\.[0-9]+\]$' <<<"$dump" ||
    fail "no program version in: $dump"

sleep 1  # let the window finish painting
read -r x y width height < <(probe rect "$title")
mkdir -p "$(dirname "$shot")"
timeout 60 import -window root -crop "${width}x${height}+${x}+${y}" +repage "$shot" ||
    fail "no screenshot"
echo "screenshot: $shot"
for button in Regisztráció Kilépés; do
    read -r bx by _ _ < <(probe rect "$title" "$button")
    colour=$(pixel $((bx + 3)) $((by + 3)))
    [ "$colour" = "#FFFFF1" ] || fail "button $button shows $colour, not its enabled colour"
done

probe click "$title" "Kilépés" || fail "cannot click Kilépés"
for _ in $(seq 50); do
    probe wait "$title" 0 >/dev/null 2>&1 || break
    sleep 0.1
done
probe wait "$title" 0 >/dev/null 2>&1 && fail "the window stayed open"
kvu_leave_program "$probe_exe" "$main" || fail "kvu.exe did not end through its exit button"
echo "PASS: registration window opened from the main window with one row per component"
