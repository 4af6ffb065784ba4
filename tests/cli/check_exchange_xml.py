#!/usr/bin/env python3
"""The exchange XML end to end: qc export-xml of the sample log (and of both
official samples after qc import-xml) validates against DTD 4.00 with xmllint;
a truncated file is refused without writing a log.

    check_exchange_xml.py QC SOURCE_DIR
"""
import pathlib
import shutil
import subprocess
import sys
import tempfile


def run(*args):
    return subprocess.run([str(a) for a in args], capture_output=True)


def main():
    qc, src = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    data = src / "tests" / "data" / "exchange"
    failures = []
    xmllint = shutil.which("xmllint")
    if not xmllint:
        print("xmllint missing (Debian package libxml2-utils)")
        return 1
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        dtd = data / "BED0400.DTD"

        def export_and_validate(log, name):
            out = tmp / f"{name}.XML"
            r = run(qc, "export-xml", log, "-o", out, "--install-dir", src / "data" / "install")
            if r.returncode != 0:
                failures.append(f"{name}: export-xml failed: {r.stderr.decode(errors='replace')}")
                return
            v = run(xmllint, "--noout", "--dtdvalid", dtd, out)
            if v.returncode != 0:
                failures.append(f"{name}: not valid: {v.stderr.decode(errors='replace')[:2000]}")

        export_and_validate(src / "examples" / "sample.bhc", "sample")
        for version in ("0300", "0400"):
            log = tmp / f"imported{version}.bhc"
            r = run(qc, "import-xml", data / f"BED{version}.XML", "-o", log)
            if r.returncode != 0 or not log.exists():
                failures.append(f"import-xml BED{version}.XML failed: {r.stderr.decode(errors='replace')}")
                continue
            export_and_validate(log, f"reexport{version}")

        broken = tmp / "broken.XML"
        broken.write_bytes((data / "BED0400.XML").read_bytes()[:5000])
        target = tmp / "never.bhc"
        r = run(qc, "import-xml", broken, "-o", target)
        if r.returncode == 0 or target.exists() or b"import-xml" not in r.stderr:
            failures.append("a truncated file was not refused cleanly")
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
