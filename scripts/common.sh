# Shared by run.sh and test.sh: install what is missing, then configure and
# build everything. Sourced, not run.
set -euo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$REPO/build"

PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev libsdl2-dev libmpg123-dev libjpeg62-turbo-dev libasound2-dev
    libmspack-dev mscompress zlib1g-dev libsqlite3-dev libzip-dev
    espeak-ng libespeak-ng-dev lame libmp3lame-dev
    dict-freedict-eng-bul
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
    if [ ${#missing[@]} -eq 0 ]; then
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
