#!/usr/bin/env bash
# Builds the Debian package with CPack into a folder of the build tree and checks its metadata
# and contents with dpkg-deb and lintian. Nothing is installed into the system: the package is
# only read, and unpacked into the same folder to look at its executable.
#
#   DebPackageTest.sh BUILD_DIR WORK_DIR APP_ID VERSION
set -euo pipefail
build=$1 work=$2 id=$3 version=$4
source "$(dirname "$0")/InstalledFiles.sh"
require_tools cpack:cmake dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev file:file readelf:binutils \
    lintian:lintian

rm -rf "$work"
mkdir -p "$work"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    exit 1
fi
# dpkg-shlibdeps says "warning" when it cannot place a library the executable needs.
if grep -i 'warning' "$work/cpack.log" >&2; then fail "cpack warned (above)"; fi

arch=$(dpkg --print-architecture)
deb=$work/tovarin_${version}_${arch}.deb
debs=("$work"/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ "${debs[0]}" = "$deb" ] \
    || { echo "FAIL: expected exactly $deb, cpack wrote: ${debs[*]}" >&2; exit 1; }

echo "== dpkg-deb --info"
dpkg-deb --info "$deb" | tee "$work/info.txt"
field() { dpkg-deb --field "$deb" "$1"; }
check_field() { [ "$(field "$1")" = "$2" ] || fail "$1: '$(field "$1")', expected '$2'"; }
check_field Package tovarin
check_field Version "$version"
check_field Architecture "$arch"
check_field Maintainer 'Tovarin developers <dev@tovarin.invalid>'
check_field Section education
grep -Eq '^ +[0-9]+ bytes, +[0-9]+ lines +md5sums *$' "$work/info.txt" || fail "no md5sums in the control archive"

# Depends: the font named by hand, and the libraries dpkg-shlibdeps found in the executable, each
# with the lowest version it needs.
depends=$(field Depends)
echo "Depends: $depends" >&2
IFS=',' read -ra deps <<<"$depends"
has_dep() {
    local dep
    for dep in "${deps[@]}"; do
        dep=${dep# }
        [[ "$dep" =~ $1 ]] && return 0
    done
    return 1
}
has_dep '^fonts-ipafont-gothic$' || fail "Depends lacks fonts-ipafont-gothic"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
    has_dep "^${lib//+/\\+} \(>= [^)]+\)$" || fail "Depends lacks a versioned $lib from shlibdeps"
done

description=$(field Description)
summary=$(head -n 1 <<<"$description")
[ -n "$summary" ] && [ "${#summary}" -le 80 ] || fail "summary line '$summary' is empty or too long"
[ "$(wc -l <<<"$description")" -ge 3 ] || fail "no long description"
non_ascii "$description" || fail "the long description has no Japanese"

echo "== dpkg-deb --contents"
dpkg-deb --contents "$deb" | tee "$work/contents.txt"
# Columns: mode, owner/group, size, date, time, path.
actual=$(awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' "$work/contents.txt" | sort)
expected=$(installed_files "$id" | sort)
[ "$actual" = "$expected" ] \
    || fail "packaged files differ from the expected ones:"$'\n'"$(diff <(echo "$expected") <(echo "$actual") || true)"
while read -r mode owner _ _ _ path; do
    [ "$owner" = root/root ] || fail "$path is owned by $owner"
    case "$path" in
    ./ | ./usr/*) ;;
    *) fail "$path lies outside /usr" ;;
    esac
    if [[ "$mode" == d* ]]; then want=drwxr-xr-x
    elif [ "$path" = ./usr/bin/tovarin ]; then want=-rwxr-xr-x
    else want=-rw-r--r--; fi
    [ "$mode" = "$want" ] || fail "$path has mode $mode, expected $want"
done <"$work/contents.txt"

# The changelog's latest entry is this version, and the copyright file is machine-readable.
[ "$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/tovarin/changelog.gz | gzip -dc \
    | head -n 1)" = "tovarin ($version) unstable; urgency=medium" ] \
    || fail "the changelog does not begin with an entry for $version"

# Debian's own checker accepts the package with no error and no warning (it says the same as
# root, which it does not recommend, on its standard error).
echo "== lintian"
lintian_status=0
lintian --fail-on error,warning "$deb" >"$work/lintian.txt" 2>"$work/lintian.err" || lintian_status=$?
cat "$work/lintian.txt" "$work/lintian.err"
[ "$lintian_status" -eq 0 ] || fail "lintian exited with $lintian_status"
! grep -E '^[EW]: ' "$work/lintian.txt" >/dev/null || fail "lintian reports errors or warnings (above)"

# Unpacked into the work folder only: a stripped executable with no run path of its own.
dpkg-deb --extract "$deb" "$work/root"
binary=$work/root/usr/bin/tovarin
[[ "$(file -b "$binary")" == *", stripped"* ]] || fail "the executable is not stripped: $(file -b "$binary")"
! readelf -d "$binary" | grep -E 'RPATH|RUNPATH' >&2 || fail "the executable carries a run path"

[ "$failures" -eq 0 ] || exit 1
echo "$deb checked"
