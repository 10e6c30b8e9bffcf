#!/bin/sh
# Checks of what `cmake --install` lays out below DESTDIR/usr, one check a
# run: check-install.sh CHECK DESTDIR APP_ID [BUILD_DIR]. A check whose tool
# is missing says so and exits 77, which ctest counts as skipped.
set -eu
check=$1
destdir=$2
app_id=$3
prefix="$destdir/usr"
data="$prefix/share/englishdictionary"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

need_tool() {
    if ! command -v "$1" >/dev/null 2>&1; then
        echo "SKIP: $1 is not installed (package $2)"
        exit 77
    fi
}

case "$check" in
install)
    build=$4
    rm -rf "$destdir"
    DESTDIR="$destdir" cmake --install "$build" --prefix /usr >/dev/null
    ;;

layout)
    for program in englishdictionary dictool wavegen; do
        [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
    done
    [ -f "$prefix/lib/englishdictionary/libmpegdll.so" ] ||
        fail "lib/englishdictionary/libmpegdll.so is missing"
    [ -f "$prefix/lib/englishdictionary/libprogresswindow.so" ] ||
        fail "lib/englishdictionary/libprogresswindow.so is missing"
    for file in SOURCES.txt eg/base_a.dak bg/base_32.dak forms/wordforms.dat \
        forms/frequency.dat wave/EnglishFree rtf/bg.rtf rtf/eng.rtf rtf/trans.rtf trans/1.mp3 \
        trans/48.mp3 hlp/help.htm hlp/metod6e.htm Record1.bmp Stop2.bmp Start1.bmp a.bmp \
        da.wav ne.wav; do
        [ -s "$data/$file" ] || fail "share/englishdictionary/$file is missing or empty"
    done
    # Read-only for everyone but the installer, and nothing of a user's state.
    writable="$(find "$data" -perm /022 | head -n 3)"
    [ -z "$writable" ] || fail "writable by group or others: $writable"
    state="$(find "$data" \( -name Dictionary.cfg -o -name '*.tmp' -o -name 'user_*.ref' \
        -o -name manifest.txt \) | head -n 3)"
    [ -z "$state" ] || fail "state or build leftovers in the data folder: $state"
    [ -f "$prefix/share/applications/$app_id.desktop" ] || fail "the menu entry is missing"
    [ -f "$prefix/share/metainfo/$app_id.metainfo.xml" ] || fail "the metainfo is missing"
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "the SVG icon is missing"
    for size in 16 22 24 32 48 64 128 256; do
        png="$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png"
        if [ ! -f "$png" ]; then
            fail "the ${size}px icon is missing"
        elif command -v file >/dev/null 2>&1 &&
            ! file "$png" | grep -q "PNG image data, $size x $size"; then
            fail "the ${size}px icon is not a $size x $size PNG: $(file -b "$png")"
        fi
    done
    for page in englishdictionary dictool wavegen; do
        [ -f "$prefix/share/man/man1/$page.1.gz" ] || fail "man1/$page.1.gz is missing"
    done
    for file in copyright changelog.gz; do
        [ -f "$prefix/share/doc/englishdictionary/$file" ] || fail "doc/englishdictionary/$file is missing"
    done
    [ -f "$prefix/share/lintian/overrides/englishdictionary" ] ||
        fail "lintian/overrides/englishdictionary is missing"
    ;;

rpath)
    need_tool readelf binutils
    program="$prefix/bin/englishdictionary"
    # The program loads the MP3 library by its bare name; the run path,
    # relative to the executable, is where the loader finds it.
    runpath="$(readelf -d "$program" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p')"
    [ "$runpath" = '$ORIGIN/../lib/englishdictionary' ] ||
        fail "the program's run path is '$runpath', not \$ORIGIN/../lib/englishdictionary"
    [ -f "$(dirname "$program")/../lib/englishdictionary/libmpegdll.so" ] ||
        fail "no libmpegdll.so where the run path points"
    for tool in dictool wavegen; do
        if readelf -d "$prefix/bin/$tool" | grep -q 'R\(UN\)\{0,1\}PATH'; then
            fail "$tool has a run path; it needs none"
        fi
    done
    if readelf -d "$prefix/bin/englishdictionary" | grep NEEDED | grep -q mpegdll; then
        fail "the program links the MP3 library instead of loading it"
    fi
    ;;

desktop)
    need_tool desktop-file-validate desktop-file-utils
    entry="$prefix/share/applications/$app_id.desktop"
    # Hints are advice; errors and warnings are findings.
    if ! report="$(desktop-file-validate "$entry" 2>&1)" ||
        echo "$report" | grep -E -q '(error|warning):'; then
        fail "desktop-file-validate: $report"
    fi
    for category in Education Dictionary; do
        grep -q "^Categories=.*\b$category;" "$entry" || fail "no category $category"
    done
    for key in Name Comment; do
        grep -q "^$key=" "$entry" || fail "no English $key"
        grep -q "^$key\[bg\]=" "$entry" || fail "no Bulgarian $key"
    done
    command="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
    [ -x "$prefix/bin/$command" ] || fail "Exec names '$command', which is not installed in bin/"
    icon="$(sed -n 's/^Icon=//p' "$entry")"
    [ "$icon" = "$app_id" ] || fail "Icon is '$icon', not the program's id"
    ;;

metainfo)
    need_tool appstreamcli appstream
    metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
    # The id's reverse domain has a top-level domain the validator does not
    # know; that is its only note, and no more than a note.
    if ! report="$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1)"; then
        fail "appstreamcli validate: $report"
    fi
    if echo "$report" | grep -E '^[EW]:' >/dev/null; then
        fail "appstreamcli validate: $report"
    fi
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch the menu entry"
    for shot in main-window exercise pronunciation-key; do
        grep -q "/doc/screenshots/$shot.png</image>" "$metainfo" || fail "no screenshot $shot.png"
    done
    ;;

man)
    need_tool man man-db
    for page in englishdictionary dictool wavegen; do
        file="$prefix/share/man/man1/$page.1.gz"
        warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)"
        [ -z "$warnings" ] || fail "$page.1: $warnings"
        text="$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null)"
        for expected in NAME SYNOPSIS DESCRIPTION FILES /usr/share/englishdictionary/ \
            '~/.local/share/englishdictionary/'; do
            printf '%s\n' "$text" | grep -q -F -- "$expected" ||
                fail "$page.1 renders without '$expected'"
        done
    done
    ;;

*)
    echo "unknown check '$check'" >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ]
