#!/usr/bin/env bash
# Checks the Debian package the way an office meets it: lintian, the desktop entry and AppStream validators, and the
# package's contents; then unpacks it into a throwaway root, makes that tree read-only, and as an unprivileged user
# scores a demo client with veltrane-cli and starts veltrane under Xvfb to its main menu.
# Usage (as root, for runuser): scripts/test-package.sh [DEB]      (default: the newest dist/veltrane_*.deb)
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls -t dist/veltrane_*.deb 2>/dev/null | head -1)}
[ -n "$deb" ] && [ -f "$deb" ] || { echo "test-package.sh: no package; run scripts/package.sh first" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "test-package.sh: must run as root (it runs the program as the user nobody)" >&2; exit 1; }
id="org.veltrane.Veltrane"

fail() {
  echo "test-package.sh: $*" >&2
  exit 1
}

echo "== lintian $(basename "$deb")"
# Errors fail the run; warnings and notes are shown for the record. Lintian itself need not be root.
chmod o+r "$deb"
runuser -u nobody -- lintian --fail-on error --display-info "$deb"

# Short: the settings file keeps 49 characters of a path (the demo data location and the sound folder are in it).
work=$(mktemp -d /tmp/vpkg-XXXXXX)
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"

echo "== desktop entry and AppStream metainfo"
desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"

echo "== contents"
for f in usr/bin/veltrane usr/bin/veltrane-cli usr/lib/veltrane/veltrane-cli-data usr/lib/veltrane/veltrane-cli-print \
  usr/share/veltrane/qn.mdb usr/share/veltrane/Quillan.ini \
  usr/share/veltrane/QNB.TXT usr/share/veltrane/QNRPT.TXT usr/share/veltrane/INVAL.TXT \
  usr/share/veltrane/demo-data/DATA401.QN usr/share/veltrane/QUILLAN/sound/ENGLISH/E001.wav \
  usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png \
  usr/share/man/man1/veltrane.1.gz usr/share/man/man1/veltrane-cli.1.gz usr/share/doc/veltrane/copyright; do
  [ -f "$root/$f" ] || fail "the package lacks /$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6sql6-sqlite qt6-qpa-plugins gstreamer1.0-plugins-base fonts-liberation2 libqt6widgets6 libsane1; do
  [[ $depends == *"$p"* ]] || fail "Depends lacks $p: $depends"
done

# The installed tree as an installed one is: root's and read-only. The user gets a home of their own.
chmod -R a-w "$root"
chmod 755 "$work"
home=$work/home
mkdir -m 700 "$home"
chown nobody "$home"
as_user() {
  runuser -u nobody -- env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/run" LANG=C.UTF-8 "$@"
}
as_user mkdir -m 700 "$home/run"

echo "== as the user nobody, without a display"
as_user "$root/usr/bin/veltrane" --version | grep -qx "veltrane [0-9.]*" || fail "veltrane --version"
as_user "$root/usr/bin/veltrane" --help | grep -q "usage: veltrane" || fail "veltrane --help"
as_user "$root/usr/bin/veltrane-cli" version | grep -qx "veltrane-cli [0-9.]*" || fail "veltrane-cli version"
sheet=$(as_user "$root/usr/bin/veltrane-cli" read-sheet "$root/usr/share/doc/veltrane/marked-answer-sheet.png") ||
  fail "veltrane-cli read-sheet failed"
[[ $sheet == *'"responses":"'* ]] || fail "veltrane-cli read-sheet read no responses: $sheet"
scores=$(as_user "$root/usr/bin/veltrane-cli" report --client 1 --scores) || fail "veltrane-cli report failed"
echo "$scores"
[[ $scores == *'"scales":'*'"percentile"'* ]] || fail "veltrane-cli report printed no scales"
site=$home/.local/share/veltrane
[ -s "$site/report.prn" ] || fail "no report file in the site folder $site"
[ "$(stat -c %a "$site")" = 700 ] || fail "the site folder is not the owner's only"
[ "$(stat -c %U "$site/qn.mdb")" = nobody ] || fail "the site folder's question database is not the user's"

echo "== as the user nobody, veltrane under Xvfb to its main menu"
shot=${VELTRANE_PACKAGE_SHOT:-$work/main-menu.png}
# The window's title is the program's; --onlyvisible waits past the splash, which shows before the main menu.
as_user xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  "$1" & pid=$!
  status=0
  timeout 90 xdotool search --sync --onlyvisible --name "^Veltrane\$" >/dev/null || status=1
  sleep 1
  import -window root "$2" 2>/dev/null || true
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  exit $status' sh "$root/usr/bin/veltrane" "$home/shot.png" || {
  cp "$home/shot.png" "$shot" 2>/dev/null || true
  fail "veltrane did not reach its main menu (screen: $shot)"
}
cp "$home/shot.png" "$shot" 2>/dev/null || true
[ -f "$home/veltrane-demo-data/DATA401.QN" ] || fail "the demo data location was not made"
grep -q "FilePath=$home/veltrane-demo-data" "$site/Quillan.ini" || fail "the settings do not name the demo data"
echo "test-package.sh: the package passed"
