#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Wendlebox need, when missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    libglfw3-dev libglew-dev libglm-dev nlohmann-json3-dev libtinyobjloader-dev libstb-dev libimgui-dev zlib1g-dev
    libopenal-dev libsndfile1-dev libvorbis-dev libogg-dev libasound2-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth libgl1-mesa-dri xdotool imagemagick
    python3 python3-pil sox fonts-dejavu-core
    clang-14 libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
