#!/usr/bin/env bash
# Runs a command with an empty /opt of its own. The plug-in that the host test loads reads its
# settings file and presets below the shared documents folder, /opt on Linux, and writes a
# settings file there; a test must never see or change a real installation.
set -euo pipefail

if [ "$(id -u)" -eq 0 ] && unshare --mount true 2>/dev/null; then
    exec unshare --mount --propagation private \
        sh -c 'mount -t tmpfs quillmont-tests /opt && exec "$@"' sh "$@"
fi

# Without a private mount namespace the plug-in sees the real /opt: acceptable only where the
# plug-in has nothing there to read or write.
if [ -e /opt/Korvanth ]; then
    echo "refusing to run: /opt/Korvanth exists and cannot be hidden from the plug-in (run as root)" >&2
    exit 1
fi
exec "$@"
