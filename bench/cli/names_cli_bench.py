#!/usr/bin/env python3
"""zentrimo-names against the loop an administrator would write with curl and unzip, over one local service.

Installs COUNT names (default 300) from a list with `zentrimo-names install --from`, and the same names
with a shell loop that, for each name, percent-encodes with python3, runs curl for the package address,
curl for the package and unzip (one process per step); prints the total of the loop over ours (goal at least 2) and, for ours, the time
per name over the last tenth against the first tenth (goal near 1: flat). Then saves COUNT names into one
archive with `save --from` and prints the same flatness.
Usage: names_cli_bench.py SERVICE PROGRAM [COUNT]
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SERVICE, PROGRAM = sys.argv[1:3]
COUNT = int(sys.argv[3]) if len(sys.argv) > 3 else 300

def velmora(root):
    names = os.path.join(root, "Velmora", "Speakers", "Ysmerel", "Names")
    os.makedirs(names)
    open(os.path.join(root, "Velmora", "Velmora.exe"), "wb").write(b"MZ")
    return os.path.join(root, "Velmora"), names

def timed_lines(args, env):
    """Runs the program; the time each standard output line arrived, from the start."""
    start = time.perf_counter()
    process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)
    stamps = [time.perf_counter() - start for _ in iter(process.stdout.readline, b"")]
    process.wait()
    return time.perf_counter() - start, stamps

def flatness(stamps):
    steps = [b - a for a, b in zip([0.0] + stamps[:-1], stamps)]
    tenth = max(1, len(steps) // 10)
    first = sorted(steps[1:tenth + 1])[tenth // 2]  # the first name also fetches the catalogue
    last = sorted(steps[-tenth:])[tenth // 2]
    return last / first

LOOP = r'''
set -e
quote() { python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe="/:"))' "$1"; }
while IFS= read -r name; do
  request=$(quote "<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod><op>DLRequest</op><type>name</type><packagename>$name</packagename>")
  reply=$(curl -s "http://$HOST/olvwebservice/default.asmx/ProcessReq?clientXMLString=$request")
  url=$(printf '%s' "$reply" | sed -n 's/.*&lt;url&gt;\(.*\)&lt;\/url&gt;.*/\1/p')
  # The address names the host, then a folder the download leaves out, then the package's path.
  rest=${url#*/}
  curl -s -f -o "$WORK/package.zip" "http://${url%%/*}/$(quote "${rest#*/}")"
  unzip -q -o "$WORK/package.zip" -d "$NAMES"
done < "$LIST"
'''

work = tempfile.mkdtemp(prefix="zentrimo-names-bench.")
try:
    catalog = os.path.join(work, "catalog")
    subprocess.run([SERVICE, "sample", "--catalog", catalog, "--count", str(COUNT)], check=True,
                   capture_output=True)
    names = subprocess.run([SERVICE, "sample", "--list", "--count", str(COUNT)], check=True,
                           capture_output=True).stdout.decode().splitlines()
    listing = os.path.join(work, "list.txt")
    open(listing, "w", encoding="utf-8").write("\n".join(names) + "\n")
    service = subprocess.Popen([SERVICE, "--listen", "127.0.0.1:0", "--catalog", catalog,
                                "--db", os.path.join(work, "requests.db")],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    host = service.stdout.readline().decode().strip().rsplit(" ", 1)[-1]
    env = dict(os.environ, WINEPREFIX=os.path.join(work, "no-prefix"))
    common = ["--service-host", host, "--probe-host", "localhost", "--quiet"]
    try:
        folder, _ = velmora(os.path.join(work, "ours"))
        ours, stamps = timed_lines([PROGRAM, "install", "--from", listing, "--velmora-folder", folder, *common], env)
        _, loop_names = velmora(os.path.join(work, "loop"))
        start = time.perf_counter()
        subprocess.run(["bash", "-c", LOOP], check=True,
                       env=dict(env, HOST=host, WORK=work, NAMES=loop_names, LIST=listing))
        loop = time.perf_counter() - start
        save = os.path.join(work, "stick")
        os.makedirs(save)
        saved, save_stamps = timed_lines([PROGRAM, "save", "--to", save, "--from", listing, *common], env)
    finally:
        service.terminate()
        service.wait()
    print(f"install {len(stamps)} names: zentrimo-names {ours:.2f} s, curl+unzip loop {loop:.2f} s, "
          f"loop/ours {loop / ours:.2f} (goal >= 2)")
    print(f"install: time per name, last tenth over first tenth {flatness(stamps):.2f} (goal near 1)")
    print(f"save {len(save_stamps)} names: {saved:.2f} s; time per name, last tenth over first tenth "
          f"{flatness(save_stamps):.2f} (goal near 1)")
finally:
    shutil.rmtree(work, ignore_errors=True)
