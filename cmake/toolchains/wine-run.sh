#!/bin/sh
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]. The prefix lives
# in the build tree, so neither the user's home nor a display is needed.
set -e
export WINEPREFIX="$1"
shift
export WINEARCH=win32 WINEDEBUG=-all
# No .NET or HTML runtime: the prefix's first start stays quick and shows no dialog.
export WINEDLLOVERRIDES="mscoree,mshtml="
# A new prefix starts no debugger on a crash, which would wait for a user: the program just ends.
if [ ! -d "$WINEPREFIX" ]; then
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f \
    </dev/null >/dev/null 2>&1 || true
fi
# The Wine server and the background services that the first program of a session starts would
# inherit the caller's output and hold it open until they quit, seconds after the program, and
# ctest waits for that. Started here, detached from the output, they serve every program of a test
# run and quit by themselves ten seconds after the last one.
wineserver -p10 </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
exec wine "$@"
