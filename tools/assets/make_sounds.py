"""The six game sounds, synthesised: mono, 8-bit unsigned PCM.

bugsound  22050 Hz  a bug pops up: a quick double chirp
whoosh    11025 Hz  the mallet swings / a box turns into a flower: a short breath of air
oops      11025 Hz  a missed double-click: a playful falling "oo-ops"
ok        22050 Hz  a jigsaw piece snaps home: a bright two-note chime
oh        11025 Hz  a piece flies back: a soft low falling tone
complete   8000 Hz  the puzzle is done: a short fanfare
"""

import math
import os
import sys

import numpy as np

import pxart as px

RATES = {"bugsound": 22050, "whoosh": 11025, "oops": 11025, "ok": 22050, "oh": 11025, "complete": 8000}


def _t(rate, seconds):
    return np.arange(int(round(rate * seconds))) / rate


def _env(t, attack, release, total):
    """Linear attack, then exponential-ish fall reaching zero at `total`."""
    a = np.clip(t / attack, 0, 1)
    r = np.clip((total - t) / release, 0, 1)
    return a * r ** 1.5


def _sweep_phase(f, rate):
    return 2 * math.pi * np.cumsum(f) / rate


def _tone(phase, partials, nyquist, freq):
    out = np.zeros_like(phase)
    for n, amp in partials:
        ok = (freq * n) < nyquist * 0.9
        out += amp * np.sin(n * phase) * ok
    return out


def _normalise(x, peak=0.85):
    return x / np.max(np.abs(x)) * peak


def bugsound(rate):
    total = 0.36
    t = _t(rate, total)
    out = np.zeros_like(t)
    for start, f0, f1 in ((0.0, 1700, 3100), (0.15, 2000, 3600)):
        dur = 0.13
        u = t - start
        on = (u >= 0) & (u < dur)
        uu = np.clip(u, 0, dur)
        f = f0 * (f1 / f0) ** (uu / dur) * (1 + 0.02 * np.sin(2 * math.pi * 38 * uu))
        ph = _sweep_phase(np.where(on, f, 0), rate)
        env = np.where(on, np.clip(uu / 0.008, 0, 1) * np.exp(-uu / 0.05) * np.clip((dur - uu) / 0.03, 0, 1), 0)
        out += env * (np.sin(ph) + 0.25 * np.sin(2 * ph))
    return _normalise(out * _env(t, 0.002, 0.02, total))


def _resonator(x, centre, q, rate):
    """Time-varying two-pole band-pass filter over x."""
    y = np.zeros_like(x)
    y1 = y2 = 0.0
    for i in range(len(x)):
        w = 2 * math.pi * centre[i] / rate
        r = math.exp(-w / (2 * q))
        a1, a2 = 2 * r * math.cos(w), -r * r
        v = (1 - r) * x[i] + a1 * y1 + a2 * y2
        y2, y1 = y1, v
        y[i] = v
    return y


def whoosh(rate):
    total = 0.2
    t = _t(rate, total)
    rng = np.random.RandomState(7)
    noise = rng.uniform(-1, 1, len(t))
    u = t / total
    centre = 500 + 2300 * np.sin(math.pi * np.clip(u * 1.1, 0, 1)) ** 2
    y = _resonator(noise, centre, 2.2, rate) + 0.3 * _resonator(noise, centre * 1.8, 3.0, rate)
    env = np.sin(math.pi * np.clip(u, 0, 1)) ** 1.6
    return _normalise(y * env, 0.8)


def oops(rate):
    total = 0.56
    t = _t(rate, total)
    out = np.zeros_like(t)
    nyq = rate / 2
    for start, dur, f0, f1 in ((0.0, 0.2, 620, 560), (0.22, 0.32, 470, 330)):
        u = t - start
        on = (u >= 0) & (u < dur)
        uu = np.clip(u, 0, dur)
        f = f0 * (f1 / f0) ** (uu / dur) * (1 + 0.012 * np.sin(2 * math.pi * 7 * uu))
        f = np.where(on, f, 0)
        ph = _sweep_phase(f, rate)
        # A round, vowel-like tone: strong low partials.
        tone = _tone(ph, [(1, 1.0), (2, 0.45), (3, 0.2), (4, 0.08)], nyq, np.maximum(f, 1))
        env = np.where(on, np.clip(uu / 0.015, 0, 1) * np.clip((dur - uu) / 0.08, 0, 1), 0)
        out += env * tone
    # Round vowel tones sound louder than the chimes at the same peak.
    return _normalise(out, 0.65)


def ok(rate):
    total = 0.46
    t = _t(rate, total)
    out = np.zeros_like(t)
    nyq = rate / 2
    for start, f in ((0.0, 1318.5), (0.08, 1760.0)):
        u = np.clip(t - start, 0, None)
        on = t >= start
        for n, amp, decay in ((1, 1.0, 0.16), (2.0, 0.35, 0.09), (3.0, 0.18, 0.05), (4.2, 0.08, 0.03)):
            if f * n < nyq * 0.9:
                out += on * amp * np.sin(2 * math.pi * f * n * u) * np.exp(-u / decay) * np.clip(u / 0.003, 0, 1)
    return _normalise(out * _env(t, 0.001, 0.05, total))


def oh(rate):
    total = 0.8
    t = _t(rate, total)
    nyq = rate / 2
    f = 330 * (196 / 330) ** np.clip(t / 0.6, 0, 1) * (1 + 0.015 * np.sin(2 * math.pi * 5.5 * t))
    ph = _sweep_phase(f, rate)
    tone = _tone(ph, [(1, 1.0), (2, 0.4), (3, 0.15)], nyq, f)
    env = np.clip(t / 0.04, 0, 1) * np.clip((total - t) / 0.35, 0, 1) ** 1.3
    return _normalise(tone * env, 0.72)


def complete(rate):
    total = 1.5
    t = _t(rate, total)
    nyq = rate / 2
    out = np.zeros_like(t)
    c5 = 523.25
    notes = [(0.0, 0.13, c5), (0.13, 0.13, c5 * 2 ** (4 / 12)), (0.26, 0.13, c5 * 2 ** (7 / 12)),
             (0.40, 1.1, c5 * 2), (0.40, 1.1, c5 * 2 ** (16 / 12)), (0.40, 1.1, c5 * 2 ** (7 / 12))]
    brass = [(1, 1.0), (2, 0.55), (3, 0.35), (4, 0.2), (5, 0.12), (6, 0.07)]
    for start, dur, f in notes:
        u = t - start
        on = (u >= 0) & (u < dur)
        uu = np.clip(u, 0, dur)
        vib = 1 + 0.006 * np.sin(2 * math.pi * 5.5 * uu) * np.clip((uu - 0.15) / 0.2, 0, 1)
        ph = 2 * math.pi * f * np.cumsum(np.where(on, vib, 0)) / rate
        tone = _tone(ph, brass, nyq, f)
        rel = 0.05 if dur < 0.5 else 0.45
        env = np.where(on, np.clip(uu / 0.012, 0, 1) * np.clip((dur - uu) / rel, 0, 1) ** 1.2, 0)
        out += env * tone * (0.9 if dur < 0.5 else 0.55)
    return _normalise(out)


GENERATORS = {"bugsound": bugsound, "whoosh": whoosh, "oops": oops, "ok": ok, "oh": oh, "complete": complete}


def main(out_dir, preview_dir=None):
    for name, gen in GENERATORS.items():
        rate = RATES[name]
        s = gen(rate)
        assert np.all(np.isfinite(s)) and np.max(np.abs(s)) <= 1.0, name
        px.write_wav(os.path.join(out_dir, name + ".wav"), s, rate)
        if preview_dir:
            _plot(os.path.join(preview_dir, name + "_wav.png"), s, rate, name)


def _plot(path, s, rate, name):
    """Waveform envelope plot (min/max per column) for a visual listen-check."""
    from PIL import Image, ImageDraw
    w, h = 600, 120
    img = Image.new("RGB", (w, h), (255, 255, 255))
    d = ImageDraw.Draw(img)
    n = len(s)
    for x in range(w):
        seg = s[x * n // w:max(x * n // w + 1, (x + 1) * n // w)]
        y0 = int(h / 2 - seg.max() * h / 2)
        y1 = int(h / 2 - seg.min() * h / 2)
        d.line([(x, y0), (x, y1)], fill=(40, 80, 160))
    d.text((4, 2), "%s %d Hz %.2f s" % (name, rate, n / rate), fill=(0, 0, 0))
    img.save(path)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    main(os.path.join(here, "..", "..", "resources"), sys.argv[1] if len(sys.argv) > 1 else None)
