# The executable: imports nothing but Windows system libraries, and carries
# icon group 1 (seven PNG images, 16 to 256 px), the version resource and the
# manifest. The window's class icon is resource 1.
run_case() {
  local dll allowed imports
  allowed=' kernel32.dll user32.dll gdi32.dll shell32.dll comctl32.dll comdlg32.dll advapi32.dll msvcrt.dll ucrtbase.dll '
  imports=$("$KINETORA_OBJDUMP" -p "$KINETORA_APP" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ -n "$imports" ] || fail "no imports read from $KINETORA_APP"
  for dll in $imports; do
    dll=${dll,,}
    [[ "$allowed" == *" $dll "* || "$dll" == api-ms-win-crt-*.dll ]] ||
      fail "imports $dll, which is not a Windows system library"
  done
  ok "imports only system libraries:" $imports
  # The window's libraries are loaded on first use, so the self-test starts
  # with the kernel alone.
  # objdump lists one DLL a line: the names joined by blanks, so that each
  # one, not only the last, is found between blanks.
  local listed
  listed=" $(printf '%s ' $imports)"
  for dll in user32.dll gdi32.dll shell32.dll comdlg32.dll; do
    [[ "${listed,,}" == *" $dll "* ]] && fail "$dll is a load-time import"
  done
  ok "user32, gdi32, shell32 and comdlg32 load on first use"

  local host exe_windows
  host=$(sed -n 's/^#define KINETORA_PUBLISHER_HOST "\(.*\)"/\1/p' \
         "$KINETORA_SOURCE/resources/version_info.h")
  exe_windows="Z:${KINETORA_APP//\//\\}"
  drv check-resources "$(esc "$exe_windows")" "$(esc "$host")"
  ok "icon group 1, version resource with $host, manifest"

  # The header shows the same host name, right-aligned near the window's edge.
  start_app "$KINETORA_APP"
  shot_until header $(( CLIENT_W - 240 )) 8 214 26 '#BEDCEB' 10 100000 "host name in the header"
  stop_app
}
