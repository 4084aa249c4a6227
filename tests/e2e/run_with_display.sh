#!/usr/bin/env bash
# Runs a Windows test program under Wine on a private X server, with the GUI
# prefix of the end-to-end tests.
# Usage: run_with_display.sh WINE_PREFIX LOCALE_DIR PROGRAM [ARGS...]
set -uo pipefail
prefix=$1 locale_dir=$2
shift 2
source "$(dirname "$0")/../../scripts/wine-gui.sh"
kvu_gui_session kvu-e2e
kvu_gui_prepare "$prefix" "$locale_dir" none || exit 1
kvu_xvfb_start "$work" 1024x768 || exit 1
timeout 200 wine "$@" </dev/null
