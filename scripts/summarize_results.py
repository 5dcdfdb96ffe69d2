"""Adds up the GoogleTest XML reports and end-to-end logs of one test run into the closing line."""
import glob
import os
import sys
import xml.etree.ElementTree as ET

results, failures_outside = sys.argv[1], int(sys.argv[2])
passed = failed = skipped = 0
for path in sorted(glob.glob(os.path.join(results, "*.xml"))):
    try:
        tree = ET.parse(path)
    except ET.ParseError:
        failed += 1
        continue
    for case in tree.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif case.find("skipped") is not None or case.get("result") == "skipped":
            skipped += 1
        elif case.get("status", "run") == "run":
            passed += 1
for path in sorted(glob.glob(os.path.join(results, "e2e-*.log"))):
    with open(path, encoding="utf-8", errors="replace") as log:
        for line in log:
            if line.startswith("PASS: "):
                passed += 1
            elif line.startswith("FAIL: "):
                failed += 1
failed += failures_outside  # a build or a binary that did not finish counts as a failure
line = f"{passed} passed, {failed} failed"
if skipped:
    line += f", {skipped} skipped"
print(line)
sys.exit(1 if failed or failures_outside else 0)
