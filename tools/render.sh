#!/usr/bin/env bash
# The main job: installs what is missing, builds the plug-in and the reference renderer, and
# renders the built-in scene to out/vantrel.exr (every result field) and out/vantrel.png (the
# thickness map). Extra arguments go to the renderer (see renderer/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

cmake --preset linux >/dev/null
cmake --build --preset linux --parallel "${VANTREL_JOBS:-2}" --target vantrel-render

mkdir -p out
build/linux/renderer/vantrel-render --exr out/vantrel.exr --png out/vantrel.png "$@"
