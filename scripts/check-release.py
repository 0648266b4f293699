#!/usr/bin/env python3
"""Reads back what release-manifests.py wrote beside the downloads and compares it with the
downloads themselves, one line per problem:
- the SPDX file is SPDX 2.3 JSON with its required fields, names each download (and only those)
  with its SHA-256, and says what built and what is linked into each;
- the winget manifests carry the fields winget requires, and each installer's checksum,
  architecture (from the MSI's summary or the zip's programs), version, product code (from the
  MSI's Property table) and files inside the zip match the download;
- the Scoop manifest's version, checksums, architectures, folder and programs match the zips.
Usage: check-release.py <dist folder>
"""
import glob
import hashlib
import json
import os
import re
import struct
import subprocess
import sys
import zipfile

import yaml

problems = []


def problem(text):
    problems.append(text)


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def msi_properties(msi):
    out = subprocess.run(["msiinfo", "export", msi, "Property"], check=True, capture_output=True, text=True).stdout
    return dict(line.split("\t", 1) for line in out.splitlines() if "\t" in line)


def msi_architecture(msi):
    out = subprocess.run(["msiinfo", "suminfo", msi], check=True, capture_output=True, text=True).stdout
    platform = re.search(r"^Template: ([^;]*);", out, re.M).group(1)
    return {"x64": "x64", "Intel64": "x64", "Arm64": "arm64", "Intel": "x86"}.get(platform, platform)


def zip_architecture(path, program):
    """The machine of a program inside a zip, in winget's words."""
    with zipfile.ZipFile(path) as archive:
        names = [n for n in archive.namelist() if n.endswith("/" + program)]
        if len(names) != 1:
            return f"no single {program}"
        data = archive.read(names[0])
    machine = struct.unpack_from("<H", data, struct.unpack_from("<I", data, 0x3C)[0] + 4)[0]
    return {0x8664: "x64", 0xAA64: "arm64"}.get(machine, hex(machine))


def zip_names(path):
    with zipfile.ZipFile(path) as archive:
        return set(archive.namelist())


SPDX_RELATIONSHIPS = set("""DESCRIBES DESCRIBED_BY CONTAINS CONTAINED_BY DEPENDS_ON DEPENDENCY_OF DEPENDENCY_MANIFEST_OF
    BUILD_DEPENDENCY_OF DEV_DEPENDENCY_OF OPTIONAL_DEPENDENCY_OF PROVIDED_DEPENDENCY_OF TEST_DEPENDENCY_OF
    RUNTIME_DEPENDENCY_OF EXAMPLE_OF GENERATES GENERATED_FROM ANCESTOR_OF DESCENDANT_OF VARIANT_OF DISTRIBUTION_ARTIFACT
    PATCH_FOR PATCH_APPLIED COPY_OF FILE_ADDED FILE_DELETED FILE_MODIFIED EXPANDED_FROM_ARCHIVE DYNAMIC_LINK
    STATIC_LINK DATA_FILE_OF TEST_CASE_OF BUILD_TOOL_OF DEV_TOOL_OF TEST_OF TEST_TOOL_OF DOCUMENTATION_OF
    OPTIONAL_COMPONENT_OF METAFILE_OF PACKAGE_OF AMENDS PREREQUISITE_FOR HAS_PREREQUISITE REQUIREMENT_DESCRIPTION_FOR
    SPECIFICATION_FOR OTHER""".split())
SPDX_ID = re.compile(r"^SPDXRef-[A-Za-z0-9.\-]+$")


def check_spdx(folder, downloads, version):
    files = glob.glob(os.path.join(folder, "*.spdx.json"))
    if len(files) != 1:
        return problem(f"{len(files)} SPDX files, not one")
    with open(files[0]) as f:
        try:
            document = json.load(f)
        except json.JSONDecodeError as error:
            return problem(f"SPDX: not JSON: {error}")
    where = os.path.basename(files[0])
    for key, wanted in (("spdxVersion", "SPDX-2.3"), ("dataLicense", "CC0-1.0"), ("SPDXID", "SPDXRef-DOCUMENT")):
        if document.get(key) != wanted:
            problem(f"{where}: {key} is {document.get(key)!r}, not {wanted}")
    if not document.get("name"):
        problem(f"{where}: no name")
    if not re.match(r"^[a-z][a-z0-9+.-]*://[^#\s]+$", document.get("documentNamespace", "")):
        problem(f"{where}: documentNamespace is no URI without '#'")
    created = document.get("creationInfo", {})
    if not re.match(r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ$", created.get("created", "")):
        problem(f"{where}: creationInfo.created is not a UTC time")
    if not created.get("creators") or not all(re.match(r"^(Tool|Organization|Person): .+", c) for c in created["creators"]):
        problem(f"{where}: creationInfo.creators are missing or unnamed")

    ids = {"SPDXRef-DOCUMENT"}
    by_file = {}
    for package in document.get("packages", []):
        ident = package.get("SPDXID", "")
        if not SPDX_ID.match(ident) or ident in ids:
            problem(f"{where}: package SPDXID {ident!r} is malformed or repeated")
        ids.add(ident)
        for key in ("name", "downloadLocation"):
            if not package.get(key):
                problem(f"{where}: {ident} has no {key}")
        for checksum in package.get("checksums", []):
            if checksum.get("algorithm") != "SHA256" or not re.match(r"^[0-9a-f]{64}$", checksum.get("checksumValue", "")):
                problem(f"{where}: {ident} has a checksum that is no SHA-256 in lower-case hex")
        if "packageFileName" in package:
            by_file.setdefault(package["packageFileName"], []).append(package)
    relations = document.get("relationships", [])
    for relation in relations:
        if relation.get("relationshipType") not in SPDX_RELATIONSHIPS:
            problem(f"{where}: unknown relationship {relation.get('relationshipType')!r}")
        for end in ("spdxElementId", "relatedSpdxElement"):
            if relation.get(end) not in ids:
                problem(f"{where}: a relationship names {relation.get(end)!r}, which is not in the file")

    def related(kind, ident, side):  # the relationships of a kind with ident at one end
        return [r for r in relations if r.get("relationshipType") == kind and r.get(side) == ident]

    for name in sorted(set(by_file) - set(downloads)):
        problem(f"{where}: lists {name}, which is not among the downloads")
    for name, path in sorted(downloads.items()):
        listed = by_file.get(name, [])
        if len(listed) != 1:
            problem(f"{where}: names {name} {len(listed)} times, not once")
            continue
        package = listed[0]
        values = [c.get("checksumValue") for c in package.get("checksums", []) if c.get("algorithm") == "SHA256"]
        if values != [sha256(path)]:
            problem(f"{where}: {name}'s SHA-256 is {values}, the file's is {sha256(path)}")
        if package.get("versionInfo") != version:
            problem(f"{where}: {name} is version {package.get('versionInfo')!r}, not {version}")
        ident = package["SPDXID"]
        if not [r for r in related("DESCRIBES", "SPDXRef-DOCUMENT", "spdxElementId") if r["relatedSpdxElement"] == ident]:
            problem(f"{where}: the document does not describe {name}")
        if not related("BUILD_TOOL_OF", ident, "relatedSpdxElement"):
            problem(f"{where}: nothing is named as the tool that built {name}")
        if not related("STATIC_LINK", ident, "spdxElementId"):
            problem(f"{where}: no library is named as linked into {name}")


WINGET_REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName", "License",
                      "ShortDescription"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers"],
}
WINGET_ARCHITECTURES = {"x86", "x64", "arm", "arm64", "neutral"}
WINGET_TYPES = {"msix", "msi", "appx", "exe", "zip", "inno", "nullsoft", "wix", "burn", "pwa", "portable"}
WINGET_NESTED_TYPES = {"msix", "msi", "appx", "exe", "inno", "nullsoft", "wix", "burn", "portable"}


def check_winget(folder, downloads, version):
    manifests = {}
    for path in sorted(glob.glob(os.path.join(folder, "winget", "*.yaml"))):
        with open(path) as f:
            try:
                manifest = yaml.safe_load(f)
            except yaml.YAMLError as error:
                problem(f"winget/{os.path.basename(path)}: not YAML: {error}")
                continue
        manifests[manifest.get("ManifestType")] = (os.path.basename(path), manifest)
    for kind, required in WINGET_REQUIRED.items():
        if kind not in manifests:
            problem(f"winget: no {kind} manifest")
            continue
        where, manifest = manifests[kind]
        for key in required + ["ManifestType", "ManifestVersion"]:
            if manifest.get(key) in (None, "", []):
                problem(f"winget/{where}: {key} is missing")
        if manifest.get("ManifestVersion") != "1.6.0":
            problem(f"winget/{where}: ManifestVersion is {manifest.get('ManifestVersion')!r}, not 1.6.0")
        if manifest.get("PackageVersion") != version:
            problem(f"winget/{where}: PackageVersion is {manifest.get('PackageVersion')!r}, not {version}")
        if not re.match(r"^[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}){1,7}$",
                        str(manifest.get("PackageIdentifier", ""))):
            problem(f"winget/{where}: PackageIdentifier is not of the form Publisher.Package")
    if len({str(m.get("PackageIdentifier")) for _, m in manifests.values()}) != 1:
        problem("winget: the manifests name different packages")
    if "installer" not in manifests:
        return
    where, manifest = manifests["installer"]
    covered = set()
    for index, installer in enumerate(manifest.get("Installers") or []):
        label = f"winget/{where}: installer {index + 1}"
        for key in ("Architecture", "InstallerUrl", "InstallerSha256"):
            if not installer.get(key):
                problem(f"{label}: {key} is missing")
        kind = installer.get("InstallerType", manifest.get("InstallerType"))
        architecture = installer.get("Architecture")
        if kind not in WINGET_TYPES or architecture not in WINGET_ARCHITECTURES:
            problem(f"{label}: InstallerType {kind!r} or Architecture {architecture!r} is not one winget knows")
        name = str(installer.get("InstallerUrl", "")).rsplit("/", 1)[-1]
        if not str(installer.get("InstallerUrl", "")).startswith("https://") or name not in downloads:
            problem(f"{label}: InstallerUrl {installer.get('InstallerUrl')!r} names no download over https")
            continue
        covered.add(name)
        path = downloads[name]
        if str(installer.get("InstallerSha256", "")).lower() != sha256(path):
            problem(f"{label}: InstallerSha256 is not {name}'s SHA-256")
        if name.endswith(".msi"):
            properties = msi_properties(path)
            if kind != "msi":
                problem(f"{label}: {name} is an MSI, not {kind}")
            if architecture != msi_architecture(path):
                problem(f"{label}: Architecture {architecture}, but {name} is for {msi_architecture(path)}")
            if installer.get("ProductCode") != properties.get("ProductCode"):
                problem(f"{label}: ProductCode {installer.get('ProductCode')} is not {name}'s {properties.get('ProductCode')}")
        else:
            if kind != "zip":
                problem(f"{label}: {name} is a zip, not {kind}")
            if architecture != zip_architecture(path, "Tidewell.exe"):
                problem(f"{label}: Architecture {architecture}, but {name} holds {zip_architecture(path, 'Tidewell.exe')} programs")
            nested = installer.get("NestedInstallerType")
            files = installer.get("NestedInstallerFiles") or []
            if nested not in WINGET_NESTED_TYPES or not files:
                problem(f"{label}: a zip needs NestedInstallerType and NestedInstallerFiles")
            if nested != "portable" and len(files) > 1:
                problem(f"{label}: only a portable nested installer may name several files")
            for entry in files:
                if entry.get("RelativeFilePath", "").replace("\\", "/") not in zip_names(path):
                    problem(f"{label}: {entry.get('RelativeFilePath')!r} is not in {name}")
                if nested == "portable" and not entry.get("PortableCommandAlias"):
                    problem(f"{label}: {entry.get('RelativeFilePath')!r} has no PortableCommandAlias")
    for name in sorted(downloads):
        if (name.endswith(".msi") or name.endswith("-arm64.zip")) and name not in covered:
            problem(f"winget/{where}: no installer for {name}")


def check_scoop(folder, downloads, version):
    path = os.path.join(folder, "scoop", "tidewell.json")
    try:
        with open(path) as f:
            manifest = json.load(f)
    except (OSError, json.JSONDecodeError) as error:
        return problem(f"scoop: {error}")
    if manifest.get("version") != version:
        problem(f"scoop: version is {manifest.get('version')!r}, not {version}")
    for key in ("description", "homepage", "license"):
        if not manifest.get(key):
            problem(f"scoop: {key} is missing")
    architectures = manifest.get("architecture", {})
    for scoop_name, machine in (("64bit", "x64"), ("arm64", "arm64")):
        entry = architectures.get(scoop_name)
        if not entry:
            problem(f"scoop: no {scoop_name} entry")
            continue
        name = str(entry.get("url", "")).rsplit("/", 1)[-1]
        if name not in downloads or not name.endswith(".zip"):
            problem(f"scoop: {scoop_name} url {entry.get('url')!r} names no zip among the downloads")
            continue
        path = downloads[name]
        if entry.get("hash", "").lower() != sha256(path):
            problem(f"scoop: {scoop_name} hash is not {name}'s SHA-256")
        if zip_architecture(path, "Tidewell.exe") != machine:
            problem(f"scoop: {scoop_name} is {name}, which holds {zip_architecture(path, 'Tidewell.exe')} programs")
        top = entry.get("extract_dir", "")
        names = zip_names(path)
        if not top or not all(n.startswith(top + "/") for n in names):
            problem(f"scoop: {scoop_name} extract_dir {top!r} is not the folder {name} holds")
        programs = [b if isinstance(b, str) else b[0] for b in manifest.get("bin", [])]
        programs += [s[0] for s in manifest.get("shortcuts", [])]
        for program in programs or ["(no bin)"]:
            if f"{top}/{program}" not in names:
                problem(f"scoop: {program} is not in {name}'s {top}")


def main(folder):
    downloads = {os.path.basename(p): p for p in glob.glob(os.path.join(folder, "*.zip")) + glob.glob(os.path.join(folder, "*.msi"))}
    msis = [p for n, p in downloads.items() if n.endswith("-x64.msi")]
    if len(msis) != 1:
        sys.exit(f"check-release: {folder} holds {len(msis)} English x64 MSIs, not one")
    version = msi_properties(msis[0]).get("ProductVersion", "")
    for name, path in downloads.items():
        if not name.startswith(f"Tidewell-{version}-"):
            problem(f"{name} is not named by the version {version}")
        if name.endswith(".zip") and not all(n.startswith(f"Tidewell-{version}/") for n in zip_names(path)):
            problem(f"{name} does not hold the one folder Tidewell-{version}")
    check_spdx(folder, downloads, version)
    check_winget(folder, downloads, version)
    check_scoop(folder, downloads, version)
    for line in problems:
        print(f"check-release: {line}", file=sys.stderr)
    if not problems:
        print(f"check-release: {len(downloads)} downloads of {version}: the SPDX file, the winget and Scoop manifests match them")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
