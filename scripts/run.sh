#!/usr/bin/env bash
# Sets up, builds the Windows program and runs KVU's main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
echo "KVU: built the win64 tree in build/win64."
echo "The main window is not there yet; once it is, this command starts kvu.exe under Wine"
echo "in a demo application folder (on your display, or under Xvfb with a screenshot)."
