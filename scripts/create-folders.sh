#!/usr/bin/env bash
# Creates the folder tree the plug-in keeps its settings, presets, samples and impulse responses
# in, below the shared documents folder (/opt on Linux), for the user who installs it: the plug-in
# itself creates none of its folders. Folders that exist already are left exactly as they are.
# Usage: scripts/create-folders.sh [base-folder [owner]]
#   owner: who may write there; by default the caller, also when this runs through sudo
set -euo pipefail
base="${1:-/opt}"
# sudo names its caller only when it made us root: an account entered with "sudo -u" is the caller.
caller=$(id -un)
[ "$(id -u)" -ne 0 ] || caller=${SUDO_USER:-$caller}
owner="${2:-$caller}"
product="The Quillmont"
maker="$base/Korvanth"

# Root is asked for only where the caller cannot write.
as_needed()
{
    local parent=$1; shift
    if [ -w "$parent" ]; then "$@"; else sudo "$@"; fi
}

for folder in "$maker" "$maker/Settings" \
              "$maker/Presets" "$maker/Presets/$product" \
              "$maker/Samples" "$maker/Samples/$product" \
              "$maker/IRs" "$maker/IRs/$product"; do
    [ -d "$folder" ] && continue
    parent=$(dirname "$folder")
    as_needed "$parent" mkdir -- "$folder"
    [ "$(stat -c %U -- "$folder")" = "$owner" ] || as_needed "$parent" chown -- "$owner:" "$folder"
done
