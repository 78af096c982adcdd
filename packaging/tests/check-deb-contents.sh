#!/usr/bin/env bash
# The .deb's control data and files: check-deb-contents.sh DEB_DIR VERSION
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/deb-lib.sh"
deb=$(find_deb "$1")
version=$2
fail() { echo "$*" >&2; exit 1; }

[[ $(dpkg-deb -f "$deb" Package) == tavrilo ]] || fail "package name is not tavrilo"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 qt6-qpa-plugins libxcursor1 "fonts-wqy-microhei | fonts-noto-cjk"; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

expected=(
  ./usr/bin/tavrilo
  ./usr/share/applications/io.github.tavrilo.Tavrilo.desktop
  ./usr/share/metainfo/io.github.tavrilo.Tavrilo.metainfo.xml
  ./usr/share/icons/hicolor/48x48/apps/tavrilo.png
  ./usr/share/icons/hicolor/64x64/apps/tavrilo.png
  ./usr/share/icons/hicolor/128x128/apps/tavrilo.png
  ./usr/share/icons/hicolor/256x256/apps/tavrilo.png
  ./usr/share/icons/hicolor/scalable/apps/tavrilo.svg
)
listing=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
diff -u <(printf '%s\n' "${expected[@]}" | sort) <(printf '%s\n' "$listing") ||
  fail "the package holds other files than expected (- expected, + found)"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"
[[ -x $tmp/usr/bin/tavrilo ]] || fail "usr/bin/tavrilo is not executable"
# Each PNG must be the size its folder names: a desktop picks the icon by folder.
for size in 48 64 128 256; do
  info=$(file -b "$tmp/usr/share/icons/hicolor/${size}x${size}/apps/tavrilo.png")
  [[ $info == "PNG image data, $size x $size,"* ]] || fail "${size}x${size} icon is: $info"
done
# The menu entry starts the installed binary by name and shows the installed icon.
grep -qx 'Exec=tavrilo' "$tmp/usr/share/applications/io.github.tavrilo.Tavrilo.desktop" || fail "Exec is not tavrilo"
grep -qx 'Icon=tavrilo' "$tmp/usr/share/applications/io.github.tavrilo.Tavrilo.desktop" || fail "Icon is not tavrilo"
