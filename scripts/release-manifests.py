#!/usr/bin/env python3
"""Writes, beside the downloads of make dist, what describes them:
- Tidewell-<version>.spdx.json: the bill of materials (SPDX 2.3): each download with its SHA-256,
  the tools that built it with their exact versions, and the libraries linked into its programs;
- winget/: the winget manifests (schema 1.6: version, default locale, installer);
- scoop/tidewell.json: the Scoop manifest of the two zips.
The downloads' address is TIDEWELL_RELEASE_URL ({version} stands for the version), by default
https://tidewell.example.org/releases/<version>/; TIDEWELL_LICENSE names the licence.
Usage: release-manifests.py <dist folder>
"""
import glob
import hashlib
import json
import os
import re
import subprocess
import sys
import time

import yaml

ROOT = os.path.realpath(os.path.join(os.path.dirname(__file__), ".."))
ZIG = os.path.join(ROOT, "build", "toolchains", "zig")
PUBLISHER = "Tidewell developers"
IDENTIFIER = "Tidewell.Tidewell"
DESCRIPTION = "Resident memory utility: tray gauges, memory cleaning, and startup, process, service and cache tools"
LICENSE = os.environ.get("TIDEWELL_LICENSE", "Proprietary")
WINGET_SCHEMA = "1.6.0"


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def msi_property(msi, name):
    for line in run("msiinfo", "export", msi, "Property").splitlines():
        key, _, value = line.partition("\t")
        if key == name:
            return value.strip()
    sys.exit(f"release-manifests: {msi} has no {name}")


def deb(package):
    """(package, version) as dpkg has it installed."""
    return package, run("dpkg-query", "-W", "-f=${Version}", package)


def owner(path):
    """The Debian package a file comes from."""
    return run("dpkg-query", "-S", os.path.realpath(path)).split(":")[0]


def gcc_file(name):
    return run("x86_64-w64-mingw32-g++-posix", f"-print-file-name={name}").strip()


def zig_pin():
    """The Zig package as scripts/install-deps.sh pins it: name, version, tarball SHA-256."""
    with open(os.path.join(ROOT, "scripts", "install-deps.sh")) as f:
        text = f.read()
    return [re.search(rf"^{key}=(\S+)$", text, re.M).group(1) for key in ("zig_package", "zig_version", "zig_sha256")]


def zig_sources_version(relative, pattern):
    """A version written in the sources Zig builds its runtime from (first match of a pattern)."""
    with open(os.path.join(ZIG, "lib", relative)) as f:
        return re.search(pattern, f.read(), re.M).groups()


def main(folder):
    folder = os.path.realpath(folder)
    zips = glob.glob(os.path.join(folder, "Tidewell-*-win64.zip"))
    if len(zips) != 1:
        sys.exit(f"release-manifests: {folder} holds {len(zips)} x64 zips, not one")
    version = os.path.basename(zips[0])[len("Tidewell-"):-len("-win64.zip")]
    url = os.environ.get("TIDEWELL_RELEASE_URL", "https://tidewell.example.org/releases/{version}/")
    url = url.replace("{version}", version).rstrip("/") + "/"
    name = f"Tidewell-{version}"
    downloads = {kind: os.path.join(folder, f"{name}-{kind}") for kind in
                 ("win64.zip", "arm64.zip", "x64.msi")}
    missing = [path for path in downloads.values() if not os.path.isfile(path)]
    if missing:
        sys.exit(f"release-manifests: missing {', '.join(missing)}")
    checksums = {kind: sha256(path) for kind, path in downloads.items()}
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH") or run("git", "-C", ROOT, "log", "-1", "--format=%ct"))

    write_spdx(folder, name, version, url, downloads, checksums, epoch)
    write_winget(folder, version, url, downloads, checksums)
    write_scoop(folder, version, url, downloads, checksums)


def write_spdx(folder, name, version, url, downloads, checksums, epoch):
    packages, relationships = [], []

    def package(ident, title, package_version, **fields):
        packages.append({"SPDXID": f"SPDXRef-{ident}", "name": title, "versionInfo": package_version,
                         "downloadLocation": fields.pop("downloadLocation", "NOASSERTION"),
                         "filesAnalyzed": False, "licenseConcluded": "NOASSERTION",
                         "licenseDeclared": "NOASSERTION", "copyrightText": "NOASSERTION", **fields})
        return f"SPDXRef-{ident}"

    def relate(a, kind, b):
        relationships.append({"spdxElementId": a, "relationshipType": kind, "relatedSpdxElement": b})

    def debian(ident, package_name, summary):
        package_name, package_version = deb(package_name)
        return package(ident, package_name, package_version, supplier="Organization: Debian", summary=summary,
                       externalRefs=[{"referenceCategory": "PACKAGE-MANAGER", "referenceType": "purl",
                                      "referenceLocator": f"pkg:deb/debian/{package_name}@{package_version}?arch=amd64"}])

    shipped = {}
    for kind, path in downloads.items():
        ident = package("Download-" + re.sub(r"[^A-Za-z0-9]", "-", kind), os.path.basename(path), version,
                        packageFileName=os.path.basename(path), downloadLocation=url + os.path.basename(path),
                        supplier=f"Organization: {PUBLISHER}",
                        primaryPackagePurpose="INSTALL" if path.endswith(".msi") else "ARCHIVE",
                        checksums=[{"algorithm": "SHA256", "checksumValue": checksums[kind]}])
        relate("SPDXRef-DOCUMENT", "DESCRIBES", ident)
        shipped[kind] = ident
    gcc_built = [shipped["win64.zip"], shipped["x64.msi"]]
    clang_built = [shipped["arm64.zip"]]

    # The tools: the GCC tree builds the x64 programs, Zig's clang the ARM64 ones; the texts, sound
    # and help of every download are the GCC tree's.
    tools = [
        (debian("gxx", "g++-mingw-w64-x86-64-posix", "MinGW-w64 GCC C++ compiler (x64 programs)"), gcc_built),
        (debian("gcc", "gcc-mingw-w64-x86-64-posix", "MinGW-w64 GCC C compiler"), gcc_built),
        (debian("binutils", "binutils-mingw-w64-x86-64", "GNU ld and windres for MinGW-w64 (x64)"), gcc_built),
        (debian("llvm", "llvm-14", "llvm-windres-14 (ARM64 resources)"), clang_built),
        (debian("chmcmd", owner("/usr/bin/chmcmd"), "chmcmd, the help compiler"), gcc_built + clang_built),
        (debian("wixl", "wixl", "wixl, the MSI builder"), gcc_built[1:]),
        (debian("msitools", "msitools", "msibuild, which names the MSI's package code"), gcc_built[1:]),
        (debian("faketime", "faketime", "faketime, which stops wixl's clock at the commit's time"), gcc_built[1:]),
        (debian("zip", "zip", "zip"), [shipped["win64.zip"], shipped["arm64.zip"]]),
    ]
    if any("\x05DigitalSignature" in run("msiinfo", "streams", downloads[kind]) for kind in ("x64.msi",)):
        tools.append((debian("osslsigncode", "osslsigncode", "osslsigncode, the Authenticode signer"), list(shipped.values())))
    zig_name, zig_version, zig_sha256 = zig_pin()
    clang = run(os.path.join(ZIG, "zig"), "cc", "--version").splitlines()[0]
    zig = package("zig", zig_name, zig_version, supplier="Organization: npm registry",
                  summary=f"Zig {zig_version}: {clang}, lld, and the runtime sources below",
                  downloadLocation=f"https://registry.npmjs.org/{zig_name}/-/{zig_name.split('/')[-1]}-{zig_version}.tgz",
                  checksums=[{"algorithm": "SHA256", "checksumValue": zig_sha256}],
                  externalRefs=[{"referenceCategory": "PACKAGE-MANAGER", "referenceType": "purl",
                                 "referenceLocator": f"pkg:npm/{zig_name.replace('@', '%40')}@{zig_version}"}])
    tools.append((zig, clang_built))
    for tool, built in tools:
        for download in built:
            relate(tool, "BUILD_TOOL_OF", download)

    # Linked into every program of a download (-static for GCC; Zig links its runtime so).
    gcc_libraries = [
        debian_library(package, "libstdc++", gcc_file("libstdc++.a")),
        debian_library(package, "libgcc", gcc_file("libgcc.a")),
        debian_library(package, "winpthreads", gcc_file("libwinpthread.a")),
        debian_library(package, "mingw-w64-crt", gcc_file("libmingwex.a")),
    ]
    (libcxx,) = zig_sources_version("libcxx/include/__config", r"^#\s*define _LIBCPP_VERSION (\d+)$")
    llvm = f"{int(libcxx) // 10000}.{int(libcxx) // 100 % 100}.{int(libcxx) % 100}"
    mingw = ".".join(zig_sources_version("libc/include/any-windows-any/_mingw_mac.h",
                                         r"^#define __MINGW64_VERSION_MAJOR (\d+)\n#define __MINGW64_VERSION_MINOR (\d+)\n"
                                         r"#define __MINGW64_VERSION_BUGFIX (\d+)"))
    clang_libraries = []
    # LLVM's three runtimes come together: each is given libc++'s _LIBCPP_VERSION.
    for ident, title, library_version, sources in (
            ("libcxx", "libc++", llvm, "lib/libcxx"), ("libcxxabi", "libc++abi", llvm, "lib/libcxxabi"),
            ("libunwind", "libunwind", llvm, "lib/libunwind"), ("zig-mingw", "mingw-w64-crt", mingw, "lib/libc/mingw")):
        library = package(ident, title, library_version, primaryPackagePurpose="LIBRARY",
                          sourceInfo=f"built by Zig {zig_version} from its {sources}")
        relate(zig, "CONTAINS", library)
        clang_libraries.append(library)
    for libraries, built in ((gcc_libraries, gcc_built), (clang_libraries, clang_built)):
        for library in libraries:
            for download in built:
                relate(download, "STATIC_LINK", library)

    document = {
        "spdxVersion": "SPDX-2.3",
        "dataLicense": "CC0-1.0",
        "SPDXID": "SPDXRef-DOCUMENT",
        "name": name,
        "documentNamespace": f"{url}spdx/{name}-{hashlib.sha256(''.join(sorted(checksums.values())).encode()).hexdigest()}",
        "creationInfo": {"created": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(epoch)),
                         "creators": [f"Organization: {PUBLISHER}", "Tool: scripts/release-manifests.py"]},
        "packages": packages,
        "relationships": relationships,
    }
    with open(os.path.join(folder, f"{name}.spdx.json"), "w") as f:
        json.dump(document, f, indent=2)
        f.write("\n")


def debian_library(package, title, path):
    """A static library from a Debian package, named by the package that holds the file."""
    holder, holder_version = deb(owner(path))
    return package(re.sub(r"[^A-Za-z0-9]", "-", title), title, holder_version, primaryPackagePurpose="LIBRARY",
                   supplier="Organization: Debian", sourceInfo=f"{os.path.basename(path)} of Debian package {holder}")


def write_winget(folder, version, url, downloads, checksums):
    out = os.path.join(folder, "winget")
    os.makedirs(out, exist_ok=True)
    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    installers = []
    # One package for every language: the first start takes the Windows display language.
    for kind in ("x64.msi",):
        installers.append({"Architecture": "x64", "InstallerType": "msi",
                           "Scope": "machine", "InstallerUrl": url + os.path.basename(downloads[kind]),
                           "InstallerSha256": checksums[kind].upper(),
                           "ProductCode": msi_property(downloads[kind], "ProductCode")})
    # winget takes a zip with its programs named, and links them onto the PATH (portable).
    top = f"Tidewell-{version}"
    installers.append({"Architecture": "arm64", "InstallerType": "zip", "NestedInstallerType": "portable",
                       "NestedInstallerFiles": [{"RelativeFilePath": f"{top}\\Tidewell.exe", "PortableCommandAlias": "tidewell"},
                                                {"RelativeFilePath": f"{top}\\tidewellc.exe", "PortableCommandAlias": "tidewellc"}],
                       "InstallerUrl": url + os.path.basename(downloads["arm64.zip"]),
                       "InstallerSha256": checksums["arm64.zip"].upper()})
    manifests = {
        f"{IDENTIFIER}.yaml": ("version", {**common, "DefaultLocale": "en-US"}),
        f"{IDENTIFIER}.locale.en-US.yaml": ("defaultLocale", {
            **common, "PackageLocale": "en-US", "Publisher": PUBLISHER, "PackageName": "Tidewell",
            "License": LICENSE, "ShortDescription": DESCRIPTION}),
        f"{IDENTIFIER}.installer.yaml": ("installer", {**common, "UpgradeBehavior": "install", "Installers": installers}),
    }
    for file_name, (kind, fields) in manifests.items():
        with open(os.path.join(out, file_name), "w") as f:
            f.write(f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{WINGET_SCHEMA}.schema.json\n")
            yaml.safe_dump({**fields, "ManifestType": kind, "ManifestVersion": WINGET_SCHEMA}, f,
                           sort_keys=False, allow_unicode=True, width=200)


def write_scoop(folder, version, url, downloads, checksums):
    os.makedirs(os.path.join(folder, "scoop"), exist_ok=True)
    top = f"Tidewell-{version}"
    manifest = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": url.split("/releases/")[0] + "/",
        "license": LICENSE,
        "architecture": {arch: {"url": url + os.path.basename(downloads[kind]), "hash": checksums[kind],
                                "extract_dir": top}
                         for arch, kind in (("64bit", "win64.zip"), ("arm64", "arm64.zip"))},
        "bin": ["Tidewell.exe", "tidewellc.exe"],
        "shortcuts": [["Tidewell.exe", "Tidewell"]],
    }
    with open(os.path.join(folder, "scoop", "tidewell.json"), "w") as f:
        json.dump(manifest, f, indent=2)
        f.write("\n")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
