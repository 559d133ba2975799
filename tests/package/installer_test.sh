#!/usr/bin/env bash
# Runs installer_test.exe in a Wine prefix made fresh for this run and removed after it, so the
# installer meets a machine that never had Wendrill, and the prefix of the other tests stays as
# it was.
#   tests/package/installer_test.sh INSTALLER_TEST_EXE SETUP_EXE
set -uo pipefail

test_exe=$1
setup=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
prefix="$work/prefix"

finish() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null
    WINEPREFIX=$prefix wineserver -w 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

# The Start-menu shortcut must not also become a menu entry of the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$here/../../scripts/wine-run" --prefix "$prefix" --timeout 240 "$test_exe" \
    "Z:$(realpath "$setup" | tr / '\\')"
