#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 and uses it as two
# ordinary users would. Run as root after scripts/package.sh:
#
#   bash scripts/install-check.sh [PACKAGE.deb]
#
# A minimal Debian 12 made by debootstrap is kept in build/install-check/bookworm-base
# (made once); every run copies it to build/install-check/root, installs the
# package there with apt-get, and inside it:
#   1. starts the program as user1 through the menu entry's Exec line under
#      Xvfb and takes a screenshot (shots/1-first-start.png);
#   2. runs dictool as user1 on the shared data folder.
# When the installed program keeps each user's state in
# ~/.local/share/englishdictionary (it writes its settings there on closing),
# it goes on:
#   3. user1 adds a word of their own and saves a study list;
#   4. user2 does not find that word;
#   5. the package is built again with a changed base dictionary and a higher
#      version, and installed over the first;
#   6. user1 still finds the word.
# Screenshots of each step are written to build/install-check/shots.
#
# DICT_CHECK_CHANGED_DEB names an already built changed package for step 5
# (a package.sh run with DICT_PACKAGE_VERSION and DICT_EXTRA_WORD_LISTS), so
# that the sessions can be run again without building it once more; without
# it step 5 builds the changed package.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
if [ "$(id -u)" -ne 0 ]; then
    echo "The check makes a chroot and mounts into it; run it as root." >&2
    exit 1
fi
PACKAGES=(debootstrap)
install_missing_packages

CHECK="$BUILD/install-check"
BASE="$CHECK/bookworm-base"
ROOT="$CHECK/root"
SHOTS="$CHECK/shots"
MIRROR="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
WORD="zyxomantic"
TRANSLATION="проба"

# The tree's own package: step 5 leaves a changed one beside it.
tree_version="$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "$REPO/CMakeLists.txt")"
deb="${1:-$(ls "$BUILD"/package/englishdictionary_"$tree_version"_*.deb 2>/dev/null | head -n 1)}"
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
    echo "No package to check: build one with scripts/package.sh first." >&2
    exit 1
fi
deb="$(realpath "$deb")"

step() { printf '\n== %s\n' "$*"; }
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ ! -f "$BASE/.debootstrap-complete" ]; then
    step "Making a minimal Debian 12 in $BASE (once)"
    rm -rf "$BASE"
    debootstrap --variant=minbase bookworm "$BASE" "$MIRROR" >"$CHECK/debootstrap.log"
    touch "$BASE/.debootstrap-complete"
fi

unmount_all() {
    for mount in "$ROOT/dev/pts" "$ROOT/dev" "$ROOT/proc" "$ROOT/sys"; do
        if mountpoint -q "$mount"; then umount -l "$mount"; fi
    done
}
trap unmount_all EXIT
unmount_all
step "A fresh copy of it in $ROOT"
rm -rf "$ROOT" "$SHOTS"
cp -a "$BASE" "$ROOT"
mkdir -p "$SHOTS"
mount -t proc proc "$ROOT/proc"
mount -t sysfs sys "$ROOT/sys"
mount --bind /dev "$ROOT/dev"
mount --bind /dev/pts "$ROOT/dev/pts"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"

in_root() { chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
# A login-like environment for one user: their home, their own XDG folders.
as_user() {
    local user=$1
    shift
    local uid
    uid="$(in_root id -u "$user")"
    in_root mkdir -p "/run/user/$uid"
    in_root chown "$user:" "/run/user/$uid"
    in_root chmod 700 "/run/user/$uid"
    chroot --userspec="$user:$user" "$ROOT" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 \
        HOME="/home/$user" USER="$user" XDG_RUNTIME_DIR="/run/user/$uid" \
        QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy "$@"
}

install_package() {
    cp "$1" "$ROOT/tmp/"
    in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        "/tmp/$(basename "$1")" >>"$CHECK/apt.log" 2>&1 ||
        fail "apt-get install of $(basename "$1") failed; see $CHECK/apt.log"
    in_root dpkg-query -W -f='${Package} ${Version} ${Status}\n' englishdictionary
}

step "apt-get install ./$(basename "$deb") in the fresh system"
: >"$CHECK/apt.log"
in_root apt-get update -q >>"$CHECK/apt.log" 2>&1
install_package "$deb"
# What the check itself needs to drive and look at the windows; the
# package does not depend on any of it.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    xvfb xauth xdotool x11-apps imagemagick openbox >>"$CHECK/apt.log" 2>&1 ||
    fail "the check's own tools could not be installed; see $CHECK/apt.log"

step "Two ordinary users"
for user in user1 user2; do
    in_root useradd --create-home --shell /bin/bash "$user"
done

ENTRY=/usr/share/applications/example.c_seed_ce85347e.englishdictionary.desktop
exec_line="$(sed -n 's/^Exec=//p' "$ROOT$ENTRY" | head -n 1)"
# The entry's field codes stand for files and addresses; it takes none.
exec_line="$(echo "$exec_line" | sed 's/ *%[fFuUik]//g')"
echo "Exec line: $exec_line"

# One session of a user on a virtual display of their own: the window
# manager, the program started by the Exec line from the user's home, and
# the actions given as a script (run with bash -c inside the chroot, with
# SHOT=<file> naming where its screenshots go).
session() {
    local user=$1 name=$2 actions=$3 status=0
    as_user "$user" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        cd "$HOME"
        openbox >/dev/null 2>&1 &
        sleep 1
        '"$exec_line"' >"$HOME/'"$name"'.log" 2>&1 &
        program=$!
        for _ in $(seq 1 40); do
            window=$(xdotool search --onlyvisible --pid "$program" 2>/dev/null | head -n 1)
            [ -n "$window" ] && break
            sleep 0.5
        done
        sleep 3
        shot() { import -window root "/tmp/'"$name"'-$1.png"; }
        '"$actions"'
        shot last
        # Closing the window as the desktop does lets the program save its
        # settings.
        for window in $(xdotool search --pid "$program" 2>/dev/null); do
            xdotool windowclose "$window" 2>/dev/null || true
        done
        for _ in $(seq 1 20); do kill -0 "$program" 2>/dev/null || break; sleep 0.5; done
        kill "$program" 2>/dev/null || true
        wait "$program" 2>/dev/null || true
    ' || status=$?
    for file in "$ROOT"/tmp/"$name"-*.png; do
        [ -f "$file" ] && mv "$file" "$SHOTS/$(basename "$file")"
    done
    echo "--- the program's output ($name):"
    cat "$ROOT/home/$user/$name.log" 2>/dev/null || true
    return "$status"
}

step "1. user1 starts the program through the menu entry's Exec line"
session user1 1-first-start 'shot window'
echo "Screenshots: $SHOTS/1-first-start-window.png"

step "2. dictool as user1 on the shared data folder"
as_user user1 dictool lookup --dir /usr/share/englishdictionary house | head -n 5 ||
    fail "dictool lookup failed as user1"
as_user user1 dictool verify /usr/share/englishdictionary | tail -n 3 ||
    fail "dictool verify failed as user1"
as_user user1 wavegen --help >/dev/null || fail "wavegen does not run as user1"
# The libraries the program loads when it needs them: everything they link
# came with the package's dependencies.
for library in "$ROOT"/usr/lib/englishdictionary/*.so; do
    if in_root ldd "${library#"$ROOT"}" | grep 'not found'; then
        fail "$(basename "$library") links a library the package does not bring"
    fi
done
if find "$ROOT/usr/share/englishdictionary" -type f -newer "$ROOT/tmp/$(basename "$deb")" | grep -q .; then
    fail "running as user1 changed the shared data folder"
fi

STATE=/home/user1/.local/share/englishdictionary
if [ ! -f "$ROOT$STATE/Dictionary.cfg" ]; then
    step "The installed program keeps no state in $STATE yet: steps 3 to 6 are not run"
    ls -la "$ROOT/home/user1" || true
    exit 0
fi

# Types WORD into the search box and presses Enter: a word no head-word
# begins with opens the new-word dialog (a window titled " ").
type_and_enter='
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers ctrl+a BackSpace
    xdotool type --delay 80 "'"$WORD"'"
    xdotool key Return
    sleep 2
'
new_word_dialog_open='xdotool search --onlyvisible --name "^ $" 2>/dev/null | head -n 1'

step "3. user1 adds \"$WORD\" and saves a study list"
session user1 3-add-word "$type_and_enter"'
    dialog=$('"$new_word_dialog_open"')
    [ -n "$dialog" ] || { echo "no new-word dialog opened"; exit 1; }
    shot dialog
    # The dialog has a fixed size and its controls fixed places: the
    # article editor below the word, "Запис" at the top of the right column.
    xdotool mousemove --window "$dialog" 60 120 click 1
    xdotool type --delay 80 "'"$TRANSLATION"'"
    shot typed
    xdotool mousemove --window "$dialog" 351 52 click 1
    sleep 2
    [ -z "$('"$new_word_dialog_open"')" ] || { echo "the new-word dialog stayed open"; exit 1; }
    shot saved
    # The word goes into the study list by the add button of the bar under
    # the article, and the list is saved by the save button of the right
    # column. Both keep their places from the window'"'"'s bottom edge, whatever
    # the height of the menu bar above them.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --window "$window" 279 $((HEIGHT - 20)) click 1
    sleep 1
    shot added
    xdotool mousemove --window "$window" 574 $((HEIGHT - 81)) click 1
    sleep 2
    shot save-dialog
    xdotool type --delay 50 "$HOME/my-words"
    xdotool key Return
    sleep 2
    shot list-saved
' || fail "user1 could not add the word"
ls -laR "$ROOT$STATE"
[ -f "$ROOT/home/user1/my-words" ] || fail "the study list was not saved"
grep -q "^$WORD"$'\r'"\$" "$ROOT/home/user1/my-words" || fail "the saved study list does not hold $WORD"
grep -rlq "$WORD" "$ROOT$STATE" || fail "user1's state folder does not hold $WORD"
if grep -rlq "$WORD" "$ROOT/usr/share/englishdictionary"; then
    fail "user1's word was written into the shared data folder"
fi

step "4. user2 does not find it"
session user2 4-other-user "$type_and_enter"'
    dialog=$('"$new_word_dialog_open"')
    shot typed
    [ -n "$dialog" ] || { echo "user2 found the word of user1"; exit 1; }
    xdotool key Escape
' || fail "user2 sees user1's word"
if grep -rlq "$WORD" "$ROOT/home/user2"; then
    fail "user2's home holds user1's word"
fi

step "5. The package built again with a changed base dictionary, and upgraded"
changed="$CHECK/changed-words.tsv"
# Head-words that sort before and around the user's word, so that the base
# indexes move under it.
printf '%s\t%s\t%s\n' "aaberrant" "ˈæbərənt" "отклоняващ се" \
    "zyxoid" "ˈzaɪksɔɪd" "изпитателна дума" >"$changed"
version="$(in_root dpkg-query -W -f='${Version}' englishdictionary)+changed"
changed_deb="${DICT_CHECK_CHANGED_DEB:-}"
if [ -z "$changed_deb" ]; then
    DICT_PACKAGE_VERSION="$version" DICT_EXTRA_WORD_LISTS="$changed" bash "$REPO/scripts/package.sh" ||
        fail "the changed package could not be built"
    changed_deb="$(ls "$BUILD"/package/englishdictionary_"$version"_*.deb)"
fi
install_package "$changed_deb"
as_user user1 dictool lookup --dir /usr/share/englishdictionary aaberrant | grep "отклоняващ" ||
    fail "the upgraded shared dictionary does not hold the changed base words"
# The next package.sh run builds the tree's own package again.

step "6. user1 still finds \"$WORD\""
session user1 6-after-upgrade "$type_and_enter"'
    dialog=$('"$new_word_dialog_open"')
    shot typed
    [ -z "$dialog" ] || { echo "the word is lost after the upgrade"; exit 1; }
' || fail "user1's word is lost after the upgrade"

step "Every step passed; screenshots in $SHOTS"
ls "$SHOTS"
