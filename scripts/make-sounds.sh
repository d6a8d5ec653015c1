#!/usr/bin/env bash
# Speaks the demo installation's texts into wave files with espeak-ng.
# usage: make-sounds.sh LIST SOUND_DIR STAMP
#   LIST      lines of: folder <TAB> language (en|es) <TAB> file name <TAB> text   (veltrane-cli sound-list)
#   SOUND_DIR the sound folder, <SndPath>/QUILLAN/sound; each list folder becomes a folder in it
#   STAMP     touched when every file has been made
# The folder is made anew beside the old one and swapped in, so no sound of a removed item is left behind and an
# interrupted run leaves the old sounds in place. A file whose line is unchanged since the last run is taken over
# from the old folder (hard-linked) instead of being spoken again; SOUND_DIR/.spoken-list keeps the lines last spoken.
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 LIST SOUND_DIR STAMP" >&2
  exit 2
fi
list=$1 out=$2 stamp=$3
espeak=${ESPEAK_NG:-espeak-ng}
rm -f "$stamp"
work="$out.new"
rm -rf "$work"
mkdir -p "$work"
cut -f1 "$list" | sort -u | while read -r folder; do mkdir -p "$work/$folder"; done

# Files whose line was changed or dropped since the last run are removed from the linked copy (never written
# through: the old folder shares them), then every line whose file is missing is spoken.
if [ -f "$out/.spoken-list" ]; then
  cp -al "$out/." "$work/"
  rm -f "$work/.spoken-list"
  while IFS=$'\t' read -r folder _ file _; do
    rm -f "$work/$folder/$file"
  done < <(grep -Fvxf "$list" "$out/.spoken-list" || true)
fi
todo="$work/.to-speak"
: >"$todo"
while IFS=$'\t' read -r folder lang file text; do
  [ -f "$work/$folder/$file" ] || printf '%s\t%s\t%s\t%s\n' "$folder" "$lang" "$file" "$text" >>"$todo"
done <"$list"

# Two loops over alternate lines keep both cores busy; each line is one espeak-ng run (about 30 ms).
speak() {
  local part=$1 folder lang file text voice
  while IFS=$'\t' read -r folder lang file text; do
    case $lang in
      es) voice=es-419 ;;
      *) voice=en-us ;;
    esac
    "$espeak" -v "$voice" -w "$work/$folder/$file" --stdin <<<"$text"
  done < <(awk -v part="$part" 'NR % 2 == part' "$todo")
}
speak 0 & first=$!
speak 1 & second=$!
status=0
wait "$first" || status=1
wait "$second" || status=1
if [ $status -ne 0 ]; then
  echo "make-sounds.sh: espeak-ng failed; the sounds were not replaced" >&2
  rm -rf "$work"
  exit 1
fi

rm -f "$todo"
cp "$list" "$work/.spoken-list"
rm -rf "$out"
mv "$work" "$out"
touch "$stamp"
