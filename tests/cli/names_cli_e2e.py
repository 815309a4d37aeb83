#!/usr/bin/env python3
"""zentrimo-names end to end against a real zentrimo-service, on either build.

The same walk for the Linux program and for the Windows one under Wine: a list of names in several
scripts with two names the catalogue lacks and a duplicate is installed and saved, the archive is
installed on a second Velmora, a request is sent; every exit status, result line and file is checked.
Usage: names_cli_e2e.py linux|windows SERVICE PROGRAM [RUNNER...]
"""
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

MODE, SERVICE, PROGRAM = sys.argv[1:4]
RUNNER = sys.argv[4:]
failures = []

def check(condition, label):
    if not condition:
        failures.append(label)

def host_arg(path):
    """A path as the program takes it: the host path on Linux, Wine's Z: form on Windows."""
    path = os.path.abspath(path)
    return path if MODE == "linux" else "Z:" + path.replace("/", "\\")

def names(*args, env=None, stdin=None):
    result = subprocess.run([*RUNNER, PROGRAM, *args], input=stdin, capture_output=True, env=env, timeout=300)
    return result.returncode, result.stdout.decode("utf-8", "replace"), result.stderr.decode("utf-8", "replace")

def velmora(root):
    """A Velmora folder with an empty names folder; its names folder's host path."""
    folder = os.path.join(root, "Velmora")
    os.makedirs(os.path.join(folder, "Speakers", "Ysmerel", "Names"))
    open(os.path.join(folder, "Velmora.exe"), "wb").write(b"MZ")
    return folder, os.path.join(folder, "Speakers", "Ysmerel", "Names")

def package_files(catalog, name):
    with zipfile.ZipFile(os.path.join(catalog, name + ".zip")) as z:
        return {i.filename: z.read(i) for i in z.infolist()}

work = tempfile.mkdtemp(prefix="zentrimo-names-e2e.")
try:
    catalog = os.path.join(work, "catalog")
    subprocess.run([SERVICE, "sample", "--catalog", catalog, "--count", "36"], check=True, capture_output=True)
    # Names in scripts the sample lacks, packaged as the service packages them.
    for extra in ["\u674e\u5c0f\u9f8d", "\u0645\u062d\u0645\u062f", "\u0414\u043c\u0438\u0442\u0440\u0438\u0439"]:
        with zipfile.ZipFile(os.path.join(catalog, extra + ".zip"), "w") as z:
            z.writestr(extra + ".wav", b"RIFF" + extra.encode() * 50)
            z.writestr(extra + "^.wav", b"RIFF^" + extra.encode() * 30)
    service = subprocess.Popen([SERVICE, "--listen", "127.0.0.1:0", "--catalog", catalog,
                                "--db", os.path.join(work, "requests.db")],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    first = service.stdout.readline().decode().strip()
    host = first.rsplit(" ", 1)[-1]
    common = ["--service-host", host, "--probe-host", "localhost"]
    env = dict(os.environ, WINEPREFIX=os.path.join(work, "no-prefix")) if MODE == "linux" else None
    try:
        # The catalogue, one a line, in its order, names in every script intact.
        status, out, err = names("list", *common, env=env)
        listed = out.splitlines()
        check(status == 0, f"list: status {status}: {err}")
        check(len(listed) == 39 and "\u674e\u5c0f\u9f8d" in listed and "Zo\u00eb" in listed, f"list: {listed}")

        # A class list: accents, other scripts, a name in other case, a duplicate, a comment, blank lines,
        # two names the catalogue lacks; a byte-order mark and CR LF as Windows editors write.
        wanted = ["Zo\u00eb", "\u0141ukasz", "\u00e9mile", "S\u00f8ren", "\u674e\u5c0f\u9f8d",
                  "\u0645\u062d\u0645\u062f", "\u0434\u043c\u0438\u0442\u0440\u0438\u0439", "Anne Marie", "Jon",
                  "Xylophone", "Zo\u00eb"]
        listing = "\ufeff# class 4b\r\n\r\n" + "\r\n".join(wanted) + "\r\n"
        list_file = os.path.join(work, "class.txt")
        open(list_file, "w", encoding="utf-8", newline="").write(listing)
        expected = ["Zo\u00eb", "\u0141ukasz", "\u00c9mile", "S\u00f8ren", "\u674e\u5c0f\u9f8d",
                    "\u0645\u062d\u0645\u062f", "\u0414\u043c\u0438\u0442\u0440\u0438\u0439", "Anne Marie"]

        folder, names_folder = velmora(os.path.join(work, "first"))
        status, out, err = names("install", "--from", host_arg(list_file), "--velmora-folder", host_arg(folder),
                                 *common, env=env)
        check(status == 1, f"install: status {status} instead of 1 (two names not listed): {err}")
        check(out.splitlines() == ["installed " + n for n in expected], f"install: output {out!r}")
        check("Jon: not in the catalogue" in err and "Xylophone: not in the catalogue" in err,
              f"install: not-listed names not told: {err}")
        check("installed 8, not in the catalogue 2, failed 0" in err, f"install: summary: {err}")
        for name in expected:
            for file, data in package_files(catalog, name).items():
                path = os.path.join(names_folder, file)
                check(os.path.isfile(path) and open(path, "rb").read() == data, f"install: {file} not as packaged")
        check(sorted(os.listdir(names_folder)) == sorted(f for n in expected for f in package_files(catalog, n)),
              f"install: names folder holds {sorted(os.listdir(names_folder))}")

        status, out, err = names("list", "--installed", "--velmora-folder", host_arg(folder), *common, env=env)
        check(status == 0 and sorted(out.splitlines()) == sorted(expected), f"list --installed: {status} {out!r}")

        # The offline road: saved on this computer, installed on the other from the archive alone.
        save = os.path.join(work, "stick")
        os.makedirs(save)
        status, out, err = names("save", "--to", host_arg(save), "--from", host_arg(list_file), *common, env=env)
        check(status == 1 and out.splitlines() == ["saved " + n for n in expected], f"save: {status} {out!r} {err}")
        archive = os.path.join(save, "VMRNames.zip")
        with zipfile.ZipFile(archive) as z:
            check(z.testzip() is None, "save: the archive does not test clean")
            saved = {i.filename: z.read(i) for i in z.infolist()}
        check(saved == {f: d for n in expected for f, d in package_files(catalog, n).items()},
              f"save: archive holds {sorted(saved)}")
        other, other_names = velmora(os.path.join(work, "offline"))
        status, out, err = names("install-saved", host_arg(archive), "--velmora-folder", host_arg(other), env=env)
        check(status == 0, f"install-saved: status {status}: {err}")
        check(sorted(out.splitlines()) == sorted("installed " + n for n in expected), f"install-saved: {out!r}")
        check(sorted(os.listdir(other_names)) == sorted(saved), f"install-saved: {sorted(os.listdir(other_names))}")
        check(os.path.isfile(archive), "install-saved: the user's archive was removed")

        # A request reaches the service's store with every field.
        status, out, err = names("request", "--name", "Yara", "--requester", "Ann Lee", "--email", "ann@example.org",
                                 "--pronunciation", "YAH-rah", *common, env=env)
        check(status == 0 and out.strip() != "", f"request: {status} {out!r} {err}")

        # What a script must be able to tell apart.
        for args, expected_status, label in [
                (["install"], 2, "no names"),
                (["install", "Zoë", "--from", host_arg(list_file)], 2, "names and a list"),
                (["save", "Zoë"], 2, "save without --to"),
                (["frobnicate"], 2, "unknown command"),
                (["list", "--colour"], 2, "unknown option"),
                (["install", "Zoë", "--velmora-folder", host_arg(work)] + common, 3, "no Velmora there"),
                (["install-saved", host_arg(os.path.join(work, "none.zip")), "--velmora-folder",
                  host_arg(other)], 3, "no archive"),
                (["save", "--to", host_arg(save), "Zoë", "--service-host", "127.0.0.1:1",
                  "--probe-host", "localhost"], 3, "no service")]:
            status, out, err = names(*args, env=env)
            check(status == expected_status, f"{label}: status {status} instead of {expected_status}: {err}")
            check(out == "", f"{label}: standard output {out!r}")
        # A file the user named is named as the user typed it, not in the form the commands use inside.
        missing = host_arg(os.path.join(work, "missing.txt"))
        status, out, err = names("install", "--from", missing, *common, env=env)
        check(status == 3 and missing + ":" in err, f"missing list: status {status}: {err}")
        status, out, err = names("--help")
        check(status == 0 and all(c in out for c in ["list", "install", "save", "install-saved", "request"]),
              "--help lacks a command")
    finally:
        service.terminate()
        service.wait()
finally:
    shutil.rmtree(work, ignore_errors=True)

for failure in failures:
    print("FAILED:", failure)
print(f"{'0 failed' if not failures else str(len(failures)) + ' failed'}")
sys.exit(1 if failures else 0)
