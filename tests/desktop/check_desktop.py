#!/usr/bin/env python3
"""Installs the build into a temporary prefix and checks the desktop integration:
the launcher opens .bhc files with qc, and the MIME type matches the extension
and the format token."""
import configparser
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

build_dir = sys.argv[1]
NS = {"m": "http://www.freedesktop.org/standards/shared-mime-info"}


def fail(msg):
    print("FAIL:", msg)
    sys.exit(1)


with tempfile.TemporaryDirectory() as prefix:
    # Staged with DESTDIR, as a package build does: nothing outside the temporary folder.
    subprocess.run(["cmake", "--install", build_dir, "--prefix", prefix], check=True,
                   stdout=subprocess.DEVNULL, env=dict(os.environ, DESTDIR=prefix + "/stage"))
    root = prefix + "/stage" + prefix
    expected = [
        "bin/qc",
        "share/applications/qc.desktop",
        "share/mime/packages/qc.xml",
        "share/icons/hicolor/scalable/apps/qc.svg",
        "share/icons/hicolor/scalable/mimetypes/application-x-qc-document.svg",
        "share/qc/install/Sys.ndx",
    ]
    for rel in expected:
        if not os.path.exists(os.path.join(root, rel)):
            fail("not installed: " + rel)

    desktop = configparser.ConfigParser(interpolation=None)
    desktop.optionxform = str
    desktop.read(os.path.join(root, "share/applications/qc.desktop"), encoding="utf-8")
    entry = desktop["Desktop Entry"]
    if entry.get("Type") != "Application":
        fail("desktop entry is not an application")
    if entry.get("Exec", "").split()[:2] != ["qc", "%f"]:
        fail("Exec must run qc with the file: " + entry.get("Exec", ""))
    types = [t for t in entry.get("MimeType", "").split(";") if t]

    tree = ET.parse(os.path.join(root, "share/mime/packages/qc.xml"))
    mime = tree.getroot().find("m:mime-type", NS)
    if mime is None:
        fail("no mime-type in qc.xml")
    if mime.get("type") not in types:
        fail("the launcher does not open " + mime.get("type"))
    globs = [g.get("pattern") for g in mime.findall("m:glob", NS)]
    if "*.bhc" not in globs:
        fail("no *.bhc glob")
    comments = [c.text for c in mime.findall("m:comment", NS)]
    if "Qc Document" not in comments:
        fail("the type is not named Qc Document")
    magic = [m.get("value") for m in mime.iter("{%s}match" % NS["m"])]
    if "$$_QVOR" not in magic:
        fail("no magic for the format token")
print("desktop integration ok")
