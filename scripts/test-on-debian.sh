#!/bin/bash
# Runs the set-up, the build and the test suite inside a Debian root of another release
# (12 or 13): `scripts/test-on-debian.sh 13`; arguments after the release go to ctest
# (`scripts/test-on-debian.sh 13 -R korvid_load_e2e`). The root is made once with debootstrap
# from this machine's Debian archive and kept in /var/cache/lumera/debian<release> (or under
# $LUMERA_DEBIAN_ROOTS), then reused; the checkout (with node_modules) is copied into it each run.
# `scripts/test-on-debian.sh prepare 13` only makes the root and installs the packages there,
# which mostly waits on the archive and the disk, so the test command does it while it builds.
# One run at a time uses a root; another waits. The fuzzers and the sanitizer build are left to
# the host's own run. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
prepare_only=false
if [[ ${1:-} == prepare ]]; then
    prepare_only=true
    shift
fi
release=${1:-}
shift || true
# "other": the release beside this machine's own (13 on Debian 12, 12 on Debian 13).
if [[ $release == other ]]; then
    own=$(. /etc/os-release && echo "${VERSION_ID:-}")
    case $own in
    12) release=13 ;;
    13) release=12 ;;
    *)
        echo "Not Debian 12 or 13 (VERSION_ID=$own): no other release to test on." >&2
        exit 1
        ;;
    esac
fi
case $release in
12) suite=bookworm ;;
13) suite=trixie ;;
*)
    echo "usage: $0 12|13|other [ctest arguments]" >&2
    exit 2
    ;;
esac
if [[ $(id -u) -ne 0 ]]; then
    echo "Making and entering a Debian root needs root:  sudo $0 $release" >&2
    exit 1
fi
roots=${LUMERA_DEBIAN_ROOTS:-/var/cache/lumera}
root=$roots/debian$release
user=lumera
mkdir -p "$roots"
exec 9>"$roots/debian$release.lock"
flock 9

# The archive this machine installs from (one-line or deb822 sources).
archive() {
    local pattern=$1 fallback=$2 found
    found=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources 2>/dev/null |
        grep -oE '^(deb|URIs:)[[:space:]]+[a-z]+://[^[:space:]]+' | awk '{print $2}' |
        grep -E "$pattern" | head -1 || true)
    echo "${found:-$fallback}"
}
mirror=$(archive '/debian/?$' http://deb.debian.org/debian)
security=$(archive '/debian-security/?$' http://deb.debian.org/debian-security)

if [[ ! -f $root/.lumera-root-complete ]]; then
    command -v debootstrap >/dev/null || { apt-get update -qq && apt-get install -y -qq debootstrap; }
    echo "Making the Debian $release root in $root from $mirror"
    rm -rf "$root.partial"
    mkdir -p "$roots"
    log=$roots/debootstrap-$release.log
    if ! debootstrap --variant=minbase --include=ca-certificates,ccache "$suite" \
        "$root.partial" "$mirror" >"$log"; then
        tail -20 "$log" >&2
        exit 1
    fi
    rm -f "$root.partial/etc/apt/sources.list"
    cat >"$root.partial/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: $security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    chroot "$root.partial" useradd -m -s /bin/bash "$user"
    touch "$root.partial/.lumera-root-complete"
    rm -rf "$root"
    mv "$root.partial" "$root"
fi

cp -L /etc/resolv.conf "$root/etc/resolv.conf"

# A fresh copy of the checkout each run: the tracked and new files, and the installed npm
# packages. The build folder stays in the root between runs, outside the copy. The copy's
# files all get the time of the copy, so that nothing built from an earlier copy can look
# newer than its source; ccache makes the full rebuild this asks for quick.
home=/home/$user
rm -rf "$root$home/lumera"
mkdir -p "$root$home/lumera"
{
    git ls-files -z --cached --others --exclude-standard
    if [[ -d node_modules ]]; then printf 'node_modules\0'; fi
} | tar -c --null --ignore-failed-read -T - | tar -x --touch -C "$root$home/lumera"
chroot "$root" chown -R "$user:$user" "$home"
# The e2e cases' ordinary desktop user reads the checkout and the build in this home, which
# Debian 13's useradd makes private.
chmod 755 "$root$home"

# Inside: the set-up as root, then a Debug build (where any warning fails it) and the tests
# as an ordinary user, as on a desktop; the web engine's sandbox is on for them. The settings
# stress test runs for 10 seconds here; the host's own runs give it its full minute. The
# cases labelled root (the package's install into this root) run as its root afterwards.
ctest_args=""
if (($#)); then ctest_args=$(printf ' %q' "$@"); fi
cat >"$root/tmp/lumera-inside.sh" <<EOF
set -euo pipefail
cd $home/lumera
DEBIAN_FRONTEND=noninteractive scripts/setup.sh
$prepare_only && exit 0
setpriv --reuid=\$(id -u $user) --regid=\$(id -g $user) --init-groups /usr/bin/env -i \
    HOME=$home USER=$user LANG=C.UTF-8 PATH=/usr/local/bin:/usr/bin:/bin \
    CCACHE_DIR=$home/.ccache LUMERA_BUILD_DIR=$home/build \
    LUMERA_STRESS_SECONDS=${LUMERA_STRESS_SECONDS:-10} /bin/bash -c \
    'scripts/build.sh -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1 \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache &&
        scripts/with-display.sh scripts/ctest.sh -LE root "\$@"' inside$ctest_args
# What the root's run writes into the build folder stays the user's.
trap 'chown -R $user:$user $home/build' EXIT
LUMERA_BUILD_DIR=$home/build LANG=C.UTF-8 scripts/with-display.sh scripts/ctest.sh -L root$ctest_args
EOF

# The root becomes the real root of a mount namespace of its own (pivot_root, not chroot: the
# sandbox makes user namespaces, which the kernel refuses to a chrooted process). The bind
# mounts of /proc, /sys and /dev belong to that namespace and go with it when the run ends,
# however it ends; nothing stays mounted on the host.
started=$SECONDS
# shellcheck disable=SC2016 # the inner script expands its own variables
unshare --mount --propagation private -- /bin/bash -euo pipefail -c '
    root=$1
    mount --bind "$root" "$root"
    for m in proc sys dev dev/pts dev/shm; do mount --bind "/$m" "$root/$m"; done
    cd "$root"
    mkdir -p .host
    pivot_root . .host
    exec chroot . /bin/bash -c "umount -l /.host && rmdir /.host && exec /bin/bash /tmp/lumera-inside.sh"
' inside "$root"
if $prepare_only; then
    echo "Debian $release: root and packages ready in $((SECONDS - started)) s"
else
    echo "Debian $release: set-up, build and tests passed in $((SECONDS - started)) s"
fi
