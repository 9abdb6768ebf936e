#!/usr/bin/env python3
"""Writes the bundled sample logs, the same bytes at every run (fixed seed):

  samples/dx_cw.adi   JIDX CW 2026 as a DX station (K1VU, CQ zone 5) logs it
  samples/ja_ssb.adi  JIDX SSB 2026 as a Japanese station (JA1VUO, Tokyo, county 10) logs it

Both are ADIF as contest loggers write it, with the faults the plug-in has to catch: dupes, QSOs on bands
outside the contest, exchanges that are no county code or missing, QSOs with the wrong side (zero points), a
maritime-mobile station, a QSO in the other mode, and portable calls.
"""
import datetime
import pathlib
import random

ROOT = pathlib.Path(__file__).resolve().parent.parent

CW_BANDS = [("160m", 1810, 20, 2), ("80m", 3510, 25, 6), ("40m", 7000, 30, 24),
            ("20m", 14000, 60, 30), ("15m", 21000, 60, 26), ("10m", 28000, 70, 12)]
SSB_BANDS = [("160m", 1850, 30, 1), ("80m", 3700, 90, 5), ("40m", 7050, 150, 20),
             ("20m", 14150, 200, 32), ("15m", 21200, 250, 28), ("10m", 28300, 400, 14)]
OUTSIDE = [("30m", 10100, 30), ("17m", 18068, 40), ("12m", 24890, 40)]

JA_HEADS = ["JA", "JE", "JF", "JG", "JH", "JI", "JJ", "JK", "JL", "JM", "JN", "JO", "JR", "JS", "7K", "7L", "7M"]
# County codes of the call areas 0..9 and how busy each area is.
AREAS = [(range(8, 10), 6), (range(10, 18), 30), (range(18, 22), 12), (range(22, 28), 14), (range(31, 36), 6),
         (range(36, 40), 4), (range(40, 48), 8), (range(2, 8), 6), (range(1, 2), 6), (range(28, 31), 3)]
# DX stations a Japanese station works: call head, CQ zone, weight.
DX = [("K1", 5, 8), ("W2", 5, 6), ("N4", 5, 5), ("K5", 4, 4), ("W6", 3, 10), ("K7", 3, 5), ("VE3", 4, 4),
      ("VE7", 3, 3), ("KH6", 31, 4), ("KL7", 1, 2), ("DL", 14, 6), ("G", 14, 3), ("F", 14, 3), ("I", 15, 3),
      ("IT9", 15, 1), ("EA", 14, 3), ("SM", 14, 2), ("OH", 15, 2), ("UA3", 16, 4), ("UA9", 17, 4), ("UA0", 19, 3),
      ("UA2", 15, 1), ("UR", 16, 2), ("UN", 17, 1), ("EU", 16, 1), ("BY", 24, 5), ("BV", 24, 3), ("HL", 25, 6),
      ("DU", 27, 2), ("HS", 26, 2), ("YB", 28, 3), ("VK2", 30, 5), ("VK6", 29, 2), ("ZL", 32, 3), ("PY", 11, 2),
      ("LU", 13, 1)]


def suffix(rng):
    return "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(rng.choice((2, 3, 3, 3))))


def japanese_station(rng):
    """(call, county code)."""
    roll = rng.random()
    if roll < 0.015:
        return "JD1" + suffix(rng), "48"          # Ogasawara
    area = rng.choices(range(10), weights=[w for _, w in AREAS])[0]
    return f"{rng.choice(JA_HEADS)}{area}{suffix(rng)}", f"{rng.choice(list(AREAS[area][0])):02d}"


def dx_station(rng):
    """(call, CQ zone)."""
    head, zone, _ = rng.choices(DX, weights=[d[2] for d in DX])[0]
    if head[-1].isdigit():
        return head + suffix(rng), f"{zone:02d}"
    return f"{head}{rng.randrange(1, 10)}{suffix(rng)}", f"{zone:02d}"


def mhz(rng, low_khz, width_khz, decimals):
    hz = low_khz * 1000 + rng.randrange(width_khz * 10) * 100
    text = f"{hz // 1000000}.{hz % 1000000:06d}"
    return text[: len(text) - 6 + decimals] if decimals < 6 else text


def minutes_of_activity(rng, count, hours):
    """Sorted QSO minutes over the contest, thin in the small hours, busy at the end."""
    weights = []
    for h in range(hours):
        utc = (7 + h) % 24
        weights.append(0.3 if 17 <= utc <= 21 else 1.6 if h >= hours - 2 else 1.0)
    minutes = []
    for _ in range(count):
        h = rng.choices(range(hours), weights=weights)[0]
        minutes.append(h * 60 + rng.randrange(60))
    return sorted(minutes)


def field(name, value):
    return f"<{name}:{len(value.encode('utf-8'))}>{value}"


def write(path, header, records):
    out = [header.rstrip("\n"), field("ADIF_VER", "3.1.4") + " " + field("PROGRAMID", "make_samples.py"), "<EOH>", ""]
    for rec in records:
        out.append(" ".join(field(k, v) for k, v in rec if v is not None) + " <EOR>")
    path.parent.mkdir(exist_ok=True)
    path.write_bytes(("\n".join(out) + "\n").encode("utf-8"))
    print(f"{path.relative_to(ROOT)}: {len(records)} QSOs")


def dx_cw():
    rng = random.Random(20260411)
    own, own_zone = "K1VU", "05"
    start = datetime.datetime(2026, 4, 11, 7, 0)
    count = 460
    minutes = minutes_of_activity(rng, count, 30)
    dupes = set(range(41, count, 47))
    outside = {97, 251, 402}
    bad_exchange = {63: "51", 150: "00", 222: "599", 305: "1A", 371: " 7 "}
    no_exchange = {188}
    zero_points = {77: "W3", 210: "VE3", 333: "DL5", 420: "UA3"}
    maritime = {140}
    wrong_mode = {290}
    portable = {120: "/3", 266: "/P", 350: "/7"}
    minami = {180}

    worked, stations, qsos = set(), [], []
    for i, minute in enumerate(minutes):
        t = start + datetime.timedelta(minutes=minute, seconds=rng.randrange(60))
        band, low, width, _ = rng.choices(CW_BANDS, weights=[b[3] for b in CW_BANDS])[0]
        mode = "CW"
        if i in dupes:
            first = rng.choice(qsos[-25:])
            qsos.append(dict(first, time=t, freq=first["freq"]))
            continue
        if i in outside:
            band, low, width = OUTSIDE[sorted(outside).index(i)]
        if i in zero_points:
            call, exch = zero_points[i] + suffix(rng), "05"
        elif i in maritime:
            call, exch = "JA3" + suffix(rng) + "/MM", "25"
        elif i in minami:
            call, exch = "JD1BMM", "50"
        else:
            station = None
            if stations and rng.random() < 0.4:
                for cand in rng.sample(stations, min(6, len(stations))):
                    if (cand[0], band) not in worked:
                        station = cand
                        break
            while station is None:
                cand = japanese_station(rng)
                if all(cand[0] != s[0] for s in stations):
                    stations.append(cand)
                    station = cand
            call, exch = station
            if i in portable:
                call += portable[i]
        worked.add((call, band))
        if i in bad_exchange:
            exch = bad_exchange[i]
        if i in no_exchange:
            exch = None
        if i in wrong_mode:
            mode = "SSB"
        qsos.append(dict(call=call, time=t, band=band, freq=mhz(rng, low, width, rng.choice((4, 5, 6))),
                         mode=mode, exch=exch))

    records = []
    for q in qsos:
        records.append([("CALL", q["call"]), ("QSO_DATE", q["time"].strftime("%Y%m%d")),
                        ("TIME_ON", q["time"].strftime("%H%M%S")), ("BAND", q["band"].upper()),
                        ("FREQ", q["freq"]), ("MODE", q["mode"]),
                        ("RST_SENT", "599" if q["mode"] == "CW" else "59"),
                        ("RST_RCVD", "599" if q["mode"] == "CW" else "59"),
                        ("STX_STRING", own_zone), ("SRX_STRING", q["exch"]),
                        ("STATION_CALLSIGN", own), ("CONTEST_ID", "JIDX-CW")])
    write(ROOT / "samples" / "dx_cw.adi",
          "JIDX CW 2026, K1VU (a DX station): sample log written by scripts/make_samples.py\n", records)


def ja_ssb():
    rng = random.Random(20261114)
    own, own_county = "JA1VUO", "10"
    start = datetime.datetime(2026, 11, 14, 7, 0)
    count = 380
    minutes = minutes_of_activity(rng, count, 30)
    dupes = set(range(33, count, 41))
    outside = {88, 240}
    no_exchange = {131, 299}
    zero_points = {57, 199, 345}      # Japanese stations: no points for a Japanese station
    wrong_mode = {160}
    portable = {75: "/P", 270: "/KH6"}
    names = ["Jürgen", "José", "Søren", "Łukasz", "François", "Ñico"]

    worked, stations, qsos = set(), [], []
    for i, minute in enumerate(minutes):
        t = start + datetime.timedelta(minutes=minute)
        band, low, width, _ = rng.choices(SSB_BANDS, weights=[b[3] for b in SSB_BANDS])[0]
        mode = "SSB"
        if i in dupes:
            first = rng.choice(qsos[-25:])
            qsos.append(dict(first, time=t))
            continue
        if i in outside:
            band, low, width = OUTSIDE[sorted(outside).index(i) + 1]
        if i in zero_points:
            call, exch = japanese_station(rng)
        else:
            station = None
            if stations and rng.random() < 0.35:
                for cand in rng.sample(stations, min(6, len(stations))):
                    if (cand[0], band) not in worked:
                        station = cand
                        break
            while station is None:
                cand = dx_station(rng)
                if all(cand[0] != s[0] for s in stations):
                    stations.append(cand)
                    station = cand
            call, exch = station
            if i in portable:
                call = (call + portable[i]) if portable[i] == "/P" else "W6" + suffix(rng) + portable[i]
                exch = "31" if portable[i] == "/KH6" else exch
        worked.add((call, band))
        if i in no_exchange:
            exch = None
        if i in wrong_mode:
            mode = "CW"
        name = rng.choice(names) if rng.random() < 0.05 else None
        qsos.append(dict(call=call, time=t, band=band, freq=mhz(rng, low, width, rng.choice((3, 4, 6))),
                         mode=mode, exch=exch, name=name))

    records = []
    for q in qsos:
        ssb = q["mode"] == "SSB"
        records.append([("call", q["call"]), ("qso_date", q["time"].strftime("%Y%m%d")),
                        ("time_on", q["time"].strftime("%H%M")), ("band", q["band"]), ("freq", q["freq"]),
                        ("mode", q["mode"]), ("submode", ("USB" if float(q["freq"]) >= 10 else "LSB") if ssb else None),
                        ("rst_sent", "59" if ssb else "599"), ("rst_rcvd", "59" if ssb else "599"),
                        ("stx_string", own_county), ("srx_string", q["exch"]), ("name", q["name"]),
                        ("operator", own)])
    write(ROOT / "samples" / "ja_ssb.adi",
          "JIDX SSB 2026, JA1VUO (a Japanese station): sample log written by scripts/make_samples.py\n", records)


if __name__ == "__main__":
    dx_cw()
    ja_ssb()
