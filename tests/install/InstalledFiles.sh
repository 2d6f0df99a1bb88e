# Sourced by the install tests: every file `cmake --install --prefix /usr` puts down for Tovarin,
# one absolute path a line, given the program's desktop id.
installed_files() {
    local id=$1
    cat <<LIST
/usr/bin/tovarin
/usr/share/applications/$id.desktop
/usr/share/metainfo/$id.metainfo.xml
/usr/share/icons/hicolor/32x32/apps/$id.png
/usr/share/icons/hicolor/64x64/apps/$id.png
/usr/share/icons/hicolor/128x128/apps/$id.png
/usr/share/doc/tovarin/copyright
/usr/share/doc/tovarin/changelog.gz
/usr/share/man/man1/tovarin.1.gz
LIST
}

# The tools a test runs, each with the Debian package it comes in; stops the test if one is missing.
require_tools() {
    local tool missing=0
    for tool in "$@"; do
        command -v "${tool%%:*}" >/dev/null || {
            echo "FAIL: ${tool%%:*} is missing (Debian package ${tool#*:}; scripts/install-deps.sh installs it)" >&2
            missing=1
        }
    done
    [ "$missing" -eq 0 ] || exit 1
}

# Whether a text holds anything beyond ASCII, as Japanese text does.
non_ascii() { LC_ALL=C grep -q $'[\x80-\xff]' <<<"$1"; }

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
