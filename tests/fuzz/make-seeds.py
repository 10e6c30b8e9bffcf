#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz corpora from real data: the FreeDict
English-Bulgarian files and a built data folder (build/run). Inputs whose
names do not start with "seed-" (the crashes found) are kept.

    python3 tests/fuzz/make-seeds.py build/run
"""
import gzip
import random
import shutil
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

CORPUS = Path(__file__).resolve().parent / "corpus"
FREEDICT_INDEX = Path("/usr/share/dictd/freedict-eng-bul.index")
FREEDICT_DICT = Path("/usr/share/dictd/freedict-eng-bul.dict.dz")
RECORD = 111
B64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"

rng = random.Random(1)


def clear(target):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.glob("seed-*"):
        old.unlink()
    return folder


def write(folder, name, data):
    (folder / f"seed-{name}").write_bytes(data)


def b64(value):
    digits = ""
    while True:
        digits = B64[value % 64] + digits
        value //= 64
        if value == 0:
            return digits


def decode_b64(digits):
    value = 0
    for c in digits:
        value = value * 64 + B64.index(c)
    return value


def freedict_entries():
    dict_bytes = gzip.decompress(FREEDICT_DICT.read_bytes())
    entries = []
    for line in FREEDICT_INDEX.read_text(encoding="utf-8").splitlines():
        name, offset, length = line.split("\t")
        offset, length = decode_b64(offset), decode_b64(length)
        entries.append((name, dict_bytes[offset:offset + length]))
    return entries


def dictd_pair(entries, compress=False):
    index, body = [], b""
    for name, text in entries:
        index.append(f"{name}\t{b64(len(body))}\t{b64(len(text))}\n")
        body += text
    if compress:
        body = gzip.compress(body, mtime=0)
    return "".join(index).encode("utf-8") + b"\0" + body


def seed_freedict(entries):
    folder = clear("freedict")
    info = [e for e in entries if e[0] == "00databaseinfo"]
    words = [e for e in entries if not e[0].startswith("00database")]
    write(folder, "info", dictd_pair(info + words[:2]))
    for i in range(14):
        start = rng.randrange(len(words) - 4)
        write(folder, f"entries-{i:02}", dictd_pair(words[start:start + rng.randint(1, 4)]))
    write(folder, "gzip", dictd_pair(words[100:103], compress=True))
    # Many senses and glosses in one entry.
    longest = max(words, key=lambda e: e[1].count(b"\n"))
    write(folder, "many-senses", dictd_pair([longest]))


def seed_tsv(entries):
    folder = clear("tsv")
    words = [e for e in entries if not e[0].startswith("00database")]
    for i in range(8):
        lines = ["# head-word\ttranscription\ttranslations\tpart of speech\tgloss", ""]
        start = rng.randrange(len(words) - 6)
        for name, text in words[start:start + 6]:
            rows = text.decode("utf-8").split("\n")
            head = rows[0]
            pos = head[head.rfind("<") + 1:-1] if head.endswith(">") else ""
            ipa = head.split("/")[1] if "/" in head else ""
            translation = rows[1] if len(rows) > 1 else name
            gloss = rows[2] if len(rows) > 2 else ""
            columns = [name, ipa, translation.replace(";", ",")]
            if pos or gloss or i % 2:
                columns.append(pos)
            if gloss and i % 3:
                columns.append(gloss)
            lines.append("\t".join(columns))
        end = "\r\n" if i % 4 == 3 else "\n"
        write(folder, f"words-{i}", end.join(lines).encode("utf-8") + end.encode())


def records(dak):
    data = dak.read_bytes()
    return [data[i:i + RECORD] for i in range(0, len(data) - RECORD + 1, RECORD)]


def seed_letter_index(run):
    folder = clear("letter_index")
    write(folder, "eg-x-whole", (run / "eg" / "base_x.dak").read_bytes())
    for letter in ["a", "h", "q", "s"]:
        rows = records(run / "eg" / f"base_{letter}.dak")
        start = rng.randrange(len(rows) - 12)
        write(folder, f"eg-{letter}-slice", b"".join(rows[start:start + 12]))
    for number in ["1", "2", "16", "30"]:
        rows = records(run / "bg" / f"base_{number}.dak")
        start = rng.randrange(max(1, len(rows) - 12))
        write(folder, f"bg-{number}-slice", b"".join(rows[start:start + 12]))
    # A trailing partial record, as a cut-off copy leaves.
    rows = records(run / "eg" / "base_k.dak")
    write(folder, "eg-k-cut", b"".join(rows[:5]) + rows[5][:40])


def articles(run, folder_name, letter, count):
    rows = records(run / folder_name / f"base_{letter}.dak")
    body = (run / folder_name / f"base_{letter}.ref").read_bytes()
    picked = []
    for row in rng.sample(rows, min(count, len(rows))):
        offset, size = struct.unpack("<ii", row[102:110])
        picked.append(bytes((((b - 0xA7) & 0xFF) ^ 0x71) for b in body[offset:offset + size]))
    return picked


def seed_rtf(run):
    found = []
    for folder_name, letter in [("eg", "a"), ("eg", "h"), ("eg", "w"), ("bg", "1"), ("bg", "16")]:
        found += articles(run, folder_name, letter, 4)
    for target in ["rtf_reader", "rtf_document"]:
        folder = clear(target)
        for i, article in enumerate(found):
            write(folder, f"article-{i:02}", article)
        write(folder, "plain-cp1251", "къща — house\r\nдом\r\n".encode("cp1251"))
        write(folder, "two-documents", found[0] + found[1])


def seed_lz(run):
    folder = clear("lz_file")
    samples = {
        "study-list": (run / "wave" / "EnglishFree").read_bytes(),
        "articles": (run / "eg" / "base_x.ref").read_bytes()[:3000],
        "index": (run / "eg" / "base_z.dak").read_bytes()[:2000],
        "spaces": b" " * 300 + b"house" * 40,
    }
    with tempfile.TemporaryDirectory() as scratch:
        for name, data in samples.items():
            plain = Path(scratch) / name
            plain.write_bytes(data)
            subprocess.run(["mscompress", str(plain)], check=True, capture_output=True)
            write(folder, f"szdd-{name}", Path(scratch, name + "_").read_bytes())
    write(folder, "plain", samples["articles"][:500])
    write(folder, "empty", b"")


def seed_study_list(run):
    folder = clear("study_list")
    default = (run / "wave" / "EnglishFree").read_bytes()
    write(folder, "default", default)
    write(folder, "lf", default.replace(b"\r\n", b"\n")[:400])
    write(folder, "cr", default.replace(b"\r\n", b"\r")[:400])
    write(folder, "no-last-end", default[:300].rstrip(b"\r\n"))
    write(folder, "empty-lines", b"house\r\n\r\n\r\nword\n\nend")
    write(folder, "bulgarian", "къща\r\nдума\r\n".encode("cp1251"))
    write(folder, "utf8", "къща\nдума\n\nhouse".encode("utf-8"))
    write(folder, "utf8-bom", "\ufeffдом\r\n\r\nhouse\r\n".encode("utf-8"))
    write(folder, "utf8-unfit", "дом\n日本\nhouse\n".encode("utf-8"))


def seed_settings():
    folder = clear("settings")
    for i, value in enumerate([b"1112", b"1112\r\n", b"2221\r\n", b"12", b"", b"1\r\n112",
                               b"2222\nmore lines\n", b"1a1b\r\n"]):
        write(folder, f"value-{i}", value)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    run = Path(sys.argv[1])
    if shutil.which("mscompress") is None:
        sys.exit("mscompress is needed (Debian package mscompress)")
    entries = freedict_entries()
    seed_freedict(entries)
    seed_tsv(entries)
    seed_letter_index(run)
    seed_rtf(run)
    seed_lz(run)
    seed_study_list(run)
    seed_settings()


if __name__ == "__main__":
    main()
