#!/usr/bin/env python3
"""Runs clang-tidy over every source file of ours in a build's compile_commands.json, several files
at a time, and fails when any file has a finding. The checks are those of the .clang-tidy file."""

import argparse
import concurrent.futures
import json
import re
import subprocess
import sys
import time
from pathlib import Path

# A diagnostic starts with "file:line:column: level:"; the lines after it, up to the next one,
# show where it is.
DIAGNOSTIC_START = re.compile(r"^\S+:\d+:\d+: (warning|error): ")


def our_sources(build_dir: Path, source_dir: Path) -> list[str]:
    """The files the build compiles from src/ (the program's own code; the tests, benchmarks and
    fuzz targets are held to the format check alone), each once (a file shared by several
    programs has one entry per program); generated files live in the build folder and are left
    out."""
    entries = json.loads((build_dir / "compile_commands.json").read_text())
    files = []
    for entry in entries:
        path = Path(entry["directory"], entry["file"]).resolve()
        if path.is_relative_to(source_dir / "src") and not path.is_relative_to(build_dir):
            files.append(str(path))
    return sorted(set(files))


def posix_escape(text: str) -> str:
    """text as a literal in clang-tidy's (POSIX extended) regular expressions."""
    return re.sub(r"([.^$|()\[\]*+?{}\\])", r"\\\1", text)


def diagnostics(output: str) -> list[str]:
    """The diagnostics in clang-tidy's output, one text each, notes and source lines included."""
    found = []
    for line in output.splitlines():
        if DIAGNOSTIC_START.match(line):
            found.append(line)
        elif found:
            found[-1] += "\n" + line
    return found


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--clang-tidy", default="clang-tidy")
    parser.add_argument("--source-dir", type=Path, required=True)
    parser.add_argument("--build-dir", type=Path, required=True)
    parser.add_argument("--jobs", type=int, default=1)
    args = parser.parse_args()
    source_dir = args.source_dir.resolve()
    build_dir = args.build_dir.resolve()

    if not (build_dir / "compile_commands.json").is_file():
        print(f"{build_dir} has no compile_commands.json: configure it with "
              "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON and a Makefile or Ninja generator")
        return 1
    files = our_sources(build_dir, source_dir)
    if not files:
        print(f"No source files of {source_dir} in {build_dir}/compile_commands.json")
        return 1
    # Headers of ours are checked as the files including them are; Qt's and the libraries' are not,
    # nor the generated ones in the build folder.
    folders = sorted({Path(file).relative_to(source_dir).parts[0] for file in files})
    header_filter = "^" + posix_escape(str(source_dir)) + "/(" + "|".join(map(posix_escape, folders)) + ")/"
    command = [args.clang_tidy, "-p", str(build_dir), "--quiet", "--header-filter=" + header_filter,
               # The build treats warnings as errors; here the compiler's own warnings are the
               # compiler's business, and only the checks' findings count.
               "--extra-arg=-Wno-error"]

    def tidy(file: str) -> subprocess.CompletedProcess:
        return subprocess.run(command + [file], capture_output=True, text=True)

    started = time.monotonic()
    findings: set[str] = set()  # a finding in a header shows once, however many files include it
    failed = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=max(args.jobs, 1)) as pool:
        runs = {pool.submit(tidy, file): file for file in files}
        # Findings show as each file is done, so a long run tells what it has found so far.
        for run in concurrent.futures.as_completed(runs):
            result = run.result()
            found = diagnostics(result.stdout)
            for finding in found:
                if finding not in findings:
                    findings.add(finding)
                    print(finding, flush=True)
            if result.returncode != 0:
                failed.append(runs[run])
                if not found:
                    print(f"{runs[run]}: clang-tidy failed\n{result.stdout}{result.stderr}", flush=True)
    seconds = time.monotonic() - started
    print(f"clang-tidy: {len(files)} files in {seconds:.0f} s with {args.jobs} at a time; "
          f"{len(findings)} findings in {len(failed)} files")
    return 1 if failed or findings else 0


if __name__ == "__main__":
    sys.exit(main())
