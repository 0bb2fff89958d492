#!/usr/bin/env bash
# Runs a command with an empty /opt of its own. The plug-in that the host test loads reads its
# settings file and presets below the shared documents folder, /opt on Linux, and writes a
# settings file there; a test must never see or change a real installation.
set -euo pipefail

namespaces=() failures=() remedies=()

# Takes these unshare options when a namespace made with them can cover /opt. When it cannot,
# records which step failed, with the tool's own error, and what would let that step succeed.
try_to_hide_opt()
{
    local way=$1 if_not_made=$2 if_not_mounted=$3 error
    shift 3
    if ! error=$(unshare "$@" true 2>&1); then
        failures+=("$way could not be made: ${error:-unshare gave no reason}")
        remedies+=("$if_not_made")
    elif ! error=$(unshare "$@" sh -c 'mount -t tmpfs quillmont-tests /opt' 2>&1); then
        failures+=("$way was made, but a tmpfs could not be mounted over /opt in it: ${error:-mount gave no reason}")
        remedies+=("$if_not_mounted")
    else
        namespaces=("$@")
    fi
}

# Root makes the mount namespace directly; anyone else inside a user namespace of their own, in
# which they count as root, as unprivileged users may on Debian as shipped.
if [ "$(id -u)" -eq 0 ]; then
    try_to_hide_opt "a mount namespace as root" \
        "give root the right to make mount namespaces (CAP_SYS_ADMIN, which a container may withhold)" \
        "let root mount in it (a security module's policy may forbid that)" \
        --mount
fi
if [ "${#namespaces[@]}" -eq 0 ]; then
    try_to_hide_opt "a user namespace" \
        "allow unprivileged user namespaces (sysctl kernel.unprivileged_userns_clone=1, user.max_user_namespaces above 0)" \
        "let user namespaces mount (a security module may forbid it; with AppArmor, sysctl kernel.apparmor_restrict_unprivileged_userns=0)" \
        --user --map-root-user --mount
fi

if [ "${#namespaces[@]}" -gt 0 ]; then
    exec unshare "${namespaces[@]}" --propagation private \
        sh -c 'mount -t tmpfs quillmont-tests /opt && exec "$@"' sh "$@"
fi

# Without a private mount namespace the plug-in sees the real /opt: acceptable only where the
# plug-in has nothing there to read or write.
if [ -e /opt/Korvanth ]; then
    [ "$(id -u)" -eq 0 ] || remedies+=("run the tests as root")
    remedy=${remedies[0]}
    for other in "${remedies[@]:1}"; do remedy+=", or $other"; done
    {
        echo "refusing to run: /opt/Korvanth exists and cannot be hidden from the plug-in. Tried:"
        printf '  - %s\n' "${failures[@]}"
        echo "To run the tests here, $remedy."
    } >&2
    exit 1
fi
exec "$@"
