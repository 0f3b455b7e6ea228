#!/usr/bin/python3
"""Writes golden-tables.txt: random bearings and the grid texts an independent model of the
design check gives for them (Python floats for the chain, decimal.Decimal for the texts).

Each case is a line "> units w1 b1 A dh Vap sliding selection" followed by its body rows,
the 13 cell texts of each joined by "|". Re-run only when the method itself changes:
    /usr/bin/python3 make_golden_tables.py > golden-tables.txt
"""
import math
import random
from decimal import Decimal, ROUND_HALF_EVEN, ROUND_HALF_UP

KT = [4000, 2500, 1500, 500, 400, 325, 275]
T = [0.125, 0.25, 0.375, 0.5, 0.625, 0.75, 1.0]
LABELS = {"imperial": ["1/8", "1/4", "3/8", "1/2", "5/8", "3/4", "1"],
          "si": ["3.175", "6.350", "9.525", "12.700", "15.875", "19.050", "25.400"]}
IN_PER_MM = 0.039370079
KIPS_PER_KN = 0.22477064229463
PSI_PER_NM2 = 0.00014503774


def text(x, round_places, mask_places):
    d = Decimal(x).quantize(Decimal(1).scaleb(-round_places), rounding=ROUND_HALF_EVEN)
    d = d.quantize(Decimal(1).scaleb(-mask_places), rounding=ROUND_HALF_UP)  # away from 0
    s = format(abs(d), "f")
    if s.startswith("0."):
        s = s[1:]
    return ("-" + s) if d < 0 else s


def chain(w1, b1, A, dh, Vap, sliding, t, kt):
    SF = (w1 * b1) / ((w1 + b1) * 2 * t)
    Vnr = math.pow(40, 1.8) * (SF * 0.6 + 2) * b1 * w1 / 1000
    if A != 0:
        W2 = (t * 40) / (math.tan(A) * 100)
        if W2 > w1:
            W2 = w1
    else:
        W2 = w1
    Snr = Vnr * 1000 / (W2 * b1)
    limit = 2500 if sliding else 8500
    if Snr > limit:
        Vnr = W2 * b1 * limit / 1000
    R = 1 / (math.pow(A, 2) * kt + 1)
    Var = R * Vnr
    Es = dh / t * 100
    Sap = Vap / (W2 * b1) * 1000
    N = Sap * 0.012 * math.sqrt(Es) * b1 * W2
    Ss = N / (W2 * b1)
    G = Ss * 100 / Es
    Nmax = Sap * 0.012 * math.sqrt(75) * b1 * W2
    return (Vap <= Var and N <= Nmax), (SF, Vnr, Snr, R, Var, W2, Es, Sap, N, Ss, G)


def rows(units, texts, sliding, selection):
    w1, b1, A, dh, Vap = (float(t) for t in texts)
    si = units == "si"
    if si:
        b1 *= IN_PER_MM
        w1 *= IN_PER_MM
        dh *= IN_PER_MM
        Vap *= KIPS_PER_KN
    out = []
    for i in range(7):
        if selection not in (0, i + 1):
            continue
        ok, (SF, Vnr, Snr, R, Var, W2, Es, Sap, N, Ss, G) = chain(w1, b1, A, dh, Vap, sliding,
                                                                  T[i], KT[i])
        if si:
            Vnr /= KIPS_PER_KN
            Snr /= PSI_PER_NM2
            Var /= KIPS_PER_KN
            W2 /= IN_PER_MM
            Sap /= PSI_PER_NM2
            N /= KIPS_PER_KN
            Ss /= PSI_PER_NM2
            G /= PSI_PER_NM2
        cells = ["Pass" if ok else "FAIL!", LABELS[units][i], text(SF, 4, 2), text(Vnr, 4, 2),
                 text(Snr, 4, 2), text(R, 4, 3), text(Var, 4, 2), text(W2, 4, 2),
                 text(Es, 2, 2), text(Sap, 4, 2), text(N, 4, 2), text(Ss, 4, 2),
                 text(G, 4, 2)]
        out.append("|".join(cells) + "|")
    return out


def number(rng, lo, hi, places):
    return f"{rng.uniform(lo, hi):.{places}f}"


def main():
    rng = random.Random(20240611)
    for case in range(120):
        units = "si" if case % 3 == 2 else "imperial"
        scale = 25.4 if units == "si" else 1.0
        w1 = number(rng, 1 * scale, 40 * scale, rng.choice([2, 4]))
        b1 = number(rng, 1 * scale, 40 * scale, rng.choice([2, 4]))
        A = rng.choice(["0", number(rng, 0, 0.05, 4), number(rng, 0, 0.05, 4),
                        number(rng, 0.05, 3, 4)])
        dh = number(rng, 0.01 * scale, 2 * scale, rng.choice([4, 6]))
        Vap = rng.choice(["0", number(rng, 0, 500 * (4.45 if units == "si" else 1), 4),
                          number(rng, 0, 50, 2)])
        sliding = rng.random() < 0.3
        selection = 0 if rng.random() < 0.7 else rng.randint(1, 7)
        texts = [w1, b1, A, dh, Vap]
        print("> " + " ".join([units] + texts + [str(int(sliding)), str(selection)]))
        for row in rows(units, texts, sliding, selection):
            print(row)


if __name__ == "__main__":
    main()
