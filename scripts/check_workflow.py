#!/usr/bin/env python3
"""Checks .github/workflows/windows.yml, which cannot run here: it parses, a windows-latest job
runs the test binary and vxctl selftest after the Linux job, that job builds with the project's
own commands (the ones the test command runs here), and, given --built, every file it uploads
exists in this checkout's build."""
import argparse
import pathlib
import sys

import yaml

ROOT = pathlib.Path(__file__).resolve().parent.parent
LINUX_COMMANDS = ["bash scripts/setup.sh", "bash scripts/build.sh windows"]


def runs(job):
    return [step.get("run", "") for step in job.get("steps", [])]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--built", action="store_true", help="the windows preset was built here")
    args = parser.parse_args()
    workflow = yaml.safe_load((ROOT / ".github/workflows/windows.yml").read_text(encoding="utf-8"))
    jobs = workflow.get("jobs") or {}
    problems = []

    windows = [name for name, job in jobs.items() if job.get("runs-on") == "windows-latest"]
    if not windows:
        problems.append("no job runs on windows-latest")
    for name in windows:
        commands = "\n".join(runs(jobs[name]))
        for needed in ("vx_tests_win.exe", "vxctl.exe selftest"):
            if needed not in commands:
                problems.append(f"{name} does not run {needed}")
        needs = jobs[name].get("needs", [])
        needs = [needs] if isinstance(needs, str) else needs
        if not needs:
            problems.append(f"{name} needs no build job")
        for build in needs:
            if build not in jobs:
                problems.append(f"{name} needs {build}, which is not a job")
                continue
            commands = [line.strip() for run in runs(jobs[build]) for line in run.splitlines()]
            for command in LINUX_COMMANDS:
                if command not in commands:
                    problems.append(f"{build} does not run `{command}`")
            uploads = [step for step in jobs[build]["steps"] if str(step.get("uses", "")).startswith("actions/upload-artifact")]
            paths = [p.strip() for step in uploads for p in str(step.get("with", {}).get("path", "")).splitlines() if p.strip()]
            for exe in ("vx_tests_win.exe", "vxctl.exe", "Vantorix.exe", "vx_testchild.exe"):
                if not any(p.endswith(exe) for p in paths):
                    problems.append(f"{build} does not upload {exe}")
            if args.built:
                problems += [f"{build} uploads {p}, which the build does not make" for p in paths if not (ROOT / p).is_file()]

    for problem in problems:
        print(f"workflow: {problem}")
    if problems:
        return 1
    print(f"workflow: ok ({', '.join(jobs)})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
