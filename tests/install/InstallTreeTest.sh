#!/usr/bin/env bash
# Installs Tovarin as it would go under /usr, into a folder of the build tree, and checks that
# exactly the program's files arrive, that the desktop's own validators accept its menu entry and
# AppStream metainfo, and that these name each other, the executable and the icon consistently.
#
#   InstallTreeTest.sh BUILD_DIR WORK_DIR APP_ID VERSION
set -euo pipefail
build=$1 work=$2 id=$3 version=$4
source "$(dirname "$0")/InstalledFiles.sh"
require_tools cmake:cmake desktop-file-validate:desktop-file-utils appstreamcli:appstream file:file

rm -rf "$work"
mkdir -p "$work"
root=$work/root
if ! DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    exit 1
fi

# Exactly the program's files: no build tool, library or header comes along.
actual=$(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\.||' | sort)
expected=$(installed_files "$id" | sort)
[ "$actual" = "$expected" ] \
    || fail "installed files differ from the expected ones:"$'\n'"$(diff <(echo "$expected") <(echo "$actual") || true)"

desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] && [ -f "$metainfo" ] || { echo "FAIL: no desktop entry or metainfo to check" >&2; exit 1; }

# desktop-file-validate exits 0 on warnings and hints, so any output at all counts as a fault.
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net --strict "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
# The tree as a whole, as a software centre reads it.
out=$(appstreamcli validate-tree --no-net --strict "$root" 2>&1) || fail "appstreamcli validate-tree: $out"

entry() { awk -v key="$1" 'index($0, key "=") == 1 { print substr($0, length(key) + 2) }' "$desktop"; }

# The menu entry starts the installed executable in a window and shows the installed icon.
exec_line=$(entry Exec)
[ "${exec_line%% *}" = tovarin ] || fail "Exec=$exec_line does not start tovarin"
[ -x "$root/usr/bin/tovarin" ] || fail "usr/bin/tovarin is not an executable"
[ "$(entry Terminal)" = false ] || fail "Terminal=$(entry Terminal), should be false"
[ "$(entry Icon)" = "$id" ] || fail "Icon=$(entry Icon), should be the program's id $id"
[[ ";$(entry Categories)" == *";Education;"* ]] || fail "Categories=$(entry Categories) lacks Education"
for key in 'Name[ja]' 'Comment[ja]'; do
    value=$(entry "$key")
    non_ascii "$value" || fail "$key='$value' is not Japanese"
done
[ -n "$(entry Comment)" ] || fail "no Comment for other languages"

# Each icon is a PNG of the size its hicolor folder promises.
for size in 32 64 128; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$icon" ] || continue # reported by the file list above
    [[ "$(file -b "$icon")" == "PNG image data, $size x $size,"* ]] \
        || fail "${size}x${size} icon is $(file -b "$icon")"
done

# The metainfo describes this very program: its id, its menu entry, its executable, its version.
element() { sed -n "s|.*<$1[^>]*>\([^<]*\)</$1>.*|\1|p" "$metainfo" | head -n 1; }
[ "$(element id)" = "$id" ] || fail "metainfo id '$(element id)' is not $id"
[ "$(element launchable)" = "$id.desktop" ] || fail "metainfo launches '$(element launchable)', not $id.desktop"
[ "$(element binary)" = tovarin ] || fail "metainfo provides binary '$(element binary)', not tovarin"
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}\"" "$metainfo" \
    || fail "metainfo has no dated release $version"

[ "$failures" -eq 0 ] || exit 1
echo "install tree checked under $root"
