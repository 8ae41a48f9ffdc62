#!/usr/bin/python3
"""Checks the package a Director author downloads.

    check-package.py --version 1.0.12 --source ROOT Marlowtide-1.0.12-win32.zip

Unpacks the zip into a temporary folder and checks its file list, its
checksums, its line ends, both PE files (i386, version resource equal to the
project's version; exports and imports as tools/check-win32-binary.sh wants
them) and the reference page. Prints one line per failure and exits 1 if
there was any.
"""
import argparse
import hashlib
import html
import pathlib
import re
import subprocess
import sys
import tempfile
import zipfile

import pefile

# Texts a Windows user opens in Notepad.
CRLF_FILES = ["README.txt", "LICENSE", "docs/lingo.md", "docs/CHANGELOG.md"]


class Check:
    def __init__(self):
        self.failures = []

    def expect(self, condition, text):
        if not condition:
            self.failures.append(text)
        return condition


def file_list(check, found, source):
    wanted = sorted(["Xtras/Marlowtide.x32", "marlowhost.exe", "README.txt", "LICENSE", "SHA256SUMS",
                     "docs/lingo.md", "docs/lingo.html", "docs/CHANGELOG.md"] +
                    ["examples/" + p.name for p in (source / "examples").glob("*.ls")])
    check.expect(found == wanted, f"the files are {found}, not {wanted}")


def checksums(check, folder, found):
    listed = {}
    for line in (folder / "SHA256SUMS").read_text().splitlines():
        match = re.fullmatch(r"([0-9a-f]{64})  (\S+)", line)
        if check.expect(match is not None, f"SHA256SUMS: a line that is no checksum: {line!r}"):
            listed[match.group(2)] = match.group(1)
    others = [name for name in found if name != "SHA256SUMS"]
    check.expect(sorted(listed) == others, f"SHA256SUMS lists {sorted(listed)}, the folder holds {others}")
    for name, digest in listed.items():
        path = folder / name
        if path.is_file():
            check.expect(hashlib.sha256(path.read_bytes()).hexdigest() == digest, f"{name}: its checksum differs")


def line_ends(check, folder):
    for name in CRLF_FILES:
        data = (folder / name).read_bytes()
        check.expect(data.count(b"\n") > 0 and data.count(b"\n") == data.count(b"\r\n"),
                     f"{name}: not CR LF throughout")


def version_strings(pe):
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return strings


def pe_file(check, path, version):
    name = path.name
    pe = pefile.PE(str(path))
    check.expect(pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], f"{name}: not i386")
    numbers = [int(n) for n in version.split(".")] + [0]
    if check.expect(hasattr(pe, "VS_FIXEDFILEINFO"), f"{name}: no version resource"):
        fixed = pe.VS_FIXEDFILEINFO[0]
        for field in ("FileVersion", "ProductVersion"):
            found = [getattr(fixed, field + "MS") >> 16, getattr(fixed, field + "MS") & 0xFFFF,
                     getattr(fixed, field + "LS") >> 16, getattr(fixed, field + "LS") & 0xFFFF]
            check.expect(found == numbers, f"{name}: fixed {field} is {found}, not {numbers}")
    strings = version_strings(pe)
    text = version + ".0"
    for key, wanted in (("FileVersion", text), ("ProductVersion", text), ("ProductName", "Marlowtide"),
                        ("OriginalFilename", name)):
        check.expect(strings.get(key) == wanted, f"{name}: {key} is {strings.get(key)!r}, not {wanted!r}")
    for key in ("FileDescription", "LegalCopyright"):
        check.expect(strings.get(key, "") != "", f"{name}: no {key}")


def exports_and_imports(check, source, paths):
    """The build's own check of the PE files: kind, exports, system imports only."""
    result = subprocess.run([str(source / "tools/check-win32-binary.sh")] + [str(p) for p in paths],
                            capture_output=True, text=True)
    check.expect(result.returncode == 0, f"check-win32-binary.sh: {result.stderr.strip()}")


def reference_page(check, folder):
    markdown = (folder / "docs/lingo.md").read_text()
    page = (folder / "docs/lingo.html").read_text()
    # Every method is the first cell of a row of one of the reference's tables.
    methods = set(re.findall(r"^\| `([A-Za-z]+)\(", markdown, re.M))
    if not check.expect(len(methods) > 0, "docs/lingo.md: no method found"):
        return
    cells = {html.unescape(cell) for cell in re.findall(r"<td><code>([A-Za-z]+)\(", page)}
    check.expect(methods <= cells, f"docs/lingo.html: no table row for {sorted(methods - cells)}")
    # One page that needs nothing beside it, whose links within it lead somewhere.
    links = re.findall(r"""(?:src|href)\s*=\s*["']([^"']*)""", page)
    outside = [link for link in links if not link.startswith("#")]
    check.expect(outside == [], f"docs/lingo.html: refers to {outside}")
    targets = set(re.findall(r"""\bid\s*=\s*["']([^"']*)""", page))
    dead = [link for link in links if link.startswith("#") and link[1:] not in targets]
    check.expect(dead == [], f"docs/lingo.html: links to {dead}, which it does not have")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--version", required=True)
    parser.add_argument("--source", required=True, type=pathlib.Path)
    parser.add_argument("zip", type=pathlib.Path)
    arguments = parser.parse_args()
    check = Check()
    check.expect(arguments.zip.name == f"Marlowtide-{arguments.version}-win32.zip",
                 f"{arguments.zip.name}: not named for version {arguments.version}")
    with tempfile.TemporaryDirectory() as temporary:
        folder = pathlib.Path(temporary)
        with zipfile.ZipFile(arguments.zip) as archive:
            check.expect(archive.testzip() is None, "the zip is damaged")
            archive.extractall(folder)
        found = sorted(str(p.relative_to(folder)) for p in folder.rglob("*") if p.is_file())
        file_list(check, found, arguments.source)
        if not check.failures:
            checksums(check, folder, found)
            line_ends(check, folder)
            programs = [folder / "Xtras/Marlowtide.x32", folder / "marlowhost.exe"]
            for program in programs:
                pe_file(check, program, arguments.version)
            exports_and_imports(check, arguments.source, programs)
            reference_page(check, folder)
    for failure in check.failures:
        print(f"check-package: {failure}")
    if check.failures:
        return 1
    print(f"check-package: {arguments.zip.name}: files, checksums, line ends, version resources "
          f"({arguments.version}.0), imports and the reference page are right")
    return 0


if __name__ == "__main__":
    sys.exit(main())
