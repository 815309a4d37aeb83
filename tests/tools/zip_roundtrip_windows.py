#!/usr/bin/env python3
"""zentrimo-zip.exe under Wine against the Linux build's programs, Info-ZIP and Python's zipfile.

peers: an archive the Windows tool writes must extract byte for byte with each Linux peer, and archives
the peers write must extract byte for byte with the Windows tool.
names: packages the Linux service publishes, and transfer archives either build saves, install with the
same names and bytes on the other build under the system locale Wine runs in; a name without flag bit 11
is read in that locale's OEM code page (ZENTRIMO_EXPECTED_OEM_PAGE, 437 unless set).
Usage: zip_roundtrip_windows.py peers WINE_RUN WINDOWS_TOOL LINUX_TOOL
       zip_roundtrip_windows.py names WINE_RUN WINDOWS_TOOL LINUX_TOOL LINUX_SERVICE
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

MODE, WINE_RUN, WINDOWS_TOOL, LINUX_TOOL = sys.argv[1:5]

# Wine's default prefix maps Z: to the host root, so a host path has a Windows form without asking Wine.
def win(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")

def run(args, cwd=None):
    result = subprocess.run(args, cwd=cwd, stdin=subprocess.DEVNULL, capture_output=True)
    if result.returncode != 0:
        sys.exit(f"FAILED ({result.returncode}): {' '.join(args)}\n{result.stdout.decode(errors='replace')}"
                 f"{result.stderr.decode(errors='replace')}")
    return result.stdout

def windows_tool(*args):
    return run([WINE_RUN, WINDOWS_TOOL, *args])

def linux_tool(*args):
    return run([LINUX_TOOL, *args])

def pattern(size, seed):
    x = seed * 2654435761 + 1
    out = bytearray(size)
    for i in range(size):
        x = (x * 1103515245 + 12345) & 0xFFFFFFFF
        out[i] = (x >> 24) if i % 7 == 0 else ord('a') + (i // 13) % 26
    return bytes(out)

# Two names CP437 has, two it lacks: each means the same on every system only when stored as UTF-8.
WORLD = ["Zo\u00eb", "\u00c6r\u00f8sk\u00f8bing", "\u674e\u5c0f\u9f8d", "\u0141ukasz"]

failures = []

def write_files(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)

def check_folder(label, folder, files, exactly=False):
    present = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    if exactly and present != sorted(files):
        failures.append(f"{label}: {present} instead of {sorted(files)}")
    for name, data in files.items():
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            failures.append(f"{label}: {name} missing in {present}")
        elif open(path, "rb").read() != data:
            failures.append(f"{label}: {name} differs")

def check_python(label, archive, files):
    with zipfile.ZipFile(archive) as z:
        if z.testzip() is not None:
            failures.append(f"{label}: zipfile.testzip() found a bad entry")
        for info in z.infolist():
            if bool(info.flag_bits & 0x800) != (not info.filename.isascii()):
                failures.append(f"{label}: {info.filename} has flag bits {info.flag_bits:#x}")
        for name, data in files.items():
            if z.read(name) != data:
                failures.append(f"{label}: Python reads {name} differently")

def peers(work):
    files = {
        "Name.wav": pattern(300000, 1),   # deflated, several buffers long
        "notes.txt": b"line one\r\nline two\n",
        "empty.dat": b"",
        "noise.bin": os.urandom(70000),   # stored: does not shrink
    }
    for i, name in enumerate(WORLD):
        files[name + ".wav"] = pattern(5000 + i, 2 + i)
    ascii_names = {name: data for name, data in files.items() if name.isascii()}
    src = os.path.join(work, "src")
    write_files(src, files)

    # Windows writes, Linux reads.
    ours = os.path.join(work, "windows.zip")
    windows_tool("add", win(ours), *[win(os.path.join(src, n)) for n in files])
    run(["unzip", "-tqq", ours])
    check_python("windows.zip", ours, files)
    out = os.path.join(work, "linux-tool")
    linux_tool("extract", ours, out)
    check_folder("windows.zip by the Linux tool", out, files, exactly=True)
    # Info-ZIP's unzip on Linux reads a DOS host's names in the OEM page even with flag bit 11: the
    # names outside ASCII are judged through Python and the Linux tool.
    out = os.path.join(work, "unzip")
    run(["unzip", "-qq", "-o", ours, "-d", out])
    check_folder("windows.zip by Info-ZIP", out, ascii_names)

    # Linux writes, Windows reads.
    makers = {
        "linux-tool.zip": lambda a: linux_tool("add", a, *[os.path.join(src, n) for n in files]),
        "infozip.zip": lambda a: run(["zip", "-q", "-X", a, *files], cwd=src),
        "infozip-stored.zip": lambda a: run(["zip", "-q", "-0", a, *files], cwd=src),
        "python.zip": lambda a: run([sys.executable, "-c",
                                     "import zipfile,sys,os\n"
                                     "with zipfile.ZipFile(sys.argv[1],'w',zipfile.ZIP_DEFLATED) as z:\n"
                                     "  for n in sys.argv[3:]: z.write(os.path.join(sys.argv[2],n),n)\n",
                                     a, src, *files]),
    }
    for name, make in makers.items():
        archive = os.path.join(work, name)
        make(archive)
        out = os.path.join(work, "from-" + name)
        windows_tool("test", win(archive))
        windows_tool("extract", win(archive), win(out))
        check_folder(name + " by the Windows tool", out, files, exactly=True)
    return "windows.zip read by 3 peers, 4 peer archives read by zentrimo-zip.exe"

def wave(seed):
    data = pattern(2000, seed)
    return b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " + struct.pack(
        "<IHHIIHH", 16, 1, 1, 8000, 8000, 1, 8) + b"data" + struct.pack("<I", len(data)) + data

# The transfer archive as "Download and Save Name" builds it: the first package becomes the archive,
# the files of each later one are unpacked into a staging folder and added to it.
def save_for_transfer(tool, to_tool_path, packages, archive, staging):
    shutil.copyfile(packages[0], archive)
    for i, package in enumerate(packages[1:]):
        folder = os.path.join(staging, str(i))
        tool("extract", to_tool_path(package), to_tool_path(folder))
        tool("add", to_tool_path(archive), *[to_tool_path(os.path.join(folder, n)) for n in sorted(os.listdir(folder))])

def names(work):
    service = sys.argv[5]
    page = int(os.environ.get("ZENTRIMO_EXPECTED_OEM_PAGE", "437"))
    catalog = os.path.join(work, "catalog")
    recordings = os.path.join(work, "recordings")
    installed = {}
    packages = []
    for i, name in enumerate(WORLD + ["Anna"]):
        first, second = wave(2 * i + 1), wave(2 * i + 2)
        write_files(recordings, {f"{i}.wav": first, f"{i}^.wav": second})
        run([service, "publish", "--catalog", catalog, name,
             os.path.join(recordings, f"{i}.wav"), os.path.join(recordings, f"{i}^.wav")])
        packages.append(os.path.join(catalog, name + ".zip"))
        installed[name + ".wav"] = first
        installed[name + "^.wav"] = second

    # Every published package unpacked into one names folder by the Windows build.
    folder = os.path.join(work, "names-windows")
    for package in packages:
        windows_tool("extract", win(package), win(folder))
    check_folder(f"packages published on Linux, installed on Windows (OEM {page})", folder, installed,
                 exactly=True)

    # Saved on Linux, installed on Windows.
    archive = os.path.join(work, "linux-saved", "VMRNames.zip")
    os.makedirs(os.path.dirname(archive))
    save_for_transfer(linux_tool, lambda p: p, packages, archive, os.path.join(work, "linux-staging"))
    check_python("saved on Linux", archive, installed)
    folder = os.path.join(work, "names-from-linux")
    windows_tool("extract", win(archive), win(folder))
    check_folder(f"saved on Linux, installed on Windows (OEM {page})", folder, installed, exactly=True)

    # Saved on Windows, installed on Linux.
    archive = os.path.join(work, "windows-saved", "VMRNames.zip")
    os.makedirs(os.path.dirname(archive))
    save_for_transfer(windows_tool, win, packages, archive, os.path.join(work, "windows-staging"))
    run(["unzip", "-tqq", archive])
    check_python("saved on Windows", archive, installed)
    folder = os.path.join(work, "names-from-windows")
    linux_tool("extract", archive, folder)
    check_folder(f"saved on Windows (OEM {page}), installed on Linux", folder, installed, exactly=True)

    # An older writer's name without the flag: the OEM page of the system locale, as before.
    legacy = os.path.join(work, "legacy.zip")
    run([sys.executable, "-c",
         "import zipfile,sys\n"
         "class Dos(zipfile.ZipInfo):\n"
         "    def _encodeFilenameFlags(self): return self.filename.encode('cp437'), self.flag_bits\n"
         "i=Dos('Zo\\u00eb.wav'); i.create_system=0\n"
         "with zipfile.ZipFile(sys.argv[1],'w') as z: z.writestr(i,b'cp437')\n", legacy])
    expected = {437: "Zo\u00eb.wav", 866: "Zo\u0419.wav"}.get(page)
    if expected is None:
        sys.exit(f"no expectation for OEM page {page}")
    folder = os.path.join(work, "legacy")
    windows_tool("extract", win(legacy), win(folder))
    check_folder(f"a CP437 name without the flag under OEM {page}", folder, {expected: b"cp437"}, exactly=True)
    return f"{len(packages)} packages and two transfer archives installed across the builds under OEM {page}"

work = tempfile.mkdtemp(prefix="zentrimo-roundtrip-")
try:
    summary = {"peers": peers, "names": names}[MODE](work)
finally:
    shutil.rmtree(work, ignore_errors=True)

if failures:
    sys.exit("\n".join(failures))
print("round trip: " + summary)
