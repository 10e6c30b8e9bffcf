#!/usr/bin/env bash
# Builds the Debian package build/package/englishdictionary_<version>_<arch>.deb
# from the tree: the program, the tools and the default data folder with
# every pronunciation, then checks it with lintian. Run as root on a fresh
# Debian 12 it installs what is missing first.
#
# DICT_PACKAGE_VERSION overrides the package's version and
# DICT_EXTRA_WORD_LISTS (tab-separated word lists, ;-separated) are built
# into its base dictionary beside FreeDict; both are read on every run, so a
# run without them builds the package of the tree again.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
PACKAGES+=(dpkg-dev fakeroot lintian file)
install_missing_packages

PACKAGE_BUILD="$BUILD/package"
default_version="$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "$REPO/CMakeLists.txt")"
version="${DICT_PACKAGE_VERSION:-$default_version}"

# Debian's build flags (hardening, no file paths of this machine in the
# binaries), without debugging information: the package ships stripped files.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CFLAGS CXXFLAGS LDFLAGS

# shellcheck disable=SC2046
cmake -S "$REPO" -B "$PACKAGE_BUILD" -DCMAKE_BUILD_TYPE=Release $(compiler_launcher) \
    -DCMAKE_C_FLAGS="$CFLAGS" -DCMAKE_CXX_FLAGS="$CXXFLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" -DCMAKE_SHARED_LINKER_FLAGS="$LDFLAGS" \
    -DCMAKE_INSTALL_PREFIX=/usr -DDICT_BUILD_TESTS=OFF -DDICT_BUILD_BENCHMARKS=OFF \
    -DDICT_PRONUNCIATIONS=ON -DDICT_PACKAGE_VERSION="$version" \
    -DDICT_EXTRA_WORD_LISTS="${DICT_EXTRA_WORD_LISTS:-}" >/dev/null
cmake --build "$PACKAGE_BUILD" -j"$(nproc)"

# The dependencies of the shared libraries the installed ELF files link.
shlibs_dir="$(mktemp -d)"
trap 'rm -rf "$shlibs_dir"' EXIT
mkdir "$shlibs_dir/debian"
printf 'Source: englishdictionary\n\nPackage: englishdictionary\nArchitecture: any\n' \
    >"$shlibs_dir/debian/control"
shlibs="$(cd "$shlibs_dir" && dpkg-shlibdeps -O -e"$PACKAGE_BUILD/bin/englishdictionary" \
    -e"$PACKAGE_BUILD/bin/libmpegdll.so" -e"$PACKAGE_BUILD/bin/libprogresswindow.so" \
    -e"$PACKAGE_BUILD/tools/dictool/dictool" \
    -e"$PACKAGE_BUILD/tools/wavegen/wavegen" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')"
echo "Depends from the linked libraries: $shlibs"
cmake "$PACKAGE_BUILD" -DDICT_SHLIBS_DEPENDS="$shlibs" >/dev/null

(cd "$PACKAGE_BUILD" && cpack -G DEB >/dev/null)
deb="$(ls "$PACKAGE_BUILD"/englishdictionary_"$version"_*.deb)"
echo "Built $deb"
# Findings that stay are explained in packaging/lintian-overrides.
lintian --info --display-info "$deb"
