#!/usr/bin/env bash
# Installs the dependencies, builds the plug-in in Release and installs the VST3 bundle into
# ~/.vst3, where Linux hosts look for it, and the folders it keeps its settings and presets in
# under /opt/Korvanth. The standalone application is built beside it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DQUILLMONT_BUILD_TESTS=OFF -DQUILLMONT_BUILD_BENCHMARKS=OFF
cmake --build build/release --target TheQuillmont_VST3 TheQuillmont_Standalone

bundle="build/release/TheQuillmont_artefacts/Release/VST3/The Quillmont.vst3"
mkdir -p "$HOME/.vst3"
rm -rf "$HOME/.vst3/The Quillmont.vst3"
cp -R "$bundle" "$HOME/.vst3/"
echo "Installed $HOME/.vst3/The Quillmont.vst3"

bash scripts/create-folders.sh
echo "Settings and presets folders: /opt/Korvanth"
echo "Standalone: build/release/TheQuillmont_artefacts/Release/Standalone/The Quillmont"
