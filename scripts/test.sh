#!/usr/bin/env bash
# Builds everything with warnings as errors, builds the fuzz targets, and runs
# every test, the fuzz targets' regression runs included.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
build_everything -DDICT_WERROR=ON
build_fuzz_targets
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)"
