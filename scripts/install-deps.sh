#!/usr/bin/env bash
# Installs the Debian packages Veltrane needs to build, run and test, skipping those already present.
set -euo pipefail
packages=(
  cmake g++ make pkg-config ccache
  qt6-base-dev libqt6sql6-sqlite qt6-multimedia-dev qt6-qpa-plugins libssl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  xvfb xauth xdotool imagemagick x11-apps x11-utils
  cups printer-driver-cups-pdf poppler-utils fonts-liberation2
  libsane-dev sane-utils espeak-ng sox pulseaudio pulseaudio-utils
  clang libclang-rt-14-dev
  ccache dpkg-dev lintian desktop-file-utils appstream
  dosfstools fusefat
  postgresql libqt6sql6-psql sqlite3
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "These packages are missing; run this script as root to install them: ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
