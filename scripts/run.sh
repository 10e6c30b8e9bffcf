#!/usr/bin/env bash
# Builds everything, builds the default data folder when it is missing or the
# builder changed, and starts the program on it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
build_everything
cd "$BUILD/run"
"$BUILD/tools/dictool/dictool" lookup --dir "$BUILD/run" house
