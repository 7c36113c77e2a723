#!/usr/bin/env bash
# Builds the release zip build/Pelorin-<version>-win64.zip: Pelorin.exe from
# the MinGW-w64 release build, the starter collection (設定.ini, data/),
# Help.html with help-images/, and README.txt, all in one folder "Pelorin".
# Japanese names are stored as UTF-8 with the zip's UTF-8 flag (bit 11), which
# Windows' Explorer reads. Installs its own packages on Debian 12.
#
#   bash scripts/package.sh                  # builds Pelorin.exe first
#   bash scripts/package.sh path/Pelorin.exe # packages a Pelorin.exe built before
#
# The release build is the MinGW-w64 one, optimised for size and stripped, in
# PELORIN_WIN_BUILD (default build/release-win); PELORIN_PACKAGE_DIR (default
# build) is where the zip goes. The entries carry
# the time SOURCE_DATE_EPOCH (default: the last commit's), so the same files
# give the same zip.
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
command -v python3 >/dev/null || need+=(python3)
if (($# == 0)); then
  for pkg in cmake make g++-mingw-w64-x86-64-posix; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
  done
fi
if ((${#need[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi

version=$(sed -n 's/^project(Pelorin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[[ -n $version ]] || { echo "no version in CMakeLists.txt" >&2; exit 1; }

if (($# > 0)); then
  exe=$1
else
  build=${PELORIN_WIN_BUILD:-build/release-win}
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "$build" --target Pelorin -j2
  exe=$build/Pelorin.exe
fi
[[ -f $exe ]] || { echo "no Pelorin.exe at $exe" >&2; exit 1; }

# The committed starter files must be what dist/make-starter.py writes.
python3 dist/make-starter.py --check

out=${PELORIN_PACKAGE_DIR:-build}
mkdir -p "$out"
zip=$out/Pelorin-$version-win64.zip
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}

python3 - "$exe" "$zip" "$version" "$epoch" <<'PYTHON'
import pathlib, re, sys, time, zipfile

exe, target, version, epoch = sys.argv[1], pathlib.Path(sys.argv[2]), sys.argv[3], int(sys.argv[4])
dist = pathlib.Path("dist")
problems = []

# Pelorin.exe: a 64-bit Windows program.
image = pathlib.Path(exe).read_bytes()
pe = int.from_bytes(image[0x3C:0x40], "little") if image[:2] == b"MZ" else -1
if pe < 0 or image[pe:pe + 6] != b"PE\0\0\x64\x86":
    problems.append(f"{exe} is not an x86-64 Windows program")

# What the help document and the README say must match the program and the collection.
help_html = (dist / "Help.html").read_text(encoding="utf-8")
readme = (dist / "README.txt").read_bytes()
try:
    readme_text = readme.decode("cp932")
except UnicodeDecodeError:
    readme_text = ""
    problems.append("README.txt is not code page 932")
if readme_text and readme_text.replace("\r\n", "").count("\n"):
    problems.append("README.txt has a line end other than CR LF")
info = pathlib.Path("help/help_info.h").read_text(encoding="utf-8")
for constant in ("kSupportAddress", "kMailAddress", "kRightsNotice"):
    found = re.search(constant + r'\s*=\s*"([^"]*)"', info)
    if not found:
        problems.append(f"help/help_info.h: no {constant}")
        continue
    for name, text in (("Help.html", help_html), ("README.txt", readme_text)):
        if found.group(1) not in text:
            problems.append(f"{name} does not show {constant} {found.group(1)}")
for name, text in (("Help.html", help_html), ("README.txt", readme_text)):
    if f"Pelorin {version}" not in text:
        problems.append(f"{name} does not name Pelorin {version}")

def entries(path):
    data = path.read_bytes()
    text = data[3:].decode("utf-8") if data.startswith(b"\xef\xbb\xbf") else data.decode("cp932")
    return text.count("\r\n")

kaomoji_files = sorted((dist / "data").glob("*.txt"))
counts = f"{len(kaomoji_files)} 種類、{sum(entries(p) for p in kaomoji_files)} 個"
for name, text in (("Help.html", help_html), ("README.txt", readme_text)):
    if counts not in text:
        problems.append(f"{name} does not say {counts}")

images = sorted(set(re.findall(r'src="(help-images/[^"]+)"', help_html)))
for image_name in images:
    if not (dist / image_name).is_file():
        problems.append(f"Help.html shows {image_name}, which is missing")

if problems:
    sys.exit("not packaged:\n  " + "\n  ".join(problems))

files = [(pathlib.Path(exe), "Pelorin.exe"),
         (dist / "設定.ini", "設定.ini"),
         (dist / "Help.html", "Help.html"),
         (dist / "README.txt", "README.txt")]
files += [(p, f"data/{p.name}") for p in kaomoji_files]
files += [(dist / name, name) for name in images]

stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
tmp = target.with_suffix(".tmp")
with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    def add(name, data, folder=False):
        entry = zipfile.ZipInfo("Pelorin/" + name, stamp)
        # Unix origin with MS-DOS attributes in the low byte, as Info-ZIP
        # writes them; with MS-DOS origin some unzip builds would read the
        # UTF-8 names as an OEM code page despite the flag.
        entry.create_system = 3
        entry.external_attr = (0o40755 << 16 | 0x10) if folder else (0o100644 << 16 | 0x20)
        entry.compress_type = zipfile.ZIP_STORED if folder else zipfile.ZIP_DEFLATED
        archive.writestr(entry, data)
    add("", b"", folder=True)
    for folder in ("data/", "help-images/") if images else ("data/",):
        add(folder, b"", folder=True)
    for source, name in files:
        add(name, source.read_bytes())
tmp.replace(target)
with zipfile.ZipFile(target) as archive:
    for entry in archive.infolist():
        if not entry.filename.isascii() and not entry.flag_bits & 0x800:
            sys.exit(f"{entry.filename}: stored without the UTF-8 flag")
print(f"{target}: {len(files)} files")
PYTHON
sha256sum "$zip"
