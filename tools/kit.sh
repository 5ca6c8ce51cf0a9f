#!/usr/bin/env bash
# Makes the release package and tries it as a Windows user would: unpacked into a folder of its
# own, lantrel.exe stripped, then its test kit run through Wine's own cmd.exe (run-tests.cmd) on
# a private Xvfb screen in a fresh prefix.  Passes when the kit's last line is "N passed,
# 0 failed" with every test program of the build counted.
#   tools/kit.sh [--wine 10] [--screen WIDTHxHEIGHTxDEPTH] [--contents [--built]]
# --contents stops after checking what the zip holds (no Wine); with --built it packs the build
# as it stands into a temporary folder instead of building the package target (the suite's
# package_contents test).  The kit's whole output is kept in out/kit/kit-wine8.log (or -wine10).
set -euo pipefail
cd "$(dirname "$0")/.."
here=$(pwd)
contentsOnly=0 built=0
while [ $# -gt 0 ]; do
  case "$1" in
    --wine) export LANTREL_WINE=$2; shift 2 ;;
    --screen) export LANTREL_SCREEN=$2; shift 2 ;;
    --contents) contentsOnly=1; shift ;;
    --built) built=1; shift ;;
    *) echo "usage: tools/kit.sh [--wine 10] [--screen WxHxD] [--contents [--built]]" >&2; exit 2 ;;
  esac
done

# shellcheck source=tools/tool-start.sh
source tools/tool-start.sh
unpacked=$(mktemp -d /tmp/lantrel-kit.XXXXXX)
lantrel_tool_cleanup() { rm -rf "$unpacked"; }
trap lantrel_tool_cleanup EXIT
if [ "$built" = 1 ]; then
  cpack --config build/mingw/CPackConfig.cmake -B "$unpacked/package" >/dev/null
  zip=$(ls "$unpacked"/package/Lantrel-*-win64.zip)
else
  lantrel_build --target package
  zip=$here/$(ls build/mingw/Lantrel-*-win64.zip)
fi
(cd "$unpacked" && cmake -E tar xf "$zip")
top="$unpacked/$(basename "$zip" .zip)"

fail() { echo "kit: $*" >&2; exit 1; }
for file in lantrel.exe README.txt LICENSE.txt run-tests.cmd tests/linkrecorder.exe \
            tests/leaker.exe tests/sysinfo.exe; do
  [ -f "$top/$file" ] || fail "$file missing from $zip"
done
programs=$(cd "$top/tests" && ls -- *_tests.exe | wc -l)
buildPrograms=$(cd build/mingw/tests && ls -- *_tests.exe | wc -l)
[ "$programs" -gt 0 ] && [ "$programs" = "$buildPrograms" ] ||
  fail "$programs test programs in $zip, $buildPrograms in the build"
for exe in "$top"/lantrel.exe "$top"/tests/*.exe; do
  if x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug'; then
    fail "$(basename "$exe") has debug sections"
  fi
done
echo "kit: $zip holds lantrel.exe (no debug sections), README.txt, LICENSE.txt," \
     "run-tests.cmd and $programs test programs"
[ "$contentsOnly" = 1 ] && exit 0

mkdir -p out/kit
log=out/kit/kit-wine${LANTREL_WINE:-8}.log
lantrel_private_wine
echo "kit: running run-tests.cmd under $(wine --version) on a ${LANTREL_SCREEN:-1024x768x24} screen"
start=$(date +%s)
# Into a file, shown as it grows: Wine's own processes keep the output open a while after cmd.exe
# has ended.
(cd "$top" && exec wine cmd /c run-tests.cmd) >"$log.raw" 2>&1 &
kit=$!
tail -n +1 -f --pid=$kit "$log.raw" | sed -u "s/\r$//"
wait $kit || true
tr -d '\r' <"$log.raw" >"$log"
rm -f "$log.raw"
last=$(grep -v '^$' "$log" | tail -n 1)
echo "kit: $(($(date +%s) - start)) s; output in $log"
[ "$last" = "$programs passed, 0 failed" ] ||
  fail "the kit ended \"$last\", not \"$programs passed, 0 failed\""
# It said where it ran before the first test program.
awk '/^Desktop composition: /{found = 1; exit} /^==== /{exit} END{exit !found}' "$log" ||
  fail "the kit did not say first where it ran (tests\\sysinfo.exe)"
echo "kit: passed"
