#!/usr/bin/env bash
# Runs the README's test command as a new user would, in a fresh Debian root
# made with mmdebstrap (minbase, with git and certificates): a clone of this
# checkout's HEAD, with nothing installed beforehand. Needs root. The root's
# mounts live in a mount namespace of their own, so none outlives the run, and
# the root is removed afterwards.
#   scripts/test-in-debian.sh [SUITE]    (default trixie, Debian 13)
set -euo pipefail
suite="${1:-trixie}"
if [ "$(id -u)" != 0 ]; then
    echo "test-in-debian.sh: needs root, for mmdebstrap, the mounts and chroot; run it with sudo" >&2
    exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v mmdebstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap >/dev/null
fi
root=$(mktemp -d "${TMPDIR:-/var/tmp}/talmoran-$suite.XXXXXX")
trap 'rm -rf --one-file-system "$root"' EXIT
echo "== a fresh Debian $suite root in $root"
mmdebstrap --quiet --variant=minbase --include=git,ca-certificates "$suite" "$root"
git clone --quiet "$source_dir" "$root/root/talmoran"

# In the namespace: /proc, /sys and /dev as a booted system has them, and the
# test command run with a clean environment and no display, as CI has.
unshare --mount --propagation private bash -euo pipefail -c '
    root="$1"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    exec chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 CI="${CI:-}" bash -c "cd /root/talmoran && scripts/test.sh"' _ "$root"
