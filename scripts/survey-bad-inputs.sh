#!/usr/bin/env bash
# Runs hostile and careless inputs against the built veltrane-cli and says, for each, whether the message was clear
# and whether anything was lost, then the totals. Not a test: nothing runs it but a person.
#   scripts/survey-bad-inputs.sh [BUILD_DIR]      (as root: it mounts small tmpfs folders and makes device nodes)
# Everything happens in a fresh temporary folder; device nodes are made there with mknod (the null, zero and full
# devices only), never written through, and every mount is undone at the end.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-test}" && pwd)
bin=$build/bin
cli=$bin/veltrane-cli
holder=$build/tests/location_holder
[[ $(id -u) == 0 ]] || { echo "run as root (tmpfs mounts and mknod)" >&2; exit 2; }
[[ -x $cli ]] || { echo "no $cli: build veltrane-cli first" >&2; exit 2; }

S=$(mktemp -d /tmp/survey-bad-inputs.XXXXXX)
mounts=()
holders=()
cleanup() {
  for p in "${holders[@]}"; do kill -CONT "$p" 2>/dev/null; kill "$p" 2>/dev/null; done
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" 2>/dev/null; done
  rm -rf "$S"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$S/xdg HOME=$S/home XDG_DATA_HOME=$S/home/.local/share
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"

P=$S/program D=$S/data B=$S/backups O=$S/out V=$S/victim.txt
total=0 clear=0 lost=0 crashed=0
declare -A family_total family_clear family_lost

# A sound program folder: the built one, without its sounds (large, and no command here reads them), whose
# settings name the data location as the program leaves them after opening it.
fresh_program() {
  rm -rf "$P" && mkdir -p "$P"
  (cd "$bin" && cp -a qn.mdb ./*.TXT "$P"/)
  printf '[Settings]\r\nNumLock=True\r\n[Path]\r\nFilePath=%s\r\n' "$D" >"$P/Quillan.ini"
}
record() { sed -n '2p' "$root/installation/demo-data/clients.txt" | tr -d '\r\n'; }
REC=$(record)
[[ ${#REC} == 184 ]] || { echo "the demo record is not 184 characters" >&2; exit 2; }
# The client file of three sound records.
fresh_data() {
  rm -rf "$D" "$B" "$O" && mkdir -p "$D" "$B" "$O"
  printf '%s%s%s' "$REC" "$REC" "$REC" >"$D/DATA401.QN" && chmod 600 "$D/DATA401.QN"
  echo "earlier export, kept" >"$O/earlier.csv"
  echo "victim: never written" >"$V"
}

# What lies under the survey folder, to compare: kind, mode, size, time, link target and device numbers of every
# entry, and the contents of every file of up to 64 MB. What commands are meant to write is left out: report.prn, the
# scan images, the saved-sheet list, and the outputs named new* in $O and in the planted folder.
snapshot() {
  local skip='/(report\.prn|Raw\.bmp|Scan\.bmp|DATA401\.SHA|new[^/]*|run\.(out|err)|snap\.(before|after))$'
  # A folder's own size and time change with every temporary file made and removed in it; only its entries count.
  find "$S" \( -path "$S/xdg" -o -path "$S/home" -o -name fat.img \) -prune -o -type d -printf '%p %y %m\n' -o \
    -printf '%p %y %m %s %T@ %l\n' 2>/dev/null | grep -vE "${skip%\$}( |$)" | sort
  find "$S" \( -path "$S/xdg" -o -path "$S/home" -o -name fat.img \) -prune -o -type f -size -64M -print 2>/dev/null |
    grep -vE "$skip" | sort | tr '\n' '\0' | xargs -0 -r md5sum
  find "$S" -type c -print 2>/dev/null | sort | xargs -r stat -c '%n %t:%T'
}
# case FAMILY NAME EXPECT MENTION -- COMMAND...
#   EXPECT: fail (exit 1, a message that contains MENTION), ok (exit 0) or named (exit 0 or 1, and a message that
#   matches the pattern MENTION).
#   Data lost: anything under the survey folder changed but the outputs a command is meant to write, or (for ok) a
#   file named by CHECK_FILE that is missing, not 0600 or empty.
run_case() {
  local family=$1 name=$2 expect=$3 mention=$4
  shift 5
  snapshot | sort >"$S/snap.before"
  local status
  timeout 60 "$@" >"$S/run.out" 2>"$S/run.err" </dev/null
  status=$?
  snapshot | sort >"$S/snap.after"
  local c=no l=no why=""
  if ((status >= 124)); then
    why="status $status (killed, crashed or hung)"
    crashed=$((crashed + 1))
  elif [[ $expect == named ]]; then
    # Refused or done, so long as what is wrong is said (MENTION is an extended regular expression).
    if ((status <= 1)) && grep -qE -- "$mention" "$S/run.err" "$S/run.out"; then c=yes
    else why="status $status: $(head -c 200 "$S/run.err" "$S/run.out" | tr '\n' ' ')"; fi
  elif [[ $expect == fail ]]; then
    if ((status == 1)) && grep -qF -- "$mention" "$S/run.err" "$S/run.out"; then c=yes
    else why="status $status: $(head -c 200 "$S/run.err" "$S/run.out" | tr '\n' ' ')"; fi
  else
    if ((status == 0)); then c=yes; else why="status $status: $(head -c 200 "$S/run.err" | tr '\n' ' ')"; fi
  fi
  if [[ $expect == fail || ($expect == named && $status != 0) || -n ${KEEP_ALL:-} ]]; then
    local gone
    gone=$(comm -23 "$S/snap.before" "$S/snap.after")
    [[ -n $gone ]] && l=yes why+=" changed or gone: $(head -3 <<<"$gone" | tr '\n' ' ')"
    local added
    added=$(comm -13 <(grep "^$S" "$S/snap.before" | cut -d' ' -f1 | sort) \
      <(grep "^$S" "$S/snap.after" | cut -d' ' -f1 | sort))
    [[ -n $added && $expect == fail ]] && why+=" left behind: $(head -2 <<<"$added" | tr '\n' ' ')"
  fi
  if [[ -n ${CHECK_FILE:-} && $expect == ok ]]; then
    if [[ ! -f $CHECK_FILE || -L $CHECK_FILE || ! -s $CHECK_FILE ]] ||
      [[ $(stat -c %a "$CHECK_FILE") != 600 && -z ${NO_MODES:-} ]]; then
      l=yes why+=" output $(stat -c '%F %a %s' "$CHECK_FILE" 2>&1)"
    fi
  fi
  total=$((total + 1))
  [[ $c == yes ]] && clear=$((clear + 1))
  [[ $l == yes ]] && lost=$((lost + 1))
  family_total[$family]=$((${family_total[$family]:-0} + 1))
  [[ $c == yes ]] && family_clear[$family]=$((${family_clear[$family]:-0} + 1))
  [[ $l == yes ]] && family_lost[$family]=$((${family_lost[$family]:-0} + 1))
  printf '%-8s %-58s clear:%-3s lost:%-3s %s\n' "$family" "$name" "$c" "$l" "$why"
}

tmpfs() { # a small tmpfs at $1 of $2 bytes
  mkdir -p "$1" && mount -t tmpfs -o size="$2",mode=0755 tmpfs "$1" && mounts+=("$1")
}
fill() { # fills the file system of folder $1
  dd if=/dev/zero of="$1/.filler" bs=4k 2>/dev/null
  for i in $(seq 200); do printf x >"$1/.filler$i" 2>/dev/null || break; done
}

fresh_program
fresh_data
# The first use of the question database records its workspace in the settings file; later runs leave it alone.
"$cli" answer-sheet --program-dir "$P" --pdf "$S/primer.pdf" >/dev/null 2>&1
rm -f "$S/primer.pdf"
echo "Survey of bad inputs against $cli ($(date -u +%FT%TZ)), in $S"
echo

# ---------------------------------------------------------------------------------------------------------------
# 1. Outputs: every command that writes a file on request, at targets it must refuse or write safely.
tmpfs "$S/full" 65536
tmpfs "$S/ro" 65536
tmpfs "$S/planted" 1048576
outputs() { # command name and its arguments before the target
  case $1 in
  export) echo "$cli export --program-dir $P --data-dir $D --output" ;;
  report) echo "$cli report --program-dir $P --data-dir $D --client 1 --pdf" ;;
  sheet) echo "$cli answer-sheet --program-dir $P --pdf" ;;
  esac
}
for cmd in export report sheet; do
  read -r -a prefix <<<"$(outputs $cmd)"
  fresh_data
  # Targets to refuse, each with what the message must name.
  declare -A targets=(
    [client-file]="$D/DATA401.QN|DATA401.QN"
    [scoring-file]="$P/QNB.TXT|QNB.TXT"
    [wording-file]="$P/QNRPT.TXT|QNRPT.TXT"
    [settings-file]="$P/Quillan.ini|Quillan.ini"
    [question-database]="$P/qn.mdb|qn.mdb"
    [paragraph-file]="$P/QN_AL.TXT|QN_AL.TXT"
    [other-file-of-location]="$D/notes.txt|notes.txt"
    [fifo]="$O/fifo|fifo"
    [null-device]="$O/null|null"
    [full-device]="$O/fulldev|fulldev"
    [zero-device]="$O/zero|zero"
    [socket]="$O/sock|sock"
    [link-to-victim]="$O/link|link"
    [dangling-link]="$O/dangling|dangling"
    [link-to-device]="$O/devlink|devlink"
    [link-to-client-file]="$O/clientlink|clientlink"
    [folder]="$O/folder|folder"
    [missing-folder]="$O/nowhere/x.out|nowhere"
    [file-as-folder]="$O/earlier.csv/x.out|earlier.csv"
    [name-too-long]="$O/$(printf 'n%.0s' $(seq 300)).out|File name too long"
    [full-disk-over-earlier]="$S/full/earlier.out|No space left"
    [full-disk-new-name]="$S/full/new.out|No space left"
    [read-only-over-earlier]="$S/ro/earlier.out|Read-only"
    [read-only-new-name]="$S/ro/new.out|Read-only"
  )
  echo "x" >"$D/notes.txt"
  mkfifo "$O/fifo"
  mknod "$O/null" c 1 3
  mknod "$O/fulldev" c 1 7
  mknod "$O/zero" c 1 5
  python3 -c "import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])" "$O/sock"
  ln -s "$V" "$O/link"
  ln -s "$O/nothing-here" "$O/dangling"
  ln -s "$O/null" "$O/devlink"
  ln -s "$D/DATA401.QN" "$O/clientlink"
  mkdir -p "$O/folder"
  rm -f "$S/full/"* "$S/full/".filler* 2>/dev/null
  echo "earlier output, kept" >"$S/full/earlier.out"
  fill "$S/full"
  mount -o remount,rw "$S/ro" && echo "earlier output, kept" >"$S/ro/earlier.out" && mount -o remount,ro "$S/ro"
  for t in "${!targets[@]}"; do
    IFS='|' read -r target mention <<<"${targets[$t]}"
    run_case output "$cmd onto $t" fail "$mention" -- "${prefix[@]}" "$target"
  done
  unset targets
  # Written safely: a new name, an earlier file of the user's, and links planted at temporary names nearby.
  CHECK_FILE=$O/new.out run_case output "$cmd onto a new name" ok "" -- "${prefix[@]}" "$O/new.out"
  CHECK_FILE=$O/new.out run_case output "$cmd over an earlier output" ok "" -- "${prefix[@]}" "$O/new.out"
  for planted in "new2.out.part" ".new2.out.saving" "new2.out.tmp" "new2.out~"; do
    ln -sf "$V" "$S/planted/$planted"
    CHECK_FILE=$S/planted/new2.out run_case output "$cmd with a link planted at $planted" ok "" -- \
      "${prefix[@]}" "$S/planted/new2.out"
    rm -f "$S/planted/"*
  done
  rm -f "$O/new.out"
done
# Backups go to a folder: the same kinds of wrong folder.
fresh_data
mkfifo "$O/fifo"
ln -s "$B" "$O/backup-link"
rm -f "$S/full/"* "$S/full/".filler* 2>/dev/null && fill "$S/full"
for pair in "missing folder|$O/nowhere|does not exist" "a file|$O/earlier.csv|does not exist" \
  "a fifo|$O/fifo|does not exist" "a full disk|$S/full|No space left" "a read-only folder|$S/ro|Read-only"; do
  IFS='|' read -r name target mention <<<"$pair"
  run_case output "backup into $name" fail "$mention" -- "$cli" backup --data-dir "$D" --to "$target"
done
rm -f "$S/full/"* "$S/full/".filler* 2>/dev/null
run_case output "backup into a link to a folder" ok "" -- "$cli" backup --data-dir "$D" --to "$O/backup-link"
run_case output "backup into the data location itself" ok "" -- "$cli" backup --data-dir "$D" --to "$D"

# ---------------------------------------------------------------------------------------------------------------
# 2. Restore and backup against a location another program holds, running and stopped.
fresh_data
printf '%s' "$REC" >"$B/one.QN" && chmod 600 "$B/one.QN"
if [[ -x $holder ]]; then
  for state in running stopped; do
    mkfifo "$S/holder.in.$state"
    cp "$P/Quillan.ini" "$S/holder.ini"
    "$holder" "$S/holder.ini" <"$S/holder.in.$state" >"$S/holder.out.$state" 2>&1 &
    hp=$!
    exec {keep}>"$S/holder.in.$state"
    holders+=("$hp")
    for _ in $(seq 100); do grep -q opened "$S/holder.out.$state" && break; sleep 0.1; done
    [[ $state == stopped ]] && kill -STOP "$hp"
    run_case lock "backup, location held by a $state program" fail "in use by" -- \
      "$cli" backup --data-dir "$D" --to "$B"
    run_case lock "restore, location held by a $state program" fail "in use by" -- \
      "$cli" restore --from "$B/one.QN" --data-dir "$D"
    run_case lock "restore --yes, location held by a $state program" fail "in use by" -- \
      "$cli" restore --from "$B/one.QN" --data-dir "$D" --yes
    KEEP_ALL=1 run_case lock "export while a $state program holds it (reads only)" ok "" -- \
      "$cli" export --program-dir "$P" --data-dir "$D" --output "$O/new.csv"
    KEEP_ALL=1 run_case lock "report while a $state program holds it (reads only)" ok "" -- \
      "$cli" report --program-dir "$P" --data-dir "$D" --client 1 --scores
    kill -CONT "$hp"
    exec {keep}>&-
    wait "$hp" 2>/dev/null
    rm -f "$O/new.csv"
  done
else
  echo "lock     (no $holder: build location_holder for these cases)"
fi
chmod 400 "$D/DATA401.QN"
run_case lock "restore over a read-only client file, no --yes" fail "read-only" -- \
  "$cli" restore --from "$B/one.QN" --data-dir "$D"
CHECK_FILE= run_case lock "restore over a read-only client file, --yes" ok "" -- \
  "$cli" restore --from "$B/one.QN" --data-dir "$D" --yes
[[ $(stat -c %a "$D/DATA401.QN") == 400 ]] || echo "         (the restored client file lost its read-only mode)"
fresh_data
# Backups that are not client files, of every kind a careless restore is given.
mkfifo "$B/fifo.QN"
mkdir "$B/folder.QN"
ln -s "$B/one.QN" "$B/link.QN"
mknod "$B/null.QN" c 1 3
: >"$B/empty.QN"
truncate -s 100G "$B/sparse.QN"
printf '%s' "$REC" >"$B/one.QN"
echo "client,name,score" >"$B/export.csv"
for pair in "fifo.QN|fifo.QN" "folder.QN|folder.QN" "null.QN|null.QN" "empty.QN|no client records" \
  "sparse.QN|sparse.QN" "export.csv|export.csv" "missing.QN|missing.QN"; do
  IFS='|' read -r name mention <<<"$pair"
  run_case restore "restore --yes from $name" fail "$mention" -- "$cli" restore --from "$B/$name" --data-dir "$D" --yes
done
# A backup reached through a link is read as the file it names; the replaced client file is kept.
run_case restore "restore --yes from a link to a backup" ok "" -- "$cli" restore --from "$B/link.QN" --data-dir "$D" --yes

# ---------------------------------------------------------------------------------------------------------------
# 3. Damaged records, each form through report, export, backup and restore.
damage() { # offset, bytes: record 2 of the client file with its field replaced
  local r=$REC
  printf '%s%s%s' "$REC" "${r:0:$1}$2${r:$(($1 + ${#2}))}" "$REC"
}
forms=(
  "court count -9|49|-9" "court count letters|51|ab" "court count 1x|53|1x" "anger count -9|57|-9"
  "answer 3 in a true/false item|59|3" "answer 9 in a choice item|175|9" "letter in the answers|100|x"
  "answer 5 in a frequency item|150|5" "gender outside its list|25|Z" "race outside its list|36|Z"
  "marital status outside its list|37|Z" "education outside its list|38|Z" "birth date 02/30/1990|26|02/30/1990"
  "birth date 13/45/1990|26|13/45/1990" "birth date letters|26|ab/cd/efgh" "test date 02/30/2026|39|02/30/2026"
  "edit count letter|182|Z" "name-deleted flag letter|183|Z"
)
for f in "${forms[@]}"; do
  IFS='|' read -r name offset value <<<"$f"
  fresh_data
  damage "$offset" "$value" >"$D/DATA401.QN"
  cp "$D/DATA401.QN" "$B/damaged.QN"
  run_case damage "report of a record with $name" fail "damaged" -- \
    "$cli" report --program-dir "$P" --data-dir "$D" --client 2
  run_case damage "export of a file with $name" fail "damaged" -- \
    "$cli" export --program-dir "$P" --data-dir "$D" --output "$O/new.csv"
  run_case damage "restore from a backup with $name" named "not a backup|Client 2 has a damaged record" -- \
    "$cli" restore --from "$B/damaged.QN" --data-dir "$D" --yes
done
# NUL and control characters, written by printf's escapes.
for pair in "NUL in the name|\\x00" "bell in the name|\\x07" "escape in the name|\\x1b" "tab in the name|\\x09"; do
  IFS='|' read -r name ch <<<"$pair"
  fresh_data
  { printf '%s' "$REC"; printf "${REC:0:3}$ch"; printf '%s%s' "${REC:4}" "$REC"; } >"$D/DATA401.QN"
  run_case damage "report of a record with $name" fail "damaged" -- \
    "$cli" report --program-dir "$P" --data-dir "$D" --client 2
  run_case damage "export of a file with $name" fail "damaged" -- \
    "$cli" export --program-dir "$P" --data-dir "$D" --output "$O/new.csv"
done
# Odd client files.
oddfile() {
  fresh_data
  case $1 in
  partial) printf '%s%s' "$REC" "${REC:0:100}" >"$D/DATA401.QN" ;;
  trailing) printf '%s%sTrailing' "$REC" "$REC" >"$D/DATA401.QN" ;;
  empty) : >"$D/DATA401.QN" ;;
  csv) printf 'client,name\r\n1,"Sample, Avery"\r\n' >"$D/DATA401.QN" ;;
  sparse) printf '%s' "$REC" >"$D/DATA401.QN" && truncate -s 100G "$D/DATA401.QN" ;;
  folder) rm "$D/DATA401.QN" && mkdir "$D/DATA401.QN" ;;
  fifo) rm "$D/DATA401.QN" && mkfifo "$D/DATA401.QN" ;;
  device) rm "$D/DATA401.QN" && mknod "$D/DATA401.QN" c 1 5 ;;
  link) mv "$D/DATA401.QN" "$D/real.QN" && ln -s "$D/real.QN" "$D/DATA401.QN" ;;
  missing) rm "$D/DATA401.QN" ;;
  esac
}
# kind | client | report: expected, mention | export: expected, mention | backup: expected, mention
oddcases=(
  "partial|2|fail|damaged|fail|not a whole number|fail|damaged"
  "trailing|1|ok||fail|not a whole number|fail|damaged"
  "empty|1|fail|no clients|ok||fail|no clients"
  "csv|1|fail|DATA401.QN|fail|damaged|fail|damaged"
  "sparse|1|ok||fail|damaged|fail|DATA401.QN"
  "folder|1|fail|not a client file|fail|not a client file|fail|DATA401.QN"
  "fifo|1|fail|not a client file|fail|not a client file|fail|DATA401.QN"
  "device|1|fail|not a client file|fail|not a client file|fail|DATA401.QN"
  "link|1|fail|is a link|fail|is a link|ok|"
  "missing|1|fail|DATA401.QN|fail|DATA401.QN|fail|DATA401.QN"
)
for c in "${oddcases[@]}"; do
  IFS='|' read -r kind client rexp rsaid eexp esaid bexp bsaid <<<"$c"
  oddfile "$kind"
  run_case damage "report on a client file that is $kind" "$rexp" "$rsaid" -- \
    "$cli" report --program-dir "$P" --data-dir "$D" --client "$client"
  run_case damage "export of a client file that is $kind" "$eexp" "$esaid" -- \
    "$cli" export --program-dir "$P" --data-dir "$D" --output "$O/new.csv"
  run_case damage "backup of a client file that is $kind" "$bexp" "$bsaid" -- \
    "$cli" backup --data-dir "$D" --to "$B"
done

# ---------------------------------------------------------------------------------------------------------------
# 4. Images: cut short, empty, not images, and an oversized 16-bit page with its peak memory.
fresh_data
I=$S/images
mkdir -p "$I"
sheet=$root/docs/marked-answer-sheet.png
if command -v convert >/dev/null; then
  convert "$sheet" -quality 92 "$I/sheet.jpg" && convert "$sheet" -type grayscale "BMP3:$I/sheet.bmp"
fi
cp "$sheet" "$I/sheet.png"
for kind in jpg png bmp; do
  [[ -f $I/sheet.$kind ]] || continue
  size=$(stat -c %s "$I/sheet.$kind")
  for cut in 1 10 50 90 99; do
    head -c $((size * cut / 100)) "$I/sheet.$kind" >"$I/cut$cut.$kind"
    run_case image "$kind cut to $cut%" fail "error" -- "$cli" read-sheet --program-dir "$P" "$I/cut$cut.$kind"
  done
  for less in 1 2 16; do
    head -c $((size - less)) "$I/sheet.$kind" >"$I/less$less.$kind"
    # A PNG's last 12 bytes are its end chunk, which holds no pixels: without a byte or two of it the picture is
    # whole, and reading it is right.
    expect=fail
    [[ $kind == png && $less -lt 12 ]] && expect=ok
    run_case image "$kind without its last $less bytes" $expect "error" -- \
      "$cli" read-sheet --program-dir "$P" "$I/less$less.$kind"
  done
  : >"$I/empty.$kind"
  run_case image "empty .$kind file" fail "error" -- "$cli" read-sheet --program-dir "$P" "$I/empty.$kind"
  echo "not a picture" >"$I/text.$kind"
  run_case image "text named .$kind" fail "error" -- "$cli" read-sheet --program-dir "$P" "$I/text.$kind"
done
run_case image "a batch of every cut file (read on all cores)" fail "error" -- \
  "$cli" read-sheet --program-dir "$P" "$I"/cut*.* "$I"/less*.*
mkfifo "$I/fifo.png"
run_case image "a fifo named .png" fail "error" -- "$cli" read-sheet --program-dir "$P" "$I/fifo.png"
# 6900 x 6900 16-bit grey: beyond a sheet at 600 dpi, refused before it is decoded. Peak memory from getrusage.
peak() { # runs the command and prints its peak resident memory in MB on standard error
  python3 - "$@" <<'EOF'
import resource, subprocess, sys
r = subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
print("%.0f" % (resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024), file=sys.stderr)
sys.exit(r.returncode)
EOF
}
printf 'P5\n6900 6900\n65535\n' >"$I/big16.pgm" && head -c $((6900 * 6900 * 2)) /dev/zero | tr '\0' '\377' >>"$I/big16.pgm"
if command -v convert >/dev/null; then
  convert -size 6900x6900 xc:white -depth 16 "PNG48:$I/big16.png" 2>/dev/null ||
    convert -size 6900x6900 xc:white -depth 16 "$I/big16.png"
fi
for f in "$I/big16.pgm" "$I/big16.png"; do
  [[ -f $f ]] || continue
  run_case image "oversized 16-bit page $(basename "$f") ($(stat -c %s "$f") bytes)" fail "error" -- \
    "$cli" read-sheet --program-dir "$P" "$f"
  mb=$(peak "$cli" read-sheet --program-dir "$P" "$f" 2>&1 >/dev/null | tail -1)
  echo "         peak memory reading $(basename "$f"): $mb MB"
  peaks+="$(basename "$f") $mb MB; "
done

# ---------------------------------------------------------------------------------------------------------------
# 5. A FAT data location (FUSE; the kernel here has no vfat): opens, exports, backs up, restores.
fat=""
if command -v fusefat >/dev/null && command -v mkfs.vfat >/dev/null; then
  mkfs.vfat -C "$S/fat.img" 8192 >/dev/null && mkdir -p "$S/fat" && fusefat -o rw+ "$S/fat.img" "$S/fat" &&
    mounts+=("$S/fat") && fat=$S/fat
fi
if [[ -n $fat ]]; then
  fresh_data
  cp "$D/DATA401.QN" "$fat/DATA401.QN"
  printf '%s' "$REC" >"$B/one.QN"
  run_case fat "report on a FAT location" ok "" -- "$cli" report --program-dir "$P" --data-dir "$fat" --client 1
  mkdir -p "$fat/exports"
  NO_MODES=1 CHECK_FILE=$fat/exports/all.csv run_case fat "export into a folder on the FAT drive" ok "" -- \
    "$cli" export --program-dir "$P" --data-dir "$D" --output "$fat/exports/all.csv"
  run_case fat "export onto the FAT location's client file" fail "DATA401.QN" -- \
    "$cli" export --program-dir "$P" --data-dir "$fat" --output "$fat/DATA401.QN"
  run_case fat "backup of a FAT location" ok "" -- "$cli" backup --data-dir "$fat" --to "$B"
  run_case fat "backup onto the FAT drive" ok "" -- "$cli" backup --data-dir "$D" --to "$fat/exports"
  run_case fat "restore into a FAT location" ok "" -- "$cli" restore --from "$B/one.QN" --data-dir "$fat" --yes
  NO_MODES=1 CHECK_FILE=$fat/exports/sheet.pdf run_case fat "answer sheet onto the FAT drive" ok "" -- \
    "$cli" answer-sheet --program-dir "$P" --pdf "$fat/exports/sheet.pdf"
else
  echo "fat      (no fusefat or mkfs.vfat: install dosfstools and fusefat for these cases)"
fi

echo
for family in output lock restore damage image fat; do
  [[ -n ${family_total[$family]:-} ]] || continue
  printf '%-8s %3d cases, %3d with a clear message, %3d with data lost\n' "$family" "${family_total[$family]}" \
    "${family_clear[$family]:-0}" "${family_lost[$family]:-0}"
done
printf 'total    %3d cases, %3d with a clear message, %3d with data lost, %d crashed or hung\n' "$total" "$clear" \
  "$lost" "$crashed"
[[ -n ${peaks:-} ]] && echo "peak memory of the oversized pages: $peaks"
exit 0
