#!/usr/bin/env bash
# Every library the packaged binary links (ldd) belongs to a package that the .deb's
# Depends reach: check-deb-libraries.sh DEB_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/deb-lib.sh"
deb=$(find_deb "$1")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"

ldd_out=$(ldd "$tmp/usr/bin/tavrilo")
if grep -q 'not found' <<<"$ldd_out"; then
  echo "$ldd_out" >&2
  exit 1
fi
libs=$(awk '/=> \// { print $3 } /^\s*\/[^ ]+ \(/ { print $1 }' <<<"$ldd_out" | sort -u)
[[ -n $libs ]] || { echo "ldd listed no libraries" >&2; exit 1; }
check_libraries_covered "$(dpkg-deb -f "$deb" Depends)" <<<"$libs"
