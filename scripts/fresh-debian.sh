#!/usr/bin/env bash
# Shows that the README's two commands work on a plain Debian 12: builds a minimal bookworm root
# with debootstrap from Debian's own archive, clones this checkout's committed HEAD into it, and
# there runs ./test.sh, then ./run.sh on Xvfb until its window is mapped, then ./run.sh --web
# until the page is served. The root is removed at the end, failed or not, and the time of each
# step is printed. Takes many minutes and a few GB of disk and downloads; run it as root.
#   scripts/fresh-debian.sh [FOLDER]   the root goes in a new folder under FOLDER (/tmp unless told)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-debian.sh: debootstrap, chroot and mount need root; run it as root." >&2
    exit 1
fi
source scripts/install-deps.sh
pelio_install_packages debootstrap debian-archive-keyring git iproute2

commit=$(git rev-parse HEAD)
[ -z "$(git status --porcelain)" ] ||
    echo "fresh-debian.sh: uncommitted changes are left out; the root gets commit $commit." >&2
root=$(mktemp -d -p "${1:-/tmp}" pelio-debian12.XXXXXX)
chmod 755 "$root" # apt downloads as the _apt user, who must reach the root's folders

# What a root login in the root has, and no more of this machine's environment.
root_env=(HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
    LANG=C.UTF-8 TERM="${TERM:-dumb}")
in_root() {
    chroot "$root" /usr/bin/env -i -C /root/pelio "${root_env[@]}" "$@"
}
# The same in a network of its own with only loopback: the servers, ports and X sockets of these
# steps never meet those of other runs on this machine.
in_root_alone() {
    unshare --net bash -c 'ip link set lo up && exec "$@"' bash \
        chroot "$root" /usr/bin/env -i -C /root/pelio "${root_env[@]}" "$@"
}

steps=()
started=$SECONDS
current=
current_start=
step() { # step NAME COMMAND...: runs COMMAND as the step NAME and notes how long it took
    current=$1
    current_start=$SECONDS
    echo "=== fresh-debian.sh: $current"
    "${@:2}"
    steps+=("$(printf '%-44s %4d s' "$current" $((SECONDS - current_start)))")
    current=
}

# Whatever still runs in the root holds its mounts; the root is removed only once nothing is
# mounted in it, so that rm never reaches the host's /dev.
cleanup() {
    local status=$? start=$SECONDS process mount
    trap - EXIT INT TERM
    set +e # a step of the cleanup that fails must not stop the rest
    [ -z "$current" ] || steps+=("$(printf '%-44s %4d s  FAILED' "$current" $((start - current_start)))")
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" != "$root" ] ||
            kill -KILL "${process#/proc/}" 2>/dev/null || true
    done
    sleep 1
    # The deepest first: /dev/pts before /dev.
    awk -v inside="$root/" 'index($5, inside) == 1 { print $5 }' /proc/self/mountinfo | sort -r |
        while read -r mount; do umount "$mount" || umount --lazy "$mount"; done
    if awk -v inside="$root/" 'index($5, inside) == 1 { found = 1 } END { exit !found }' /proc/self/mountinfo; then
        echo "fresh-debian.sh: something is still mounted in $root; it is left in place." >&2
        status=1
    else
        rm -rf --one-file-system "$root"
        steps+=("$(printf '%-44s %4d s' "removing the root" $((SECONDS - start)))")
    fi
    echo
    echo "fresh-debian.sh: $([ "$status" -eq 0 ] && echo passed || echo FAILED) on commit $commit"
    printf '  %s\n' "${steps[@]}"
    printf '  %-44s %4d s\n' total $((SECONDS - started))
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

make_root() {
    # minbase: apt and what Debian calls required, as little as a Debian 12 system can have.
    debootstrap --variant=minbase --include=ca-certificates,git bookworm "$root" \
        http://deb.debian.org/debian
    cat >"$root/etc/apt/sources.list" <<'EOF'
deb http://deb.debian.org/debian bookworm main
deb http://deb.debian.org/debian bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
    # Services that packages would start belong to the host, not to a root in a folder.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    [ -e "$root/etc/hosts" ] || printf '127.0.0.1 localhost\n::1 localhost\n' >"$root/etc/hosts"
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
}

# Where this machine reaches the registries through a proxy with a certificate authority of its
# own, the root must trust it too: Debian's ca-certificates adds those in /usr/local to the
# system's list. Debian's Node.js, and npm with it, reads that list, so nothing else is needed.
trust_local_authorities() {
    local authorities=(/usr/local/share/ca-certificates/*.crt)
    [ -e "${authorities[0]}" ] || return 0
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp "${authorities[@]}" "$root/usr/local/share/ca-certificates/"
    in_root update-ca-certificates
}

clone() {
    git clone --quiet --no-hardlinks . "$root/root/pelio"
    git -C "$root/root/pelio" checkout --quiet --detach "$commit"
}

update_root() {
    trust_local_authorities
    in_root apt-get update -qq
    in_root env DEBIAN_FRONTEND=noninteractive apt-get upgrade -y -qq
}

# xwininfo finds the window by its title; curl fetches the page.
install_checks() {
    in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        x11-utils curl
}

# In the root, on an X server of its own: ./run.sh builds and starts the program; the check
# passes once the program's window is mapped.
see_window() {
    ./run.sh &
    local run=$! window
    while kill -0 "$run" 2>/dev/null; do
        for window in $(xwininfo -root -tree 2>/dev/null | awk '/"ぺりおのひらき"/ { print $1 }'); do
            if xwininfo -id "$window" | grep -q 'Map State: IsViewable'; then
                echo "the window ぺりおのひらき ($window) is mapped"
                kill "$run"
                return 0
            fi
        done
        sleep 1
    done
    echo "./run.sh ended before its window was mapped" >&2
    return 1
}

# In the root: ./run.sh --web builds the site and serves it; the check fetches the page from the
# address the server prints.
see_page() {
    ./run.sh --web >/tmp/run-web.log 2>&1 &
    local run=$! url
    while kill -0 "$run" 2>/dev/null; do
        url=$(sed -n 's/^Serving HTTP on .* (\(http[^ ]*\)) .*$/\1/p' /tmp/run-web.log)
        if [ -n "$url" ]; then
            curl -fsS "$url" | grep -q '<title>ぺりおのひらき[：<]' || {
                echo "$url does not serve the page" >&2
                return 1
            }
            echo "$url serves the page"
            kill "$run"
            return 0
        fi
        sleep 1
    done
    cat /tmp/run-web.log >&2
    echo "./run.sh --web ended before serving the page" >&2
    return 1
}

step "debootstrap a minimal bookworm root" make_root
step "clone commit ${commit:0:12}" clone
step "bookworm-updates and security, upgrade" update_root
step "./test.sh" in_root ./test.sh
step "install xwininfo and curl for the checks" install_checks
step "./run.sh until its window is mapped" \
    in_root_alone timeout 1200 scripts/xvfb.sh bash -c "$(declare -f see_window); see_window"
step "./run.sh --web until the page is fetched" \
    in_root_alone timeout 1200 bash -c "$(declare -f see_page); see_page"
