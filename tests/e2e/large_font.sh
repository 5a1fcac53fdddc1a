#!/usr/bin/env bash
# The large-font option, stored in the registry, gives the next start the larger window.
source "$(dirname "$0")/lib.sh" "$1"

forget_registry
start_program
small=$(driver size)
driver close

wine reg add 'HKCU\Software\Brenhollow\Quillory' /v largeFont /t REG_DWORD /d 1 /f >/dev/null
start_program
large=$(driver size)
driver close
e2e_pid=""

small_width=${small%x*}
large_width=${large%x*}
if [ "$large_width" -le "$small_width" ]; then
  echo "FAIL: the large-font window ($large) is not larger than the small one ($small)" >&2
  exit 1
fi
forget_registry
echo "1 passed, 0 failed"
