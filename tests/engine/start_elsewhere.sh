#!/usr/bin/env bash
# Starts the real game binary where a newcomer might, from a folder without assets/ and
# shaders/ (build/, say): it must stop at once with one line saying so and a non-zero exit.
# No display is offered, so a game that went on anyway fails at once instead of hanging.
# Usage: start_elsewhere.sh <wendlebox binary> <output folder>
set -uo pipefail
game="$1"
folder="$2/start-elsewhere"
rm -rf "$folder"
mkdir -p "$folder/appdata"
cd "$folder" || exit 1

APPDATA="$folder/appdata" timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY "$game" >out.txt 2>err.txt
status=$?
if [ "$status" -eq 0 ] || [ "$(wc -l <err.txt)" -ne 1 ] || [ -s out.txt ] ||
    ! grep -q "^Wendlebox: assets/ and shaders/ were not found in the current folder " err.txt; then
    echo "exit code $status; standard output and error:"
    cat out.txt err.txt
    exit 1
fi
