#!/usr/bin/env bash
# The program started without a display says why on standard error and exits
# non-zero, instead of ending silently as if all were well.
set -u
program=$1
stderr=$(env -u DISPLAY "$program" 2>&1 >/dev/null)
status=$?
if [[ $status -eq 0 ]]; then
  echo "FAIL: exit status 0 without a display"; exit 1
fi
if [[ "$stderr" != *"cannot start"* ]]; then
  echo "FAIL: standard error does not say why: '$stderr'"; exit 1
fi
stderr=$(DISPLAY=:9999 "$program" 2>&1 >/dev/null)
if [[ $? -eq 0 || "$stderr" != *":9999"* ]]; then
  echo "FAIL: an unreachable display is not named: '$stderr'"; exit 1
fi
echo "ok: exit status $status, '$stderr'"
