#!/usr/bin/env bash
# Builds the Debian package dist/veltrane_<version>_<arch>.deb: a Release build of the two executables and the
# installation files only (no tests) in its own build folder, then CPack.
# Usage: scripts/package.sh            (build folder: $VELTRANE_PACKAGE_BUILD or build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${VELTRANE_PACKAGE_BUILD:-$root/build-package}

scripts/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Debian's hardening flags (fortified functions, stack protector, read-only relocations), as its own packages get;
# without -g, since the package's executables are stripped anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export CXXFLAGS=${CXXFLAGS//-g /}
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export LDFLAGS
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELTRANE_TESTS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target veltrane veltrane-cli veltrane_installation veltrane_packaging_files
mkdir -p dist
# Files are packed as root's with the modes of the install rules, whoever builds.
(cd "$build" && cpack -G DEB -B "$root/dist/.cpack" >/dev/null)
deb=$(ls "$root"/dist/.cpack/veltrane_*.deb)
mv -f "$deb" dist/
rm -rf "$root/dist/.cpack"
echo "dist/$(basename "$deb")"
