#!/usr/bin/env python3
"""Fails when a tracked .cpp or .h file differs from clang-format's output.

Uses clang-format 14 (tools/install-deps.sh installs it) with the repository's
.clang-format; another version formats differently, so it is refused.
Fix a failure with: clang-format -i FILE

    tools/check-format.py [REPO_DIR]
"""
import pathlib
import shutil
import subprocess
import sys


def clang_format():
    for name in ("clang-format-14", "clang-format"):
        exe = shutil.which(name)
        if exe:
            out = subprocess.run([exe, "--version"], capture_output=True, text=True).stdout
            if "version 14." in out:
                return exe
    return None


def sources(repo):
    try:
        out = subprocess.run(["git", "-C", str(repo), "ls-files", "-z", "*.cpp", "*.h"], capture_output=True,
                             check=True).stdout.decode()
        files = [repo / f for f in out.split("\0") if f]
        if files:
            return files
    except (OSError, subprocess.CalledProcessError):
        pass
    # Not a git checkout: the folders that hold our sources.
    return sorted(p for d in ("src", "tests", "fuzz", "bench", "tools") for p in (repo / d).rglob("*")
                  if p.suffix in (".cpp", ".h"))


def main():
    repo = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    exe = clang_format()
    if not exe:
        print("clang-format 14 is missing: run tools/install-deps.sh")
        return 1
    files = [str(p.relative_to(repo)) for p in sources(repo) if p.exists()]
    # One run over every file: --dry-run names each place that would change.
    run = subprocess.run([exe, "--style=file", "--dry-run", *files], capture_output=True, text=True, cwd=repo)
    bad = sorted({line.split(":")[0] for line in run.stderr.splitlines() if "[-Wclang-format-violations]" in line})
    if run.returncode != 0 and not bad:
        print(run.stderr)
        return 1
    for p in bad:
        print(f"{p}: differs from clang-format (run clang-format -i {p})")
    if bad:
        print(f"{len(bad)} file(s) not formatted")
        return 1
    print("every tracked source is formatted")
    return 0


if __name__ == "__main__":
    sys.exit(main())
