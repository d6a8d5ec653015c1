#!/usr/bin/env bash
# Starts a PulseAudio server with a null sink for the audio tests, unless one is already answering.
# Prints the export line the tests need, so a caller can do: eval "$(scripts/start-pulse.sh)"
# The server runs until it is killed; a second call finds it and does nothing.
set -euo pipefail

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/veltrane-xdg-runtime}"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

if ! command -v pulseaudio >/dev/null || ! command -v pactl >/dev/null; then
  echo "start-pulse.sh: pulseaudio and pactl are needed (packages pulseaudio, pulseaudio-utils)" >&2
  exit 1
fi

if ! pactl info >/dev/null 2>&1; then
  # -n: no default configuration, so no real sound card is looked for.
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
    --load="module-null-sink sink_name=nullsink" --load=module-native-protocol-unix >&2
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
fi
if ! pactl info >/dev/null 2>&1; then
  echo "start-pulse.sh: the PulseAudio server did not answer within 10 s" >&2
  exit 1
fi
# A server we did not start may lack the null sink the tests record from.
if ! pactl list short sinks | awk '{print $2}' | grep -qx nullsink; then
  pactl load-module module-null-sink sink_name=nullsink >/dev/null
fi
pactl set-default-sink nullsink
echo "export XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR"
