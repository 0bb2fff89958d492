#!/usr/bin/env bash
# Runs a command with an empty /opt of its own. The plug-in that the host test loads reads its
# settings file and presets below the shared documents folder, /opt on Linux, and writes a
# settings file there; a test must never see or change a real installation.
set -euo pipefail

# Whether a private mount namespace made with these unshare options can cover /opt.
can_hide_opt()
{
    unshare "$@" sh -c 'mount -t tmpfs quillmont-tests /opt' 2>/dev/null
}

# Root makes the mount namespace directly; anyone else inside a user namespace of their own, in
# which they count as root, as unprivileged users may on Debian as shipped.
namespaces=()
if [ "$(id -u)" -eq 0 ] && can_hide_opt --mount; then
    namespaces=(--mount)
elif can_hide_opt --user --map-root-user --mount; then
    namespaces=(--user --map-root-user --mount)
fi

if [ "${#namespaces[@]}" -gt 0 ]; then
    exec unshare "${namespaces[@]}" --propagation private \
        sh -c 'mount -t tmpfs quillmont-tests /opt && exec "$@"' sh "$@"
fi

# Without a private mount namespace the plug-in sees the real /opt: acceptable only where the
# plug-in has nothing there to read or write.
if [ -e /opt/Korvanth ]; then
    echo "refusing to run: /opt/Korvanth exists and cannot be hidden from the plug-in: this system" \
         "gives this user neither a mount namespace nor a user namespace. Run the tests as root, or" \
         "allow unprivileged user namespaces (sysctl kernel.unprivileged_userns_clone=1)." >&2
    exit 1
fi
exec "$@"
