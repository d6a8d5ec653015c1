#!/usr/bin/env bash
# Mounts an 8 MB FAT image through FUSE (the kernel here has no vfat) for the tests of a USB-drive data location, and
# prints the export that names it: eval "$(scripts/start-fat.sh)". Idempotent: a mount already there is reused.
set -euo pipefail
base=${VELTRANE_FAT_BASE:-/tmp/veltrane-fat-$(id -u)}
mnt=$base/mnt
mkdir -p "$mnt"
if ! mountpoint -q "$mnt"; then
  command -v fusefat >/dev/null && command -v mkfs.vfat >/dev/null || { echo "no fusefat or mkfs.vfat" >&2; exit 1; }
  rm -f "$base/fat.img"
  mkfs.vfat -C "$base/fat.img" 8192 >/dev/null
  fusefat -o rw+ "$base/fat.img" "$mnt" >"$base/fusefat.log" 2>&1
fi
echo "export VELTRANE_FAT_DIR=$mnt"
