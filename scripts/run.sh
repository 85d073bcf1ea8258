#!/usr/bin/env bash
# Installs what is missing, builds Parlamine and starts it. Without a display
# it starts the program on a virtual display, saves a screenshot of each
# calculator, closes the program normally and says where the pictures are.
set -euo pipefail

# Each calculator as "letter:picture": the window's shortcut Ctrl+letter shows
# it, and its screenshot is saved as picture.png. A new calculator is one line.
calculators=(
  h:radixer
  i:ipsubnet
  l:latency
  p:prefix
)

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build_dir=${BUILD_DIR:-$root/build}
"$root/scripts/build.sh" "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPARLAMINE_TESTS=OFF
program="$build_dir/src/app/parlamine"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cd "$build_dir/src/app"
  exec "$program"
fi

echo "No display found: starting Parlamine on a virtual display (Xvfb)."
shots="$root/screenshots"
mkdir -p "$shots"
# Xvfb picks a free display and writes its number: a fixed one could be
# another program's, and the keys below would go to that program's windows.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$display_file")
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done 2>/dev/null || true
sleep 1

(cd "$build_dir/src/app" && "$program") &
program_pid=$!
window=$(xdotool search --sync --onlyvisible --name '^Parlamine$' | head -n 1)
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
pictures=()
for entry in "${calculators[@]}"; do
  key=${entry%%:*}
  name=${entry#*:}
  xdotool key --clearmodifiers "ctrl+$key"
  sleep 1
  import -window "$window" "$shots/$name.png"
  pictures+=("$shots/$name.png")
done
# Close the program through File > Exit, so that it saves its settings.
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
wait "$program_pid" || true
echo "Parlamine ran and closed normally. Screenshots of all ${#calculators[@]} calculators:"
printf '%s\n' "${pictures[@]}"
