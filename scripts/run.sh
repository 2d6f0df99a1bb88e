#!/usr/bin/env bash
# Builds Tovarin and opens it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
# Without a display Qt would stop with a toolkit error; say what to do instead.
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "tovarin: no display to open its window on (DISPLAY is not set); run it under Xvfb with 'xvfb-run scripts/run.sh', or with 'QT_QPA_PLATFORM=vnc scripts/run.sh' and a VNC viewer on port 5900." >&2
    exit 1
fi
exec build/default/app/tovarin
