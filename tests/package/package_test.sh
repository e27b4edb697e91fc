#!/bin/sh
# The Debian package as a player's machine gets it: built with CPack, unpacked
# with dpkg -x into a temporary root, and the installed programs started from
# there. Usage: package_test.sh BUILD_DIR CPACK
set -eu
build=$1
cpack=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack"
fi
deb=$(ls "$work"/out/qzreishogi_*.deb)
echo "built $(basename "$deb")"

# The files a player's desktop needs, and no build leftovers among the assets.
dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
for path in usr/games/qzreishogi usr/games/qzreishogi-cli \
    usr/share/doc/qzreishogi/copyright usr/share/doc/qzreishogi/changelog.Debian.gz \
    usr/share/qzreishogi/pictures/KARA_MASU.png "usr/share/qzreishogi/QZ嶺将棋.htm" \
    "usr/share/qzreishogi/駒打音.wav" usr/share/applications/qzreishogi.desktop \
    usr/share/icons/hicolor/48x48/apps/qzreishogi.png \
    usr/share/icons/hicolor/64x64/apps/qzreishogi.png \
    usr/share/icons/hicolor/128x128/apps/qzreishogi.png \
    usr/share/icons/hicolor/256x256/apps/qzreishogi.png \
    usr/share/icons/hicolor/scalable/apps/qzreishogi.svg \
    usr/share/metainfo/io.github.qzreishogi.metainfo.xml \
    usr/share/man/man6/qzreishogi.6.gz usr/share/man/man1/qzreishogi-cli.1.gz; do
  grep -qx "\./$path" "$work/contents" || fail "package lacks /$path"
done
! grep -q '^\./usr/share/qzreishogi/icons' "$work/contents" || fail "icons among the game's assets"
depends=$(dpkg-deb -f "$deb" Depends)
case $depends in
  *libqt6widgets6*libsdl2-mixer*|*libsdl2-mixer*libqt6widgets6*) ;;
  *) fail "Depends lacks the shared libraries: $depends" ;;
esac

root=$work/root
dpkg -x "$deb" "$root"

# The command-line tool.
"$root/usr/games/qzreishogi-cli" --help | grep -q '^usage: qzreishogi-cli' || fail "cli --help"
rows=$("$root/usr/games/qzreishogi-cli" show --placement 右嶺 | wc -l)
[ "$rows" -ge 10 ] || fail "cli show printed $rows lines"

# The game answers --version without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/usr/games/qzreishogi" --version)
case $version in "qzreishogi (QZ 嶺将棋) "*) ;; *) fail "game --version: $version" ;; esac

# A real start from an empty folder: the game plays in its data folder under
# a fresh home, copies the help page there from the installed assets (marked
# here, so a copy from anywhere else would show), draws its window and quits.
echo "<!-- installed copy -->" >>"$root/usr/share/qzreishogi/QZ嶺将棋.htm"
mkdir -p "$work/home" "$work/empty"
(cd "$work/empty" &&
  env -u QZ_ASSET_DIR -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$work/home" \
    QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy QZ_SCREENSHOT="$work/shot.png" \
    timeout 60 "$root/usr/games/qzreishogi") || fail "the installed game did not start and quit"
data="$work/home/.local/share/qzreishogi"
[ -s "$work/shot.png" ] || fail "no window was drawn"
grep -q "installed copy" "$data/QZ嶺将棋.htm" || fail "help page not taken from the installed assets"
[ -f "$data/QZ嶺将棋.ini" ] || fail "no settings file in the data folder"
[ -f "$data/BGM.wav" ] || fail "no wave files in the data folder"

# The changelog is the one of this version.
zcat "$root/usr/share/doc/qzreishogi/changelog.Debian.gz" | head -1 |
  grep -q "^qzreishogi ($(dpkg-deb -f "$deb" Version)) " || fail "changelog of another version"

# Debian's own checks: no error and no warning (README: the information
# tags that stay). Without lintian the test cannot vouch for the package.
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps.sh)"
lintian --pedantic --display-info --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian"; }
grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian reports errors or warnings"
grep -E '^[IP]: ' "$work/lintian.log" || true

if command -v appstreamcli >/dev/null; then
  appstreamcli validate --pedantic --no-net \
    "$root/usr/share/metainfo/io.github.qzreishogi.metainfo.xml" || fail "metainfo"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/qzreishogi.desktop" || fail "desktop entry"
fi
echo "package ok"
