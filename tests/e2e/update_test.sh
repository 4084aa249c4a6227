#!/usr/bin/env bash
# The whole job with the real kvu.exe under Wine on a private X server: the
# demo of scripts/make_demo.py served from 127.0.0.1, the search, the update
# list, "Telepít", the registration window, "Regisztráció", the result box and
# the final caption. Every chosen file must then be its archive member, byte
# for byte, with the member's time. A second run serves one archive as 404 and
# one damaged: the other files are installed, the failing ones are untouched,
# and the final box names the download failure.
# Usage: update_test.sh KVU_EXE PROBE_EXE UNZIP_DLL WINE_PREFIX LOCALE_DIR PE_DIR COMPONENT_DLL
set -uo pipefail
kvu_exe=$1 probe_exe=$2 unzip_dll=$3 prefix=$4 locale_dir=$5 pe_dir=$6 component=$7
here=$(dirname "$0")
source "$here/../../scripts/wine-gui.sh"

main="Tarvo Software Updater"
list="Letöltés"
registration="ActiveX komponens regisztráció"
result="ActiveX komponens regisztráció eredménye"
app_title="Internetes alkalmazásfrissítés"
# Every offered row starts checked: each is newer by version or date, or new.
offered="1|újabb verzió -> lindora.dll
1|újabb dátum -> olvasd.txt
1|újabb dátum -> VmlxDemo.dll
1|új fájl -> uj_modul.dll"
# A fixed zone without summer time: file times stay independent of the date.
export TZ='<+01>-1'
kvu_gui_session kvu-e2e-update
server_pid=""
trap '[ -n "$server_pid" ] && kill "$server_pid"; kvu_gui_session_end' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}
probe() { timeout 60 wine "$probe_exe" "$@" </dev/null | tr -d '\r'; }
kvu_gui_prepare "$prefix" "$locale_dir" none || fail "cannot prepare the Wine prefix"
kvu_xvfb_start "$work" 1024x768 || fail "cannot start Xvfb"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

# run_case NAME BROKEN: one search and installation over a fresh demo.
run_case() {
    local demo=$work/$1 broken=$2
    python3 "$here/../../scripts/make_demo.py" "$demo" "$port" "$pe_dir" "$component" ||
        fail "cannot lay out the demo"
    cp "$kvu_exe" "$unzip_dll" "$demo/app/" || fail "cannot copy kvu.exe"
    if [ "$broken" = 1 ]; then
        rm "$demo/www/pelt/olvasd.txt.zip"
        printf 'PK\003\004 not an archive' >"$demo/www/pelt/uj_modul.dll.zip"
    fi
    python3 -m http.server "$port" --bind 127.0.0.1 --directory "$demo/www" \
        >"$work/server-$1.log" 2>&1 &
    server_pid=$!
    KVU_ASSUME_CONNECTED=1 timeout 200 wine "$demo/app/kvu.exe" </dev/null >"$work/kvu-$1.log" 2>&1 &
    kvu_pid=$!
    probe wait "$main" 50 >/dev/null || fail "$1: no main window"
    probe click "$main" "&Frissítések keresése ..." || fail "$1: no search button"
    probe wait "$list" 60 >/dev/null || fail "$1: no update list"
    rows=$(probe checks "$list")
    [ "$rows" = "$offered" ] || fail "$1: rows and checks: $rows"
    sleep 1  # two clicks must not become a double click
    probe click "$list" "Telepít" || fail "$1: no install label"
    if [ "$broken" = 1 ]; then
        probe wait "$app_title" 60 >/dev/null || fail "$1: no box for the damaged archive"
        probe answer "$app_title" >/dev/null
    fi
    probe wait "$registration" 60 >/dev/null || fail "$1: no registration window"
    [ "$(probe rows "$registration")" = 1 ] || fail "$1: not one component"
    probe click "$registration" "Regisztráció" || fail "$1: no register button"
    probe wait "$result" 60 >/dev/null || fail "$1: no registration result"
    probe answer "$result" >/dev/null
    if [ "$broken" = 1 ]; then
        probe wait "$app_title" 60 >/dev/null || fail "$1: no final box"
        box=$(probe answer "$app_title")
        grep -qF "Fájl letöltési hiba: olvasd.txt.zip" <<<"$box" || fail "$1: final box: $box"
    fi
    sleep 1
    probe dump "$main" | grep -qxF "Static|Az internetes frissítés befejeződőtt!" ||
        fail "$1: no final caption"
    kvu_leave_program "$probe_exe" "$main" || fail "$1: kvu.exe did not end"
    kill "$server_pid"
    server_pid=""
    python3 - "$demo" "$broken" <<'PY' || fail "$1: installed files differ"
import os, sys, time, zipfile
demo, broken = sys.argv[1], sys.argv[2] == "1"
targets = {"lindora.dll": "", "olvasd.txt": "bin", "VmlxDemo.dll": "", "uj_modul.dll": ""}
failing = {"olvasd.txt", "uj_modul.dll"} if broken else set()
ok = True
for name, folder in targets.items():
    path = os.path.join(demo, "product", folder, name)
    if name in failing:
        expected_missing = name == "uj_modul.dll"
        if expected_missing != (not os.path.exists(path)) or (
                name == "olvasd.txt" and open(path, "rb").read() != "Régi leírás.\r\n".encode("cp1250")):
            print("touched:", name); ok = False
        continue
    with zipfile.ZipFile(os.path.join(demo, "www", "pelt", name + ".zip")) as z:
        member = z.infolist()[0]
        data = z.read(member)
    stamp = time.mktime(member.date_time + (0, 0, -1))
    if open(path, "rb").read() != data or int(os.path.getmtime(path)) != int(stamp):
        print("differs:", name, os.path.getmtime(path), stamp); ok = False
sys.exit(0 if ok else 1)
PY
}

run_case whole 0
run_case failures 1
echo "PASS"
