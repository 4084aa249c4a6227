#!/usr/bin/env bash
# Sets up, builds kvu.exe and shows the whole job under Wine on a demo (fresh at
# every run, in build/demo): an installed product (build/demo/product) with
# version resources and one component, a repository and update archives served
# from 127.0.0.1 by a small HTTP server that the script starts and stops, and
# kvu.ini (build/demo/app) pointing at it.
#   - with DISPLAY set, on that display, until you leave the program: click
#     "Frissítések keresése ...", then "Telepít", then "Regisztráció";
#   - without one, on a private Xvfb: the script does those clicks itself and
#     saves screenshots of the main window, the update list window and the
#     registration window in build/demo/ (or the folder $KVU_SCREENSHOTS).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target kvu kvu_probe unzip32 kvu_test_images kvu_component_succeeds

source scripts/wine-gui.sh
demo=$root/build/demo
win=$root/build/win64
probe_exe=$win/tests/e2e/kvu_probe.exe
title="Tarvo Software Updater"
rm -rf "$demo/app" "$demo/product" "$demo/www"
mkdir -p "$demo/app"
cp "$win/app/kvu.exe" "$(find "$win" -name unzip32.dll -path '*unzip32*' | head -1)" "$demo/app/"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 scripts/make_demo.py "$demo" "$port" "$win/tests/support/pe" \
    "$win/tests/support/components/out/succeeds.dll"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$demo/www" \
    >"$demo/server.log" 2>&1 &
server_pid=$!
stop_server() { kill "$server_pid" 2>/dev/null || true; }
echo "run: repository on http://127.0.0.1:$port/pelt/demo.xrs, installation in $demo/product"

if ! kvu_has_network; then
    echo "run: no network interface besides loopback; KVU_ASSUME_CONNECTED=1 lets the window open"
    export KVU_ASSUME_CONNECTED=1
fi

if [ -n "${DISPLAY:-}" ]; then
    trap stop_server EXIT
    kvu_gui_prepare "$demo/wineprefix" "$root/build/locale" none
    echo "run: kvu.exe in $demo/app on $DISPLAY"
    status=0
    wine "$demo/app/kvu.exe" </dev/null || status=$?
    kvu_wineserver_stop
    exit $status
fi

shots=${KVU_SCREENSHOTS:-$demo}
mkdir -p "$shots"
kvu_gui_session kvu-run
trap 'stop_server; kvu_gui_session_end' EXIT
probe() { timeout 60 wine "$probe_exe" "$@" </dev/null | tr -d '\r'; }
# shot TITLE FILE: a screenshot of the window of that title.
shot() {
    local x y width height
    probe wait "$1" 60 >/dev/null
    sleep 1  # let the window finish painting
    read -r x y width height < <(probe rect "$1")
    timeout 60 import -window root -crop "${width}x${height}+${x}+${y}" +repage "$2"
    echo "run: screenshot: $2"
}

kvu_gui_prepare "$demo/wineprefix" "$root/build/locale" 1024x768
kvu_xvfb_start "$work" 1024x768
echo "run: no DISPLAY; kvu.exe in $demo/app on Xvfb $DISPLAY"
timeout 300 wine "$demo/app/kvu.exe" </dev/null >"$work/kvu.log" 2>&1 &
kvu_pid=$!
shot "$title" "$shots/kvu-main-window.png"
probe click "$title" "&Frissítések keresése ..."
shot "Letöltés" "$shots/kvu-update-list.png"
probe click "Letöltés" "Telepít"
shot "ActiveX komponens regisztráció" "$shots/kvu-registration.png"
probe click "ActiveX komponens regisztráció" "Regisztráció"
probe wait "ActiveX komponens regisztráció eredménye" 60 >/dev/null
probe answer "ActiveX komponens regisztráció eredménye"
if probe wait "Internetes alkalmazásfrissítés" 5 >/dev/null 2>&1; then
    probe answer "Internetes alkalmazásfrissítés"
fi
sleep 1
probe dump "$title" | grep -F "Az internetes frissítés befejeződőtt!" >/dev/null &&
    echo "run: the search ended: Az internetes frissítés befejeződőtt!"
shot "$title" "$shots/kvu-main-window-done.png"
kvu_leave_program "$probe_exe" "$title" && echo "run: kvu.exe ended through its exit button"
