#!/usr/bin/env bash
# Installs what is missing, builds everything, starts the services the tests use, runs every test, then builds the
# Debian package and checks it installed read-only and run by an unprivileged user.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${VELTRANE_BUILD_DIR:-$root/build-test}

scripts/install-deps.sh

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/veltrane-xdg-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# Services some tests use; each script is idempotent and the tests skip what is not there.
if [ -x scripts/start-cups.sh ]; then
  scripts/start-cups.sh || echo "warning: CUPS did not start; the printing tests will skip" >&2
fi
if [ -x scripts/start-pulse.sh ]; then
  pulse_env=$(scripts/start-pulse.sh) && eval "$pulse_env" || echo "warning: no sound server; the audio tests will skip" >&2
fi
if [ -x scripts/start-fat.sh ]; then
  fat_env=$(scripts/start-fat.sh) && eval "$fat_env" || echo "warning: no FUSE FAT mount; its tests will skip" >&2
fi

# The results store's tests run against a real PostgreSQL server of their own; without it they would only skip.
pg_env=$(scripts/start-postgres.sh) || { echo "error: the test PostgreSQL server did not start" >&2; exit 1; }
eval "$pg_env"
trap 'scripts/start-postgres.sh stop' EXIT

# Every build goes through ccache when it is there: a second run compiles only what changed.
# Paths are made relative to the checkout and the working folder is left out of the hash, so a second clone elsewhere
# finds the first one's objects.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVELTRANE_WERROR=ON "${launcher[@]}"
cmake --build "$build" -j"$(nproc)"
(cd "$build" && ctest --output-on-failure -j"$(nproc)")

# The whole suite again, windows included, under AddressSanitizer and UndefinedBehaviorSanitizer (clang, -O1 so the
# sanitized tests stay quick). Any report fails the test that made it.
asan=${VELTRANE_ASAN_BUILD_DIR:-$root/build-asan}
cmake -S . -B "$asan" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_COMPILER=clang++ \
  -DVELTRANE_SANITIZE=ON "${launcher[@]}"
cmake --build "$asan" -j"$(nproc)"
(cd "$asan" &&
  ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$root/tests/platform/lsan.supp:print_suppressions=0 \
  ctest --output-on-failure -j"$(nproc)")

# The package: built in its own folder (Release, the executables only), then checked.
scripts/package.sh
scripts/test-package.sh

# Fuzz every parser of a file a user can hand the program, for a bounded time each.
if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh 10
fi
