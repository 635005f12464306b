#!/usr/bin/env python3
"""Regenerates the 52 voice clips and clips.rc from espeak-ng Mandarin and sox.

Each word is spoken on its own (citation tones), trimmed of silence, sped up
only as far as it must be to end 40 ms before its shortest slot, levelled to a
common loudness and written in its voice's format:
  B (male):           PCM, mono, 11025 Hz, 8-bit unsigned; only fmt and data.
  G (female) and BT1: MS ADPCM, mono, 22050 Hz, 4-bit, 512-byte blocks,
                      with fact and a LIST INFO chunk.
T1 is a soft tone, the same file for both voices.

Usage: make_clips.py [--out DIR] [--keep-work DIR]
Needs espeak-ng (with the cmn data) and sox on PATH.
"""

import argparse
import array
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

TICK_MS = 200
MARGIN_MS = 40
# Kept back from the hard limit so that resampling and block rounding can
# never push a clip over it.
SAFETY_MS = 6

# The plain "cmn" voice hands the dictionary's pinyin to English rules and
# reads the tone digits as English numbers; this one reads them as tones.
# The words are given in pinyin so that every tone is the one intended
# (the dictionary doubles a syllable of 凌晨, and 晚上 wants a neutral tone).
LANGUAGE = "cmn-latn-pinyin"
VOICES = {
    "B": {"variant": "m3", "speed": 135},
    "G": {"variant": "f2", "speed": 140},
}

# name, pinyin, characters, shortest slot in ticks
WORDS = [
    ("TIMENOW", "xian4 zai4 shi2 ke4", "现在时刻", 10),
    ("T0", "ling2 chen2", "凌晨", 5),
    ("AM", "shang4 wu3", "上午", 5),
    ("PM", "xia4 wu3", "下午", 5),
    ("EM", "wan3 shang5", "晚上", 5),
    ("0", "ling2", "零", 3),
    ("1", "yi1", "一", 3),
    ("2", "er4", "二", 3),
    ("3", "san1", "三", 3),
    ("4", "si4", "四", 3),
    ("5", "wu3", "五", 3),
    ("6", "liu4", "六", 3),
    ("7", "qi1", "七", 3),
    ("8", "ba1", "八", 3),
    ("9", "jiu3", "九", 3),
    ("10", "shi2", "十", 3),
    ("11", "shi2 yi1", "十一", 3),
    ("12", "shi2 er4", "十二", 3),
    ("T2", "liang3", "两", 3),
    ("20", "er4 shi2", "二十", 5),
    ("30", "san1 shi2", "三十", 5),
    ("40", "si4 shi2", "四十", 5),
    ("50", "wu3 shi2", "五十", 5),
    ("POINT", "dian3", "点", 3),
    ("MIN", "fen1", "分", 5),
]

# Loudness: speech at a common RMS level, peaks kept below full scale.
SPEECH_RMS_DB = -16.0
PEAK_CEILING_DB = -1.0
TONE_RMS_DB = -20.0
TONE_MS = 190

WORK_RATE = 22050
MSADPCM_COEFS = [(256, 0), (512, -256), (0, 0), (192, 64), (240, 0), (460, -208), (392, -232)]
MSADPCM_BLOCK_ALIGN = 512
MSADPCM_SAMPLES_PER_BLOCK = 1012
INFO_SOFTWARE = b"Zentick clip maker (espeak-ng, sox)"


def run(*args):
    # Repeatable runs: sox seeds its dither with a fixed number under -R.
    if args[0] == "sox":
        args = ("sox", "-R") + args[1:]
    subprocess.run([str(a) for a in args], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.PIPE)


def read_pcm16(path):
    with wave.open(path, "rb") as w:
        assert w.getnchannels() == 1 and w.getsampwidth() == 2, path
        samples = array.array("h", w.readframes(w.getnframes()))
        if sys.byteorder == "big":
            samples.byteswap()
        return samples, w.getframerate()


def duration_ms(path):
    samples, rate = read_pcm16(path)
    return 1000.0 * len(samples) / rate


def levels_db(path):
    samples, _ = read_pcm16(path)
    peak = max(abs(s) for s in samples) / 32768.0
    rms = math.sqrt(sum(s * s for s in samples) / len(samples)) / 32768.0
    return 20 * math.log10(peak), 20 * math.log10(rms)


def trim(src, dst):
    # Normalise first so the silence threshold means the same for every word.
    run("sox", src, dst, "highpass", "60", "norm", "-3",
        "silence", "1", "0.004", "-48d", "reverse", "silence", "1", "0.004", "-48d", "reverse")


def fit(src, dst, work, budget_ms):
    """Copies src to dst, sped up (pitch kept) only if it would not fit budget_ms."""
    natural = duration_ms(src)
    if natural <= budget_ms:
        shutil.copyfile(src, dst)
        return 1.0
    # Re-trimming after the stretch makes the result shorter than the factor
    # alone predicts, so home in on the gentlest factor that fits.
    factor, best = natural / budget_ms, None
    stretched = os.path.join(work, "stretched.wav")
    candidate = os.path.join(work, "candidate.wav")
    for _ in range(10):
        run("sox", src, stretched, "tempo", "-s", f"{factor:.4f}")
        trim(stretched, candidate)
        got = duration_ms(candidate)
        if got <= budget_ms and (best is None or factor < best):
            best = factor
            shutil.copyfile(candidate, dst)
        if budget_ms - 3 <= got <= budget_ms:
            break
        factor *= got / budget_ms
    if best is None:
        raise RuntimeError(f"{src}: cannot fit {budget_ms} ms")
    return best


def level(src, dst, rms_target_db):
    peak_db, rms_db = levels_db(src)
    gain = min(rms_target_db - rms_db, PEAK_CEILING_DB - peak_db)
    # Short fades so no clip starts or ends with a click.
    run("sox", src, dst, "gain", f"{gain:.2f}", "fade", "q", "0.004", "-0", "0.008")
    return gain


def chunks(data):
    assert data[:4] == b"RIFF" and data[8:12] == b"WAVE"
    pos, found = 12, {}
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        found[cid] = data[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    return found


def chunk(cid, body):
    return cid + struct.pack("<I", len(body)) + body + (b"\0" if len(body) & 1 else b"")


def riff(parts):
    body = b"WAVE" + b"".join(parts)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write_pcm8(src, dst, work):
    tmp = os.path.join(work, "pcm8.wav")
    run("sox", src, "-r", "11025", "-c", "1", "-b", "8", "-e", "unsigned-integer", tmp)
    data = chunks(open(tmp, "rb").read())[b"data"]
    fmt = struct.pack("<HHIIHH", 1, 1, 11025, 11025, 1, 8)
    with open(dst, "wb") as f:
        f.write(riff([chunk(b"fmt ", fmt), chunk(b"data", data)]))
    return 1000.0 * len(data) / 11025


def write_msadpcm(src, dst, work):
    tmp = os.path.join(work, "adpcm.wav")
    run("sox", src, "-r", "22050", "-c", "1", "-e", "ms-adpcm", tmp)
    found = chunks(open(tmp, "rb").read())
    samples = struct.unpack("<I", found[b"fact"][:4])[0]
    data = found[b"data"]
    tag, channels, rate, _, block, bits, extra, per_block, ncoef = struct.unpack_from(
        "<HHIIHHHHH", found[b"fmt "])
    coefs = list(struct.iter_unpack("<hh", found[b"fmt "][22:22 + 4 * ncoef]))
    expected = (2, 1, 22050, MSADPCM_BLOCK_ALIGN, 4, 32, MSADPCM_SAMPLES_PER_BLOCK, 7)
    got = (tag, channels, rate, block, bits, extra, per_block, ncoef)
    if got != expected or coefs != MSADPCM_COEFS or len(data) % MSADPCM_BLOCK_ALIGN:
        raise RuntimeError(f"sox wrote an unexpected ADPCM layout {got}")
    fmt = struct.pack("<HHIIHHHHH", 2, 1, 22050,
                      22050 * MSADPCM_BLOCK_ALIGN // MSADPCM_SAMPLES_PER_BLOCK,
                      MSADPCM_BLOCK_ALIGN, 4, 32, MSADPCM_SAMPLES_PER_BLOCK, 7)
    fmt += b"".join(struct.pack("<hh", *c) for c in MSADPCM_COEFS)
    info = b"INFO" + chunk(b"ISFT", INFO_SOFTWARE + b"\0")
    with open(dst, "wb") as f:
        f.write(riff([chunk(b"fmt ", fmt), chunk(b"fact", struct.pack("<I", samples)),
                      chunk(b"data", data), chunk(b"LIST", info)]))
    return 1000.0 * samples / 22050


def make_tone(dst, work):
    partials = os.path.join(work, "tone_partials.wav")
    raw = os.path.join(work, "tone_raw.wav")
    # A soft chime: the fundamental with a quiet octave, quick to rise, slow to fade.
    run("sox", "-n", "-r", WORK_RATE, "-c", "2", "-b", "16", partials,
        "synth", f"{TONE_MS / 1000:.3f}", "sine", "880", "sine", "1760")
    run("sox", partials, "-c", "1", raw, "remix", "1v0.8,2v0.2",
        "fade", "h", "0.012", "-0", "0.070")
    shaped = os.path.join(work, "tone.wav")
    level(raw, shaped, TONE_RMS_DB)
    return write_msadpcm(shaped, dst, work)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=here)
    parser.add_argument("--keep-work")
    args = parser.parse_args()
    for tool in ("espeak-ng", "sox"):
        if not shutil.which(tool):
            sys.exit(f"{tool} not found")

    os.makedirs(args.out, exist_ok=True)
    work = args.keep_work or tempfile.mkdtemp(prefix="zentick-clips-")
    os.makedirs(work, exist_ok=True)
    rows = []
    try:
        for prefix, voice in VOICES.items():
            for name, pinyin, _, ticks in WORDS:
                clip = prefix + name
                limit = ticks * TICK_MS - MARGIN_MS
                raw = os.path.join(work, clip + "_raw.wav")
                trimmed = os.path.join(work, clip + "_trim.wav")
                fitted = os.path.join(work, clip + "_fit.wav")
                final = os.path.join(work, clip + ".wav")
                run("espeak-ng", "-v", f"{LANGUAGE}+{voice['variant']}", "-s", voice["speed"],
                    "-w", raw, pinyin)
                trim(raw, trimmed)
                natural = duration_ms(trimmed)
                factor = fit(trimmed, fitted, work, limit - SAFETY_MS)
                level(fitted, final, SPEECH_RMS_DB)
                peak_db, rms_db = levels_db(final)
                writer = write_pcm8 if prefix == "B" else write_msadpcm
                length = writer(final, os.path.join(args.out, clip + ".wav"), work)
                if length > limit:
                    raise RuntimeError(f"{clip}: {length:.0f} ms exceeds {limit} ms")
                rows.append((clip, natural, factor, length, limit, peak_db, rms_db))

        tone = os.path.join(args.out, "GT1.wav")
        length = make_tone(tone, work)
        shutil.copyfile(tone, os.path.join(args.out, "BT1.wav"))
        peak_db, rms_db = levels_db(os.path.join(work, "tone.wav"))
        for clip in ("BT1", "GT1"):
            rows.append((clip, TONE_MS, 1.0, length, None, peak_db, rms_db))
    finally:
        if not args.keep_work:
            shutil.rmtree(work, ignore_errors=True)

    names = [p + n for p in VOICES for n, *_ in WORDS] + ["BT1", "GT1"]
    with open(os.path.join(args.out, "clips.rc"), "w", newline="\n") as rc:
        rc.write("// The voice clips; generated by voice/make_clips.py.\n")
        rc.write("LANGUAGE 4, 2\n")
        for clip in sorted(names, key=lambda n: (n[0], names.index(n))):
            rc.write(f'{clip} WAVE "voice/{clip}.wav"\n')

    heading = ("clip", "natural", "tempo", "length", "limit", "peak", "rms")
    print(f"{heading[0]:10}" + "".join(f" {h:>7}" for h in heading[1:]))
    for clip, natural, factor, length, limit, peak_db, rms_db in rows:
        print(f"{clip:10} {natural:7.0f} {factor:7.3f} {length:7.1f} {limit or '-':>7} "
              f"{peak_db:7.1f} {rms_db:7.1f}")


if __name__ == "__main__":
    main()
