#!/usr/bin/env bash
# Starts the CUPS scheduler (when it is not running) and makes a PDF print queue the default, for the print tests,
# with two more queues on the same printer whose paper is A4 and Letter (QUEUE-A4, QUEUE-Letter).
# Idempotent; needs root. Usage: scripts/start-cups.sh [QUEUE]   (default queue name: PDF)
# The scheduler keeps a copy of every job's document in /var/spool/cups (dNNNNN-001), which the tests read back.
set -euo pipefail
queue=${1:-PDF}
if [ "$(id -u)" -ne 0 ]; then
  echo "start-cups.sh: must run as root to start cupsd and add the queue" >&2
  exit 1
fi
for tool in /usr/sbin/cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || { echo "start-cups.sh: $tool is missing (install cups and printer-driver-cups-pdf)" >&2; exit 1; }
done
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || { echo "start-cups.sh: $ppd is missing (install printer-driver-cups-pdf)" >&2; exit 1; }

conf=/etc/cups/cupsd.conf
# Job documents must outlive the job so a test can read what was printed.
if ! grep -q '^PreserveJobFiles Yes' "$conf"; then
  sed -i '/^PreserveJobFiles/d' "$conf"
  echo 'PreserveJobFiles Yes' >>"$conf"
  if pidof cupsd >/dev/null; then
    kill -HUP "$(pidof cupsd)"   # reload the configuration
    sleep 0.5
  fi
fi

mkdir -p /run/cups
pidof cupsd >/dev/null || /usr/sbin/cupsd   # forks itself
for _ in $(seq 100); do
  lpstat -r 2>/dev/null | grep -q 'is running' && break
  sleep 0.1
done
lpstat -r | grep -q 'is running' || { echo "start-cups.sh: cupsd did not come up" >&2; exit 1; }

if ! lpstat -p "$queue" >/dev/null 2>&1; then
  lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd"
fi
# Reports must fit either paper, so both are tried: the paper is the queue's default page size.
for paper in A4 Letter; do
  if ! lpstat -p "$queue-$paper" >/dev/null 2>&1; then
    lpadmin -p "$queue-$paper" -E -v cups-pdf:/ -P "$ppd" -o PageSize="$paper"
  fi
done
for q in "$queue" "$queue-A4" "$queue-Letter"; do
  cupsenable "$q" 2>/dev/null || true
  cupsaccept "$q" 2>/dev/null || true
done
lpadmin -d "$queue"
echo "cupsd is running; default queue: $(lpstat -d | sed 's/.*: //')"
