#!/usr/bin/env bash
# The Debian 13 lane: the README's commands inside a Debian 13 (trixie) root, on a machine that runs
# another release (or the same).
#
#   scripts/debian13.sh                 runs scripts/test.sh there (the README's test command)
#   scripts/debian13.sh COMMAND [ARG]   runs COMMAND there instead, from the tree's copy
#                                       (scripts/build.sh, bash, ...)
#
# The root is made once with debootstrap from Debian's registry (minbase) and kept at
# $VELLOX_DEBIAN13_ROOT (default /var/cache/vellox/debian13), so that later runs reuse it and
# the packages installed in it. Each run copies this tree (the files git knows, changed or not, and
# new ones it does not ignore) to /work/NAME in the root, NAME the tree's folder name, keeping the
# build folders there from the last run, and runs scripts/setup.sh --test there with the network, then COMMAND without it: X
# servers and Wayland compositors listen on abstract sockets, which a chroot does not separate, so
# everything after the set-up runs in a network namespace of its own, with only its loopback.
# Needs root (through sudo when not root).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "$(id -u)" -ne 0 ]]; then
  exec sudo --preserve-env=CI,VELLOX_DEBIAN13_ROOT "$0" "$@"
fi

root=${VELLOX_DEBIAN13_ROOT:-/var/cache/vellox/debian13}
made="$root/etc/vellox-root-made"  # written once debootstrap has finished
tree=/work/$(basename "$PWD")       # the tree's copy in the root: one for each work tree

if [[ ! -e "$made" ]]; then
  scripts/setup.sh --debian13-lane
  echo "Making a Debian 13 root at $root (debootstrap, minbase)"
  rm -rf "$root"
  mkdir -p "$root"
  debootstrap --variant=minbase trixie "$root" >"$root.debootstrap.log" 2>&1 || {
    tail -n 30 "$root.debootstrap.log" >&2
    echo "scripts/debian13.sh: debootstrap failed (the whole log: $root.debootstrap.log)" >&2
    exit 1
  }
  # The session bus and its clients want a machine id; minbase has no systemd to make one.
  tr -d '-' </proc/sys/kernel/random/uuid >"$root/etc/machine-id"
  date -u +%FT%TZ >"$made"
fi
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

# The tree's copy: everything but the build folders goes, then the tree's files come again.
mkdir -p "$root$tree"
find "$root$tree" -mindepth 1 -maxdepth 1 ! -name 'build*' -exec rm -rf {} +
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
    [[ -e "$file" ]] && printf '%s\0' "$file"
  done | tar --null -T - -cf - | tar -xf - -C "$root$tree"
else
  tar --exclude='./build*' -cf - . | tar -xf - -C "$root$tree"
fi

# What runs in the namespaces below: the root's file systems mounted, then "$@" in the root.
# shellcheck disable=SC2016
enter_root='
set -euo pipefail
root=$1 tree=$2 ci=$3 isolated=$4
shift 4
[[ "$isolated" == yes ]] && ip link set lo up
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
mount -t tmpfs -o mode=755 tmpfs "$root/run"
mkdir -p "$root/run/lock"
exec chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 CI="$ci" \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  /bin/bash -c "cd \"\$0\" && exec \"\$@\"" "$tree" "$@"
'

# Runs "$@" in the root, in a mount namespace of its own (its mounts go when it ends); with
# --isolated also in a network namespace with only its loopback up.
in_root() {
  local isolated=no unshare_args=(--mount --propagation private)
  if [[ "$1" == --isolated ]]; then
    isolated=yes
    unshare_args+=(--net)
    shift
  fi
  unshare "${unshare_args[@]}" /bin/bash -c "$enter_root" enter_root "$root" "$tree" "${CI:-}" "$isolated" "$@"
}

in_root scripts/setup.sh --test
if [[ $# -eq 0 ]]; then
  set -- scripts/test.sh
fi
in_root --isolated "$@"
