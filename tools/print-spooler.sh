#!/bin/sh
# The test printer: Debian's CUPS with the cups-pdf backend. Wine lists every
# CUPS printer as a Windows printer, so the programs print to the queue "PDF"
# through Wine's own spooler, and cups-pdf writes each job as a PDF file.
#   tools/print-spooler.sh ensure   starts cupsd when it is not running and adds
#                                   the queue PDF when it is missing (idempotent;
#                                   the packages come from the Makefile's
#                                   PRINT_PACKAGES)
#   tools/print-spooler.sh folder   prints the folder cups-pdf writes this user's
#                                   jobs to (its Out setting, ${HOME}/PDF by default)
set -e
export LC_ALL=C
queue=PDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
conf=/etc/cups/cups-pdf.conf

scheduler_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

case "${1:-}" in
  ensure)
    if ! scheduler_running; then
      # cupsd puts itself into the background; it outlives this script.
      /usr/sbin/cupsd
      tries=0
      until scheduler_running; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || { echo "cupsd did not start" >&2; exit 1; }
        sleep 0.1
      done
    fi
    if ! lpstat -v "$queue" >/dev/null 2>&1; then
      # lpadmin warns that PPD files are deprecated; the queue works all the same.
      lpadmin -p "$queue" -v cups-pdf:/ -E -P "$ppd" 2>/dev/null
    fi
    cupsenable "$queue"
    cupsaccept "$queue"
    ;;
  folder)
    home=$(getent passwd "$(id -un)" | cut -d: -f6)
    out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\{1,\}//p' "$conf" 2>/dev/null | tail -n 1)
    [ -n "$out" ] || out='${HOME}/PDF'
    user=$(id -un)
    printf '%s\n' "$out" | sed -e "s|\${HOME}|$home|g" -e "s|\${USER}|$user|g"
    ;;
  *)
    echo "usage: $0 ensure | folder" >&2
    exit 2
    ;;
esac
