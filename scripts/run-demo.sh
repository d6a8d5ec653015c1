#!/usr/bin/env bash
# Installs what is missing, builds the program (only what it runs: no tests), and starts Veltrane on the demo
# installation and the demo data location.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${VELTRANE_BUILD_DIR:-$root/build}

scripts/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
# The program target brings the installation files (question database, demo data, sounds) and nothing else.
cmake --build "$build" -j"$(nproc)" --target veltrane

# The demo data location is a copy, so trying the program never changes the built demo data.
data=${VELTRANE_DEMO_DATA:-$HOME/veltrane-demo-data}
if [ ! -f "$data/DATA401.QN" ]; then
  mkdir -p "$data"
  cp "$build/demo-data/DATA401.QN" "$data/"
fi
ini="$build/bin/Quillan.ini"
sounds="$build/bin"
python3 - "$ini" "$data" "$sounds" <<'PY'
import sys, re
ini, data, sounds = sys.argv[1:4]
try:
    text = open(ini, newline='', encoding='utf-8', errors='surrogateescape').read()
except FileNotFoundError:
    text = ''
lines = text.replace('\r\n', '\n').split('\n')
def put(section, key, value):
    global lines
    start = next((i for i, l in enumerate(lines) if l.strip().lower() == '[' + section.lower() + ']'), None)
    if start is None:
        lines += ['[' + section + ']', key + '=' + value]
        return
    end = next((i for i in range(start + 1, len(lines)) if lines[i].strip().startswith('[')), len(lines))
    for i in range(start + 1, end):
        if lines[i].split('=')[0].strip().lower() == key.lower():
            lines[i] = key + '=' + value
            return
    lines.insert(end, key + '=' + value)
put('Path', 'FilePath', data)
put('Path', 'SndPath', sounds)
open(ini, 'w', newline='', encoding='utf-8', errors='surrogateescape').write('\r\n'.join(l for l in lines if l != '') + '\r\n')
PY

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting under xvfb-run (use a VNC or a real display to see the window)." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/veltrane"
fi
exec "$build/bin/veltrane"
