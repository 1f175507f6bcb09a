#!/bin/sh
# The Windows installer as an operator meets it, under Wine in a prefix of its own (a machine
# that has never seen Tonaq): made by CPack, installed silently, the installed tonaqctl.exe asked
# its version and a download from the demo unit, the installed tonaq.exe started on the demo
# unit and shown, .tnq files given to Tonaq, then uninstalled silently, leaving nothing in its
# folder. Run by CTest in the Windows build on the tests' virtual display (wine-display):
#   installer.sh BUILD_FOLDER VERSION
# With TONAQ_SCREENSHOT=FILE.png it also takes a picture of the shown window (ImageMagick).
set -eu
build=$1
version=$2
export WINEPREFIX="$build/wine-installer" WINEDEBUG=-all
DISPLAY=$(cat "$build/wine-display.now")
export DISPLAY
folder="$WINEPREFIX/drive_c/Program Files/Tonaq"
installed='C:\Program Files\Tonaq'
work=$(mktemp -d)
fail() {
  echo "installer: $*" >&2
  exit 1
}
finish() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work" "$WINEPREFIX"
}
trap finish EXIT

(cd "$build" && cpack -G NSIS >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack failed"; }
package="$build/Tonaq-$version-win64.exe"
echo "installer: $(basename "$package"), $(($(stat -c %s "$package") / 1024)) KiB"
rm -rf "$WINEPREFIX"
wine wineboot --init >/dev/null 2>&1

wine "$package" /S
wineserver -w
for file in tonaq.exe tonaqctl.exe Qt6Core.dll libstdc++-6.dll platforms/qwindows.dll \
  styles/qwindowsvistastyle.dll tls/qschannelbackend.dll translations/tonaq_de.qm \
  translations/qtbase_fr.qm Uninstall.exe; do
  [ -f "$folder/$file" ] || fail "$file was not installed"
done
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tonaq/"*.lnk >/dev/null ||
  fail "no Start-menu entry"
wine reg query 'HKLM\Software\Classes\.tnq' 2>/dev/null | grep -q Tonaq.Configuration ||
  fail ".tnq files are not Tonaq's"

said=$(wine "$installed\\tonaqctl.exe" --version | tr -d '\r')
[ "$said" = "tonaqctl $version" ] || fail "tonaqctl.exe --version said: $said"
wine "$installed\\tonaqctl.exe" download --demo 'C:\users\Public\demo.tnq' 2>"$work/progress" |
  tr -d '\r' >"$work/table" || { cat "$work/progress"; fail "the demo download failed"; }
[ "$(wc -l <"$work/table")" -eq 8 ] && [ "$(head -n1 "$work/table")" = "1 0123456789,100,50" ] ||
  { cat "$work/table"; fail "the demo download gave another table"; }

# The window, connected to its demo unit as it starts: its title on the display, and the
# unit's firmware asked in its trace.
# (Under Wine, Qt's text boxes show their text only with its own FreeType font engine.)
WINEQT_QPA_PLATFORM=windows:fontengine=freetype \
  wine "$installed\\tonaq.exe" --demo --trace 'C:\users\Public\trace.txt' 2>/dev/null &
window=$!
trace="$WINEPREFIX/drive_c/users/Public/trace.txt"
shown() {
  xwininfo -root -tree 2>/dev/null | grep -q "\"Tonaq v$version\"" &&
    grep -q '> R' "$trace" 2>/dev/null
}
for _ in $(seq 150); do
  shown && break
  sleep 0.2
done
shown || fail "tonaq.exe showed no window connected to its demo unit"
if [ -n "${TONAQ_SCREENSHOT-}" ]; then
  # The window alone, once it has painted what the connect said.
  sleep 1
  id=$(xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) \"Tonaq v$version\".*/\1/p" | head -n1)
  import -window "$id" "$TONAQ_SCREENSHOT"
fi
wine taskkill /im tonaq.exe >/dev/null 2>&1
wait "$window" || fail "tonaq.exe did not end when closed"

wine "$installed\\Uninstall.exe" /S
wineserver -w
[ ! -e "$folder" ] || { find "$folder"; fail "the uninstaller left the files above"; }
echo "installer: installed, run and uninstalled"
