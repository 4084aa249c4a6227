#!/usr/bin/env bash
# The whole job with the real kvu.exe under Wine on a private X server: the
# demo of scripts/make_demo.py served from 127.0.0.1, the search, the update
# list, "Telepít", the registration window, "Regisztráció", the result box and
# the final caption. Every chosen file must then be its archive member, byte
# for byte, with the member's time. Then the main window's own registration
# button opens the registration window on the product folder, with its custom
# buttons in their enabled colours. (Failing downloads and damaged archives
# are the main window's tests, with a real server and real archives.)
# Usage: update_test.sh KVU_EXE PROBE_EXE UNZIP_DLL WINE_PREFIX LOCALE_DIR PE_DIR COMPONENT_DLL
set -uo pipefail
kvu_exe=$1 probe_exe=$2 unzip_dll=$3 prefix=$4 locale_dir=$5 pe_dir=$6 component=$7
here=$(dirname "$0")
source "$here/../../scripts/wine-gui.sh"

main="Tarvo Software Updater"
list="Letöltés"
registration="ActiveX komponens regisztráció"
result="ActiveX komponens regisztráció eredménye"
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
# The colour of one screen pixel, as six hex digits.
pixel() { timeout 60 import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }
kvu_gui_prepare "$prefix" "$locale_dir" none || fail "cannot prepare the Wine prefix"
kvu_xvfb_start "$work" 1024x768 || fail "cannot start Xvfb"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

demo=$work/demo
python3 "$here/../../scripts/make_demo.py" "$demo" "$port" "$pe_dir" "$component" ||
    fail "cannot lay out the demo"
cp "$kvu_exe" "$unzip_dll" "$demo/app/" || fail "cannot copy kvu.exe"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$demo/www" >"$work/server.log" 2>&1 &
server_pid=$!
KVU_ASSUME_CONNECTED=1 timeout 200 wine "$demo/app/kvu.exe" </dev/null >"$work/kvu.log" 2>&1 &
kvu_pid=$!
probe wait "$main" 50 >/dev/null || fail "no main window"
probe click "$main" "&Frissítések keresése ..." || fail "no search button"
probe wait "$list" 60 >/dev/null || fail "no update list"
rows=$(probe checks "$list")
[ "$rows" = "$offered" ] || fail "rows and checks: $rows"
sleep 1  # two clicks must not become a double click
probe click "$list" "Telepít" || fail "no install label"
probe wait "$registration" 60 >/dev/null || fail "no registration window"
[ "$(probe checks "$registration" | wc -l)" = 1 ] || fail "not one component"
probe click "$registration" "Regisztráció" || fail "no register button"
probe wait "$result" 60 >/dev/null || fail "no registration result"
probe answer "$result" >/dev/null
sleep 1
probe dump "$main" | grep -qxF "Static|Az internetes frissítés befejeződőtt!" || fail "no final caption"

# The main window's registration button opens the window on the product folder.
probe click "$main" "&ActiveX komponensek regisztrálása" || fail "no registration button"
probe wait "$registration" 30 >/dev/null || fail "no registration window from the button"
dump=$(probe dump "$registration")
folder=$(timeout 60 winepath -w "$demo/product" </dev/null | tr -d '\r')
grep -qxF "Static|Programútvonal: [$folder\\]" <<<"$dump" || fail "no folder caption in: $dump"
grep -qE '^Static\|Programverzió:  \[[0-9]+\.[0-9]+\.[0-9]+\]$' <<<"$dump" ||
    fail "no program version in: $dump"
sleep 1  # let the window finish painting
for button in Regisztráció Kilépés; do
    read -r bx by _ _ < <(probe rect "$registration" "$button")
    colour=$(pixel $((bx + 3)) $((by + 3)))
    [ "$colour" = "#FFFFF1" ] || fail "button $button shows $colour, not its enabled colour"
done
probe click "$registration" "Kilépés" || fail "cannot click Kilépés"
for _ in $(seq 50); do
    probe wait "$registration" 0 >/dev/null 2>&1 || break
    sleep 0.1
done
probe wait "$registration" 0 >/dev/null 2>&1 && fail "the registration window stayed open"
kvu_leave_program "$probe_exe" "$main" || fail "kvu.exe did not end"

python3 - "$demo" <<'PY' || fail "installed files differ"
import os, sys, time, zipfile
demo = sys.argv[1]
targets = {"lindora.dll": "", "olvasd.txt": "bin", "VmlxDemo.dll": "", "uj_modul.dll": ""}
ok = True
for name, folder in targets.items():
    path = os.path.join(demo, "product", folder, name)
    with zipfile.ZipFile(os.path.join(demo, "www", "pelt", name + ".zip")) as z:
        member = z.infolist()[0]
        data = z.read(member)
    stamp = time.mktime(member.date_time + (0, 0, -1))
    if open(path, "rb").read() != data or int(os.path.getmtime(path)) != int(stamp):
        print("differs:", name, os.path.getmtime(path), stamp); ok = False
sys.exit(0 if ok else 1)
PY
echo "PASS"
