#!/usr/bin/env bash
# Starts the packaged program under Xvfb with a window manager, then checks that its window
# carries the program's icon, that every shared object it has loaded (plugins included)
# belongs to a package the .deb's Depends reach, and that closing the window ends it with
# exit code 0.   check-deb-run.sh DEB_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/deb-lib.sh"

if [[ ${1:-} != --inside-display ]]; then
  deb=$(find_deb "$1")
  exec xvfb-run --auto-servernum --server-args='-screen 0 1024x768x24 -nolisten tcp' \
    bash "$(realpath "${BASH_SOURCE[0]}")" --inside-display "$deb"
fi
deb=$2
fail() { echo "$*" >&2; exit 1; }
tmp=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$tmp"
mkdir -m 700 "$tmp/runtime"
export XDG_RUNTIME_DIR=$tmp/runtime

openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

"$tmp/usr/bin/tavrilo" &
app=$!
pids+=($app)
win=$(timeout 30 xdotool search --sync --onlyvisible --pid "$app" | head -n1) || fail "no window appeared"

# The program's icon is 256 pixels square; without it the window has no icon or the
# toolkit's default of another size.
icon=$(xprop -id "$win" -notype 32c _NET_WM_ICON)
icon=${icon:0:40}
[[ $icon == "_NET_WM_ICON = 256, 256,"* ]] || fail "the window does not carry the 256-pixel icon: $icon"

grep -oE '/[^ ]+\.so(\.[0-9]+)*$' "/proc/$app/maps" | sort -u > "$tmp/loaded"
grep -q 'libqxcb' "$tmp/loaded" || fail "the xcb platform plugin is not loaded"
grep -v "^$tmp/" "$tmp/loaded" | check_libraries_covered "$(dpkg-deb -f "$deb" Depends)"

timeout 20 xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4
for _ in $(seq 100); do
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "the program did not end after its window was closed"
rc=0
wait "$app" || rc=$?
[[ $rc -eq 0 ]] || fail "the program ended with exit code $rc after its window was closed"
