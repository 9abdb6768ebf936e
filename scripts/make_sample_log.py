#!/usr/bin/env python3
"""Writes samples/dx_cw_sample.log: a DX station's JIDX CW log in hostsim's format, the same at every run.

Mostly good QSOs with Japanese stations, plus the faults the plug-in must catch: dupes, a QSO on a band outside
the contest, exchanges that are no county code (one of them empty), and QSOs with non-Japanese stations.
"""
import datetime
import pathlib
import random

SEED = 20260411
QSO_COUNT = 400
START = datetime.datetime(2026, 4, 11, 7, 0)
END = datetime.datetime(2026, 4, 12, 13, 0)

# Band, lowest CW frequency in kHz, width in kHz, weight.
BANDS = [("160m", 1810, 20, 3), ("80m", 3510, 25, 7), ("40m", 7000, 30, 25),
         ("20m", 14000, 60, 30), ("15m", 21000, 60, 25), ("10m", 28000, 70, 10)]
JA_PREFIXES = ["JA", "JE", "JF", "JG", "JH", "JI", "JJ", "JK", "JL", "JM", "JN", "JO", "JR", "JS", "7K", "7L"]
# County codes (JARL prefecture numbers) of the call areas 0..9, and how busy each area is.
AREAS = [(range(8, 10), 6), (range(10, 18), 30), (range(18, 22), 12), (range(22, 28), 14), (range(31, 36), 6),
         (range(36, 40), 4), (range(40, 48), 8), (range(2, 8), 6), (range(1, 2), 6), (range(28, 31), 3)]
FOREIGN = [("W1", "K", "05"), ("VE3", "VE", "04"), ("UA3", "UA", "16"), ("DL1", "DL", "14"), ("BY4", "BY", "24")]
BAD_EXCHANGES = ["51", "00", "599", "1A", "-"]


def suffix(rng):
    return "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(rng.choice((2, 3, 3, 3))))


def japanese_station(rng):
    """(call, country prefix, county code)."""
    if rng.random() < 0.02:
        return "JD1" + suffix(rng), "JD/o", "50"
    area = rng.choices(range(10), weights=[w for _, w in AREAS])[0]
    county = rng.choice(list(AREAS[area][0]))
    return f"{rng.choice(JA_PREFIXES)}{area}{suffix(rng)}", "JA", f"{county:02d}"


def frequency_hz(rng, low_khz, width_khz):
    return low_khz * 1000 + rng.randrange(width_khz * 10) * 100


def main():
    rng = random.Random(SEED)
    stations = []                 # (call, prefix, county) in order of first QSO
    worked = {}                   # (call, band) -> True; a dict keeps the order the same at every run
    good = []                     # indexes of good QSOs, for dupes
    qsos = []                     # (time, freq, call, exchange, prefix, band)
    span = (END - START).total_seconds() / 60
    minutes = sorted(rng.randrange(int(span)) for _ in range(QSO_COUNT))

    # Where the faults go: fixed positions, spread over the contest.
    dupes = set(range(37, QSO_COUNT, 45))            # 9
    wrong_band = {211}
    bad_exchange = {58, 143, 260, 333, 377}          # "-" among them: no exchange at all
    zero_points = {91, 188, 289, 351}

    for i, minute in enumerate(minutes):
        time = START + datetime.timedelta(minutes=minute)
        band, low, width, _ = rng.choices(BANDS, weights=[b[3] for b in BANDS])[0]
        if i in dupes and good:
            first = qsos[rng.choice(good[-30:])]
            qsos.append((time, first[1] + rng.randrange(10) * 100, first[2], first[3], first[4], first[5]))
            continue
        if i in wrong_band:
            call, prefix, county = japanese_station(rng)
            qsos.append((time, frequency_hz(rng, 10100, 30), call, county, prefix, "30m"))
            continue
        if i in zero_points:
            head, prefix, zone = FOREIGN[len([z for z in zero_points if z < i]) % len(FOREIGN)]
            qsos.append((time, frequency_hz(rng, low, width), head + suffix(rng), zone, prefix, band))
            continue
        station = None
        if stations and rng.random() < 0.35:
            for candidate in rng.sample(stations, min(5, len(stations))):
                if (candidate[0], band) not in worked:
                    station = candidate
                    break
        while station is None:
            candidate = japanese_station(rng)
            if all(candidate[0] != s[0] for s in stations):
                stations.append(candidate)
                station = candidate
        call, prefix, county = station
        worked[(call, band)] = True
        exchange = county
        if i in bad_exchange:
            exchange = BAD_EXCHANGES[sorted(bad_exchange).index(i)]
        else:
            good.append(len(qsos))
        qsos.append((time, frequency_hz(rng, low, width), call, exchange, prefix, band))

    lines = [
        "# JIDX CW, K1AR (a DX station): a sample log for hostsim, written by scripts/make_sample_log.py.",
        "# date\ttime\tfreqHz\tmode\tcall\trstSent\texchSent\trstRcvd\texchRcvd\tprefix\tband",
        "OWNCALL K1AR",
        "OWNPREFIX K",
        START.strftime("START %Y-%m-%d %H%M"),
        END.strftime("END %Y-%m-%d %H%M"),
    ]
    for time, freq, call, exchange, prefix, band in qsos:
        lines.append("\t".join([time.strftime("%Y-%m-%d"), time.strftime("%H%M"), str(freq), "CW", call, "599", "05",
                                "599", exchange, prefix, band]))
    out = pathlib.Path(__file__).resolve().parent.parent / "samples" / "dx_cw_sample.log"
    out.parent.mkdir(exist_ok=True)
    out.write_text("\n".join(lines) + "\n", encoding="ascii", newline="\n")
    print(f"{out}: {len(qsos)} QSOs")


if __name__ == "__main__":
    main()
