#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
build_everything -DDICT_WERROR=ON
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)"
