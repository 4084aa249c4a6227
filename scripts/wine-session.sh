#!/usr/bin/env bash
# Starts or stops a persistent wineserver for one Wine prefix, so that each test
# program does not pay Wine's start-up, and Wine's own services do not hold on
# to the test runner's pipes.
# Usage: wine-session.sh start|stop PREFIX
set -u
action=$1
export WINEPREFIX=$2
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
case "$action" in
    start)
        mkdir -p "$WINEPREFIX"
        setsid wineserver -p </dev/null >/dev/null 2>&1
        setsid wine cmd /c exit </dev/null >/dev/null 2>&1
        ;;
    stop)
        wineserver -k </dev/null >/dev/null 2>&1 || true
        ;;
esac
