#!/usr/bin/env python3
"""Writes the five conversion tables of vibsim's normal random numbers.

scripts/make_normal_tables.py [folder]   (data/ of the source tree by default)

Each table maps an input magnitude m (the key) to the standard normal
quantile z = Phi^-1(0.5 + m) (the value), for one band of magnitudes. The
keys ascend and cover the band; uniform_to_normal interpolates linearly
between neighbouring keys. The file holds the index n of the last entry and
then n + 1 lines "value key", in "%.17g" so that both read back exactly.

The quantile is found to full double precision by Newton's method on
0.5 * erf(z / sqrt 2) = m, or on the equivalent 0.5 * erfc(z / sqrt 2) = 0.5 - m
towards the tail, where 0.5 - m is exact and erfc keeps its relative accuracy.

m = 0.5 would be an infinite quantile. Its key stands for u = -0.5, the
outermost cell [0, 1/32768) of normal_random's uniform grid, so it gets the
quantile of that cell's midpoint, Phi^-1(1 - 1/65536) = 4.17: finite, above
the 4.01 of the next grid point 0.5 - 1/32768, so the table still ascends.
"""
import math
import pathlib
import statistics
import sys

SQRT2 = math.sqrt(2.0)


def density(z):
    return math.exp(-0.5 * z * z) / math.sqrt(2.0 * math.pi)


def quantile_of_half_plus(m, tail=None):
    """Phi^-1(0.5 + m) for 0 <= m < 0.5; tail, if given, is 0.5 - m exactly."""
    if m == 0.0:
        return 0.0
    if tail is None:
        tail = 0.5 - m  # exact for m >= 0.25 (Sterbenz)
    z = statistics.NormalDist().inv_cdf(0.5 + m) if tail > 1e-3 else -statistics.NormalDist().inv_cdf(tail)
    for _ in range(50):
        if m < 0.25:
            residual = 0.5 * math.erf(z / SQRT2) - m
        else:
            residual = tail - 0.5 * math.erfc(z / SQRT2)
        step = residual / density(z)
        z -= step
        if abs(step) <= 1e-17 * z:
            break
    return z


def band_keys():
    """The keys of the five bands, each list ascending and covering its band."""
    band1 = [k / 1000 for k in range(0, 101)]            # 0 ... 0.1 by 0.001: 101 entries
    bands2to4 = [[k / 400 for k in range(40 * b, 40 * b + 41)]  # by 0.0025: 41 entries each
                 for b in (1, 2, 3)]
    # Band 5 steepens towards 0.5: 49 keys with 0.5 - key falling geometrically
    # from 0.1 to 1/32768, the last grid point short of 0.5, and then 0.5.
    ratio = (1.0 / 32768 / 0.1) ** (1.0 / 48)
    tails = [0.1 * ratio ** i for i in range(48)] + [1.0 / 32768]
    band5 = [0.4] + [0.5 - t for t in tails[1:]] + [0.5]
    return [band1] + bands2to4 + [band5]


def write_tables(folder):
    names = ["normal01.data", "normal12.data", "normal23.data", "normal34.data", "normal45.data"]
    capacities = [102, 50, 50, 50, 50]
    for name, capacity, keys in zip(names, capacities, band_keys()):
        assert len(keys) <= capacity and keys == sorted(keys)
        lines = [f"{len(keys) - 1}"]
        for key in keys:
            value = quantile_of_half_plus(key) if key < 0.5 else quantile_of_half_plus(0.5 - 2**-16, 2**-16)
            lines.append("%.17g %.17g" % (value, key))
        (folder / name).write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    default = pathlib.Path(__file__).resolve().parent.parent / "data"
    write_tables(pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default)
