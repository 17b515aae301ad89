#!/usr/bin/env bash
# Installs the build into a temporary root and packs it as a Debian package, then checks
# what a desktop and apt get from them: the files, the desktop entry and metainfo as their
# validators see them, and the package's fields and contents. Installs nothing onto this
# machine.
#   install_test.sh BUILD_DIR APP_ID VERSION
set -euo pipefail

build=$1
id=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

checks=0
failures=0
check() {
    local what=$1
    shift
    checks=$((checks + 1))
    if ! "$@"; then
        echo "FAILED: $what" >&2
        failures=$((failures + 1))
    fi
}
# Passes when the command succeeds and, with --silent, prints nothing either: the validators
# print hints and warnings but still exit 0 for them. Shows the output of a failure.
quiet() {
    local silent=false output
    if [ "$1" = --silent ]; then silent=true; shift; fi
    if output=$("$@" 2>&1) && ! { $silent && [ -n "$output" ]; }; then return 0; fi
    printf '%s\n' "$output" >&2
    return 1
}
has_line() { grep -qxF -- "$2" "$1"; }
has_text() { grep -qF -- "$2" "$1"; }
# The regular files under a root, as paths relative to it.
files_under() { (cd "$1" && find . -type f | sort); }

echo "Installing into a temporary root"
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share
desktop=$share/applications/$id.desktop
metainfo=$share/metainfo/$id.metainfo.xml

check "the program is installed" test -x "$root/usr/bin/pelio"
check "the licence is where Debian looks" test -f "$share/doc/pelio/copyright"
check "the icon files the build wrote are in the icon theme" \
    diff -r "$build/data/hicolor" "$share/icons/hicolor"

check "desktop-file-validate accepts the desktop entry" \
    quiet --silent desktop-file-validate "$desktop"
check "the entry starts the installed program" has_line "$desktop" "Exec=pelio"
check "the entry names the installed icon" has_line "$desktop" "Icon=$id"
check "the entry matches the windows' class" has_line "$desktop" "StartupWMClass=Pelio"

# Strict: warnings fail too. The one pedantic hint, an upper-case letter in the id, is the
# usual reverse-DNS spelling of an application's name and is accepted.
check "appstreamcli accepts the metainfo with its desktop entry" \
    quiet appstreamcli validate-tree --no-net --strict "$root"
check "the metainfo launches the desktop entry" \
    has_text "$metainfo" "<launchable type=\"desktop-id\">$id.desktop</launchable>"

echo "Building the Debian package"
check "cpack builds the package" \
    quiet cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package"
deb=$work/package/pelio_${version}_$(dpkg --print-architecture).deb
check "the package is named pelio_${version}_<arch>.deb" test -f "$deb"
if [ -f "$deb" ]; then
    # The first package of each dependency, without its version.
    dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{ print $1 }' > "$work/depends"
    check "dpkg-shlibdeps found the toolkit" has_line "$work/depends" libqt6widgets6
    check "the package brings a Japanese font" has_line "$work/depends" fonts-ipafont-gothic
    check "the package brings the toolkit's Japanese texts" has_line "$work/depends" qt6-translations-l10n

    dpkg-deb -x "$deb" "$work/unpacked"
    check "the package holds exactly what the install puts" \
        diff <(files_under "$root") <(files_under "$work/unpacked")
    check "the packaged program is stripped" \
        bash -c '! file -b "$1" | grep -q "not stripped"' _ "$work/unpacked/usr/bin/pelio"
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
