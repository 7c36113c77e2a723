#!/usr/bin/env bash
# Checks the release zip as a user meets it: unpacked into a fresh folder,
# Pelorin.exe started under wine (Japanese locale, virtual X display) shows
# the starter categories in order with the first one selected, and every
# category, clicked with real mouse input, shows exactly the kaomoji of its
# starter file. After the program is closed, every kaomoji file is still
# byte for byte what the zip holds, and 設定.ini keeps its category list and
# file map.
#
#   bash tests/e2e/check-release-zip.sh [Pelorin-x.y.z-win64.zip]
#
# Without an argument, scripts/package.sh builds the zip first. The lists
# are read by a small Windows program built here on the Windows scenario
# runner's Program (tests/e2e/wine_scenario/program.h).
# PELORIN_RELEASE_CHECK_WORK (default build/release-check) holds the work;
# its wine prefix is kept for the next run.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
work=${PELORIN_RELEASE_CHECK_WORK:-$root/build/release-check}
mkdir -p "$work"

need=()
for pkg in wine wine64 xvfb xauth fonts-vlgothic locales g++-mingw-w64-x86-64-posix python3; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if ((${#need[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi
if ! locale -a | grep -qi '^ja_JP\.utf-\?8$'; then
  echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi

if (($# > 0)); then
  zip=$(realpath "$1")
else
  PELORIN_PACKAGE_DIR=$work bash scripts/package.sh
  zip=$(ls "$work"/Pelorin-*-win64.zip)
fi

# A fresh folder whose name holds a space and Japanese, as many a real one does.
unpacked="$work/展開 先"
rm -rf "$unpacked"
python3 - "$zip" "$unpacked" <<'PYTHON'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    archive.extractall(sys.argv[2])
PYTHON
app=$unpacked/Pelorin
for name in Pelorin.exe 設定.ini Help.html README.txt data; do
  [[ -e $app/$name ]] || { echo "FAIL the zip has no Pelorin/$name"; exit 1; }
done
rm -rf "$work/as-unpacked"
cp -r "$app" "$work/as-unpacked"

# The lister: the Windows scenario runner's view of the program and its
# real input.
cat >"$work/release_lists.cpp" <<'CPP'
// release-lists APP_FOLDER: starts APP_FOLDER\Pelorin.exe, prints its
// category list and selection, clicks every category and prints the
// kaomoji list each shows, clicks the first again and closes the program.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/program.h"

namespace {
using namespace pelorin;
using scenario::ListName;

// Clicks a category (a lost click is tried again) and waits until it is
// selected and the kaomoji list no longer shows `before`.
bool ClickCategory(wine_scenario::Program& app, int index, const std::vector<std::string>& before) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    app.ShowEntry(ListName::List3, index);
    RECT item{};
    if (!app.ItemRect(ListName::List3, index, &item) ||
        !e2e::Click({(item.left + item.right) / 2, (item.top + item.bottom) / 2})) {
      return false;
    }
    if (e2e::WaitUntil([&] {
          return app.Selected(ListName::List3) == index && app.Texts(ListName::List2) != before;
        }, 3000)) {
      e2e::Pause(300);
      return true;
    }
  }
  return false;
}

void Print(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fwrite("\n", 1, 1, stdout);
  std::fflush(stdout);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const std::filesystem::path folder = argv[1];
  wine_scenario::Program app;
  std::string error;
  // Started from the folder above its own: it finds its files from its path.
  if (!app.Launch((folder / L"Pelorin.exe").wstring(), folder.parent_path().wstring(), &error) ||
      !e2e::WaitUntil([&] { return app.WindowShown(); }, 20000)) {
    Print("error Pelorin.exe shows no window " + error);
    return 1;
  }
  e2e::Pause(500);
  const std::vector<std::string> categories = app.Texts(ListName::List3);
  Print("selected\t" + std::to_string(app.Selected(ListName::List3)));
  for (const std::string& name : categories) Print("category\t" + name);
  std::vector<std::string> shown = app.Texts(ListName::List2);
  for (const std::string& kaomoji : shown) Print("at start\t" + kaomoji);
  for (int i = 0; i < static_cast<int>(categories.size()); ++i) {
    // The first category is shown already: its click changes nothing.
    if (!ClickCategory(app, i, i == 0 ? std::vector<std::string>{} : shown)) {
      Print("error category " + std::to_string(i) + " cannot be clicked");
      return 1;
    }
    shown = app.Texts(ListName::List2);
    for (const std::string& kaomoji : shown) {
      Print("kaomoji\t" + std::to_string(i) + "\t" + kaomoji);
    }
  }
  // Back to the first category, so the close saves the state it started with.
  if (!ClickCategory(app, 0, shown)) {
    Print("error the first category cannot be clicked again");
    return 1;
  }
  ::PostMessageW(app.Window(), WM_CLOSE, 0, 0);
  if (!app.WaitForExit(15000)) {
    Print("error Pelorin.exe did not end after WM_CLOSE");
    return 1;
  }
  Print("exit\t" + std::to_string(app.ExitCode().value_or(99)));
  return 0;
}
CPP
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -municode -mconsole -static -static-libgcc \
  -static-libstdc++ -DUNICODE -D_UNICODE -DNOMINMAX -DWIN32_LEAN_AND_MEAN \
  -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 -I "$root" \
  "$work/release_lists.cpp" tests/e2e/desktop.cpp tests/e2e/wine_scenario/program.cpp \
  platform/win32/wide.cpp -o "$work/release-lists.exe" -luser32 -lgdi32

export WINEPREFIX=$work/wine WINEARCH=win64 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work/as-unpacked"
}
trap cleanup EXIT
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
DISPLAY=:$(cat "$work/display")
export DISPLAY
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null
  wineserver -w
fi

wine "$work/release-lists.exe" "$(winepath -w "$app")" >"$work/lists.txt" 2>"$work/lists.log" ||
  { cat "$work/lists.txt"; echo "FAIL release-lists did not finish"; exit 1; }

python3 - "$work/as-unpacked" "$app" "$work/lists.txt" <<'PYTHON'
import pathlib, re, sys

before, after, lists = (pathlib.Path(p) for p in sys.argv[1:])
failures = []

def decode(data):
    """The text as Pelorin reads it: UTF-8 with the mark, valid UTF-8, or cp932."""
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8")
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp932")

def section(settings, name):
    lines, inside = [], False
    for line in settings.split("\r\n"):
        if line.startswith("["):
            inside = line == f"[{name}]"
        elif inside and line:
            lines.append(line)
    return lines

settings = decode((before / "設定.ini").read_bytes())
names = section(settings, "LIST")[0].removeprefix("LIST=").split(",")[:-1]
def kaomoji(name):
    lines = re.split(r"\r\n|\r|\n", decode((before / "data" / f"{name}.txt").read_bytes()))
    return lines[:-1] if lines[-1] == "" else lines

expected = ["selected\t0"] + [f"category\t{n}" for n in names]
expected += [f"at start\t{k}" for k in kaomoji(names[0])]
for i, name in enumerate(names):
    expected += [f"kaomoji\t{i}\t{k}" for k in kaomoji(name)]
expected.append("exit\t0")
# The program's stdout is in text mode: CR LF.
shown = [line.removesuffix("\r") for line in lists.read_text(encoding="utf-8").split("\n")]
shown = shown[:-1] if shown and shown[-1] == "" else shown
if shown != expected:
    for number, (want, got) in enumerate(zip(expected + [""] * len(shown), shown + [""] * len(expected))):
        if want != got:
            failures.append(f"line {number + 1}: expected {want!r}, shown {got!r}")
            break
    if len(shown) != len(expected):
        failures.append(f"{len(shown)} lines shown, {len(expected)} expected")
print(f"{len(names)} categories and "
      f"{sum(line.startswith('kaomoji') for line in expected)} kaomoji expected in the lists")

for path in sorted((before / "data").iterdir()):
    if (after / "data" / path.name).read_bytes() != path.read_bytes():
        failures.append(f"data/{path.name} changed after start, clicks and close")
saved = decode((after / "設定.ini").read_bytes())
for name in ("LIST", "FILE"):
    if section(saved, name) != section(settings, name):
        failures.append(f"[{name}] of 設定.ini changed")
if not any(line.startswith("STATE=0,") for line in section(saved, "DATA")):
    failures.append("the window state saved at the close is not the first category's")

if failures:
    print("FAIL the release zip under wine:\n  " + "\n  ".join(failures))
    sys.exit(1)
print("PASS the release zip under wine: starter lists shown, files unchanged after the close")
PYTHON
