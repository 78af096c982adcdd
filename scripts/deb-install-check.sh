#!/usr/bin/env bash
# Installs Tavrilo's .deb into a clean Debian 12 root made with debootstrap, letting apt
# bring in only what the package declares (no recommends), then starts the installed
# program there once under Xvfb and closes its window. Run as root.
#   scripts/deb-install-check.sh [path/to/tavrilo_*.deb]
# Without an argument the package is built first in build-pkg/. Downloaded packages are
# kept in build-pkg/debootstrap-cache to make later runs faster.
set -euo pipefail
self=$(realpath "${BASH_SOURCE[0]}")
root=$(cd "$(dirname "$self")/.." && pwd)
build=$root/build-pkg
mirror=${TAVRILO_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${TAVRILO_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}

if [[ ${1:-} == --inside-display ]]; then
  # Second stage, under xvfb-run on the host: the program in the chroot draws on this display.
  chroot_dir=$2
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  mkdir -p -m 700 "$chroot_dir/run/user/0"
  chroot "$chroot_dir" env -i DISPLAY="$DISPLAY" HOME=/root LANG=C.UTF-8 PATH=/usr/bin:/bin \
    XDG_RUNTIME_DIR=/run/user/0 tavrilo &
  app=$!
  if ! win=$(timeout 60 xdotool search --sync --onlyvisible --pid "$app" | head -n1) || [[ -z $win ]]; then
    echo "deb-install-check: no window appeared" >&2
    kill "$app" "$wm" 2>/dev/null || true
    exit 1
  fi
  echo "deb-install-check: window $(xdotool getwindowname "$win") is shown"
  timeout 20 xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4
  rc=0
  timeout 30 tail --pid="$app" -f /dev/null || { echo "deb-install-check: the program did not end" >&2; rc=1; }
  wait "$app" || rc=$?
  kill "$wm" 2>/dev/null || true
  exit "$rc"
fi

[[ $(id -u) -eq 0 ]] || { echo "deb-install-check: run as root" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive
need=()
for tool in debootstrap:debootstrap xvfb-run:xvfb xauth:xauth openbox:openbox xdotool:xdotool xprop:x11-utils; do
  command -v "${tool%%:*}" >/dev/null || need+=("${tool#*:}")
done
if ((${#need[@]})); then
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

started=$(date +%s)
if [[ $# -ge 1 ]]; then
  deb=$(realpath "$1")
else
  cmake -S "$root" -B "$build" -DTAVRILO_BUILD_TESTS=OFF -DTAVRILO_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build" --target tavrilo -j2
  rm -f "$build"/package/tavrilo_*.deb
  (cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
  deb=$(ls "$build"/package/tavrilo_*.deb)
fi
packaged=$(date +%s)

chroot_dir=$(mktemp -d /var/tmp/tavrilo-chroot.XXXXXX)
mounts=()
cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -R "${mounts[i]}" 2>/dev/null || umount -R -l "${mounts[i]}" || true; done
  # A bind mount left behind would let rm reach the host's files: keep the root then.
  if grep -q " $chroot_dir/" /proc/mounts; then
    echo "deb-install-check: $chroot_dir still has mounts; left in place" >&2
  else
    rm -rf --one-file-system "$chroot_dir"
  fi
}
trap cleanup EXIT

mkdir -p "$build/debootstrap-cache"
debootstrap --variant=minbase --cache-dir="$build/debootstrap-cache" bookworm "$chroot_dir" "$mirror" >/dev/null
cat > "$chroot_dir/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf"
mount -t proc proc "$chroot_dir/proc" && mounts+=("$chroot_dir/proc")
mount --rbind --make-rslave /dev "$chroot_dir/dev" && mounts+=("$chroot_dir/dev")
mkdir -p -m 1777 "$chroot_dir/tmp/.X11-unix" /tmp/.X11-unix
mount --bind /tmp/.X11-unix "$chroot_dir/tmp/.X11-unix" && mounts+=("$chroot_dir/tmp/.X11-unix")
bootstrapped=$(date +%s)

install -m 644 "$deb" "$chroot_dir/tmp/"
apt_in_root=(chroot "$chroot_dir" apt-get -qq -o APT::Sandbox::User=root)
"${apt_in_root[@]}" update
"${apt_in_root[@]}" install -y --no-install-recommends "/tmp/$(basename "$deb")" >/dev/null
chroot "$chroot_dir" dpkg-query -W -f='${db:Status-Abbrev}\n' fonts-wqy-microhei fonts-noto-cjk 2>/dev/null | grep -q '^ii' ||
  { echo "deb-install-check: no CJK font came with the package" >&2; exit 1; }
installed=$(date +%s)

xvfb-run --auto-servernum --server-args='-screen 0 1024x768x24 -ac -nolisten tcp' \
  bash "$self" --inside-display "$chroot_dir"
finished=$(date +%s)

echo "deb-install-check: passed for $(basename "$deb")"
echo "deb-install-check: package $((packaged - started)) s, debootstrap $((bootstrapped - packaged)) s," \
  "install $((installed - bootstrapped)) s, run $((finished - installed)) s, total $((finished - started)) s"
