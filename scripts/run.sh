#!/usr/bin/env bash
# Builds everything, builds the default data folder and its pronunciations
# when they are missing or out of date, and starts the program on it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
build_everything
"$BUILD/tools/wavegen/wavegen" "$BUILD/run"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available, so the dictionary window cannot be shown." >&2
    echo "To run it on a virtual display:  xvfb-run -a bash $REPO/scripts/run.sh" >&2
    exit 1
fi
cd "$BUILD/run"
exec "$BUILD/bin/englishdictionary"
