#!/usr/bin/env python3
"""Writes the starter collection that ships beside Pelorin.exe.

The kaomoji are kept here as readable text; the files in this folder
(設定.ini and data/*.txt) are what ships and what the tests read. Run this
script after changing the lists below and commit its output with it:

    python3 dist/make-starter.py          # rewrite the files
    python3 dist/make-starter.py --check  # only tell whether they are current

The files are written exactly as Pelorin writes them: every line ends with
CR LF; a list whose every character round-trips through code page 932 is
stored as code page 932 without a byte-order mark, any other list as UTF-8
with the byte-order mark. A character counts as code page 932 only when it
survives encoding and decoding both with Python's table and with glibc's
iconv, the table the program's host build uses; Windows' own table refuses
the few characters (such as 〜 U+301C) that those two map one way only.
"""

import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent

# The first category is shown when the program starts on this collection.
CATEGORIES = [
    ("喜び", """
(^_^)
(^o^)
(*^▽^*)
(≧▽≦)
ヽ(^o^)ノ
(•‿•)
＼(^o^)／
(o^―^o)
(*´▽｀*)
ヽ(♡‿♡)ノ
(｡･ω･｡)
o(^▽^)o
(∩´∀｀)∩
ヾ(＾∇＾)
(´∀｀)
(◕‿◕)
(*´ω｀*)♡
(^_-)☆
v(^_^)v
(ﾉ´∀｀*)
o(≧∇≦o)
(´▽｀)ノ♪
(♥ω♥)
(＾ｖ＾)
"""),
    ("悲しみ", """
(;_;)
(T_T)
(ToT)
(/_;)
(つд⊂)
(´；ω；｀)
(｡´Д⊂)
。・゜・(ノД`)・゜・。
(ノ_<。)
(´・ω・｀)
(´_｀。)
(ρ_-)
(>_<)
(´Д｀)
(T△T)
(つ_⊂)
orz
(ーー;)
(´・ェ・｀)
(；へ；)
(´。＿。｀)
(ｏ´_｀ｏ)
(´； д ；｀)
・゜・(PД`q｡)・゜・
"""),
    ("怒り", """
(`へ´)
(｀Д´)
(＃｀Д´)
(#ﾟДﾟ)
ヽ(`Д´)ﾉ
(-_-#)
(#^ω^)
(｀ε´)
(#`皿´)
(｀^´)
(｀曲´)
ヽ(#`Д´#)ﾉ
(｀Ａ´)
(｀m´#)
(ﾟДﾟ#)
(-"-)
(＃＾ω＾)ﾋﾟｷﾋﾟｷ
┐(￣ヘ￣)┌
(┛｀Д´)┛彡┻━┻
(＃｀ε´)ﾌﾟﾝｽｶ
(｀Д´)ﾉ!!
(-Д-#)
(#｀ー´)
ﾑｶｯ(＃ﾟДﾟ)
"""),
    ("驚き", """
(ﾟДﾟ)
Σ(ﾟДﾟ)
(°д°)
(ﾟoﾟ)
(゜ロ゜)
∑(O_O;)
(O_O)
(・□・;)
Σ(・ω・ﾉ)ﾉ
(ﾟ∀ﾟ)
(ﾟдﾟ;)
(;ﾟДﾟ)
(@_@)
(◎_◎;)
w(ﾟoﾟ)w
(*ﾟﾛﾟ)
Σ(￣□￣;)
(ﾟ〇ﾟ;)
(；゜０゜)
!(ﾟДﾟ)!
Σ(゜д゜lll)
((((；ﾟДﾟ))))
(゜Д゜;)ｴｯ!?
(・_・;)ﾏｼﾞ?
"""),
    ("挨拶", """
(^_^)/
(・ω・)ノ
ヾ(・ω・)ノ
(｀・ω・´)ゞ
m(_ _)m
<(_ _)>
(ﾟ∀ﾟ)ﾉ
(´∀｀)ﾉｼ
ヽ(・∀・)ﾉ
(*´∀｀)ノ
(^-^)/～～
(_ _)
(^^)/
(＾＾)ｂ
(｡･ω･)ﾉﾞ
ｵﾊﾖｰ(^O^)／
ｺﾝﾆﾁﾊ(・∀・)ﾉ
ｺﾝﾊﾞﾝﾊ(´∀｀)ﾉ
ｵﾔｽﾐ(-_-)zzZ
ﾖﾛｼｸ(^_^)ゞ
ｱﾘｶﾞﾄ(´∀｀)
ﾏﾀﾈ(^_^)/～
ｵﾂｶﾚ(´・ω・)っ旦
ｺﾞﾒﾝ m(_ _;)m
"""),
    ("動物", """
ʕ•ᴥ•ʔ
(=^・^=)
(=ﾟωﾟ=)
(ΦωΦ)
ヾ(=^▽^=)ノ
ฅ(^・ω・^ฅ)
U・ᴥ・U
Ｕ^ｪ^Ｕ
∪・ω・∪
(´(ｴ)｀)
(・(ｪ)・)
／(・×・)＼
(・Θ・)
(`・Θ・´)
@(・ェ・)@
(V)o￥o(V)
くコ:彡
>゜)))彡
(・(oo)・)
～(=^‥^)ノ
(๑•ᴥ•๑)
ฅ^•ω•^ฅ
(ᵔᴥᵔ)
"""),
    ("食べ物", """
(*´▽｀)っ旦
旦～(´ー｀)
(*´～｀*)ﾓｸﾞﾓｸﾞ
( ´ρ｀)ﾊﾗﾍｯﾀ
ﾊﾟｸｯ(ﾟДﾟ)
(*´ч｀*)
(｡-ω-)っ旦
ｲﾀﾀﾞｷﾏｽ(-人-)
ｺﾞﾁｿｳｻﾏ(-人-)
( ´∀｀)つ□
(ﾟдﾟ)ｳﾏｰ
(´～｀)ｳﾏｳﾏ
ψ(｀∇´)ψ
(￣ρ￣)ﾀﾞﾗｰ
ｺﾞｸｺﾞｸ(*ﾟдﾟ)っ□
(っ´∀｀)っ◎ﾄﾞｰﾅﾂ
(*´∀｀)っ【おにぎり】
(｀・ω・´)つ【カレー】
( ^^)_旦～～
(*^～^*)ﾊﾟｸﾊﾟｸ
(σ´∀｀)σ【ケーキ】
ｽﾞﾙｽﾞﾙ(´～｀)【ラーメン】
ｶﾝﾊﾟｲ(*ﾟ∀ﾟ)っ凵
"""),
    ("いろいろ", """
☆彡
★彡
♪～(￣ε￣)
(^_^)v
(￣ー￣)ｂ
d(^_^)b
(-_-)zzz
(・_・?)
(?_?)
(・∀・)ｲｲ!!
(*・ω・)ﾉ♪
ε＝ε＝ε＝┏(ﾟロﾟ;)┛
┏○ﾍﾟｺ
(人´∀｀)
(-人-)
( ..)φﾒﾓﾒﾓ
_(._.)_
(｀・ω・´)ｂ
(￣▽￣;)
(^^;)
(-_-;)
…(￣ー￣)ﾆﾔﾘ
＿|￣|○
(・・;)
"""),
]

# Selected category, top, left, height, width (twips), menu bar shown, always
# on top. 3040 = 640 + 60 + 12 rows of 195: a height the layout keeps.
WINDOW_STATE = "0,1200,1200,3040,5600,True,False"


def round_trips_cp932(text):
    try:
        encoded = text.encode("cp932")
    except UnicodeEncodeError:
        return False
    if encoded.decode("cp932") != text:
        return False
    iconv = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932"],
                           input=text.encode("utf-8"), capture_output=True)
    if iconv.returncode != 0 or iconv.stdout != encoded:
        return False
    back = subprocess.run(["iconv", "-f", "CP932", "-t", "UTF-8"],
                          input=encoded, capture_output=True)
    return back.returncode == 0 and back.stdout.decode("utf-8") == text


def kaomoji_file(entries):
    text = "".join(entry + "\r\n" for entry in entries)
    if round_trips_cp932(text):
        return text.encode("cp932")
    return b"\xef\xbb\xbf" + text.encode("utf-8")


def settings_file(names):
    lines = ["[LIST]", "LIST=" + "".join(name + "," for name in names), "[FILE]"]
    lines += [name + "=" + name + ".txt" for name in names]
    lines += ["[DATA]", "STATE=" + WINDOW_STATE]
    text = "".join(line + "\r\n" for line in lines)
    if not round_trips_cp932(text):
        sys.exit("a category name is not code page 932")
    return text.encode("cp932")


def wanted_files():
    files = {}
    for name, block in CATEGORIES:
        entries = [line for line in block.split("\n") if line != ""]
        if len(set(entries)) != len(entries):
            sys.exit(f"{name}: the same kaomoji twice")
        files[pathlib.Path("data") / (name + ".txt")] = kaomoji_file(entries)
    files[pathlib.Path("設定.ini")] = settings_file([name for name, _ in CATEGORIES])
    return files


def main():
    check = sys.argv[1:] == ["--check"]
    stale = []
    for relative, content in wanted_files().items():
        path = HERE / relative
        current = path.read_bytes() if path.exists() else None
        if current == content:
            continue
        stale.append(str(relative))
        if not check:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(content)
    present = {p.relative_to(HERE) for p in (HERE / "data").glob("*.txt")}
    strays = sorted(str(p) for p in present
                    if p not in {pathlib.Path("data") / (n + ".txt") for n, _ in CATEGORIES})
    for stray in strays:
        print(f"not part of the collection: {stray}", file=sys.stderr)
    if check:
        for name in stale:
            print(f"out of date: {name}", file=sys.stderr)
        return 1 if stale or strays else 0
    for name in stale:
        print(f"written: {name}")
    return 1 if strays else 0


if __name__ == "__main__":
    sys.exit(main())
