#!/usr/bin/env python3
"""Writes data/Dane/materiały.txt, the materials catalogue, from the table below.

The file is Windows-1250 text with CR LF line ends. Every material is a marker
line (its tree label) followed by the eight record lines: name, fill pattern,
lambda medium-humid, lambda humid, vapour permeability 720/mu in
10^-6 g/(m h Pa) (-1: vapour-tight, "max"), density, default thickness,
specific heat. The humid conductivity is derived from the medium-humid one with
the moisture conversion of EN ISO 10456, lambda2 = lambda1 * exp(f * (x2 - x1)),
x the moisture content at 23 degC / 50 % and 23 degC / 80 % RH; the factors of
each kind of material are in MOISTURE below and repeated in the file's comments.

Usage: tools/gen_materialy.py [output]   (default: data/Dane/materiały.txt)
"""
import math
import os
import sys

# name: (factor f, x at 23/50, x at 23/80, note written into the file)
MOISTURE = {
    "cer": (10, 0.007, 0.012, "cegła ceramiczna: psi 0,007 -> 0,012 m3/m3, f_psi 10 (x1,051)"),
    "sil": (10, 0.012, 0.024, "silikaty: psi 0,012 -> 0,024 m3/m3, f_psi 10 (x1,127)"),
    "aac": (4, 0.026, 0.045, "beton komórkowy: u 0,026 -> 0,045 kg/kg, f_u 4 (x1,079)"),
    "lwa": (4, 0.02, 0.03, "beton z kruszywa keramzytowego: u 0,02 -> 0,03 kg/kg, f_u 4 (x1,041)"),
    "mor": (4, 0.04, 0.06, "zaprawy, tynki i betony: psi 0,04 -> 0,06 m3/m3, f_psi 4 (x1,083)"),
    "dry": (0, 0, 0, "izolacje zamkniętokomórkowe, wełna mineralna, szkło piankowe: psi 0 -> 0 (bez zmiany)"),
    "wfb": (1.5, 0.10, 0.16, "płyty z włókien drzewnych: u 0,10 -> 0,16 kg/kg, f_u 1,5 (x1,094)"),
    "crk": (6, 0.008, 0.011, "korek ekspandowany: psi 0,008 -> 0,011 m3/m3, f_psi 6 (x1,018)"),
    "wod": (1.25, 0.10, 0.16, "drewno i płyty drewnopochodne: u 0,10 -> 0,16 kg/kg z izoterm sorpcji, f_u 1,25 (x1,078)"),
}

MAX = -1  # vapour-tight


def d(mu):
    """Vapour permeability in 10^-6 g/(m h Pa) from the diffusion resistance factor."""
    return 720.0 / mu


# Groups: (label, source comment, entries). An entry is ("@", subgroup label, comment)
# or (label, name, pattern, lambda, moisture kind, permeability, density, thickness, heat).
CATALOGUE = [
    ("Mury", "Mury: lambda dla warunków średniowilgotnych z krajowych tablic wartości obliczeniowych "
     "(PN-EN ISO 6946, załącznik krajowy; dawne PN-91/B-02020); pustaki - typowe wartości deklarowane.", [
        ("@", "Ceramiczne", "delta: dawne tablice krajowe (cegła pełna 105, kratówka i dziurawka 150); "
         "pustaki i klinkier 720/mu z mu 7,5 i 50 (EN ISO 10456)"),
        ("Cegła ceramiczna pełna, 1800 kg/m3", "Mur z cegły ceramicznej pełnej", "cegl", 0.77, "cer", 105, 1800, 0.25, 880),
        ("Cegła kratówka, 1300 kg/m3", "Mur z cegły ceramicznej kratówki", "cegl", 0.56, "cer", 150, 1300, 0.25, 880),
        ("Cegła dziurawka, 1400 kg/m3", "Mur z cegły ceramicznej dziurawki", "cegl", 0.62, "cer", 150, 1400, 0.25, 880),
        ("Cegła klinkierowa, 1900 kg/m3", "Mur z cegły klinkierowej", "cegl", 1.05, "cer", d(50), 1900, 0.12, 880),
        ("Pustak ceramiczny drążony, 1000 kg/m3", "Mur z pustaków ceramicznych drążonych", "cegl", 0.36, "cer", d(7.5), 1000, 0.25, 880),
        ("@", "Silikatowe", "delta 720/mu, mu 20 (EN ISO 10456, silikaty 15/25)"),
        ("Cegła silikatowa pełna, 1900 kg/m3", "Mur z cegły silikatowej pełnej", "sili", 0.90, "sil", d(20), 1900, 0.25, 880),
        ("Cegła silikatowa drążona, 1600 kg/m3", "Mur z cegły silikatowej drążonej", "sili", 0.80, "sil", d(20), 1600, 0.25, 880),
        ("Cegła silikatowa dziurawka, 1500 kg/m3", "Mur z cegły silikatowej dziurawki", "sili", 0.75, "sil", d(20), 1500, 0.25, 880),
        ("@", "Beton komórkowy na cienkiej spoinie", "delta 150 (dawne tablice krajowe), c 840"),
        ("Beton komórkowy 400", "Mur z betonu komórkowego 400 na cienkiej spoinie", "komo", 0.14, "aac", 150, 400, 0.24, 840),
        ("Beton komórkowy 500", "Mur z betonu komórkowego 500 na cienkiej spoinie", "komo", 0.17, "aac", 150, 500, 0.24, 840),
        ("Beton komórkowy 600", "Mur z betonu komórkowego 600 na cienkiej spoinie", "komo", 0.21, "aac", 150, 600, 0.24, 840),
        ("Beton komórkowy 700", "Mur z betonu komórkowego 700 na cienkiej spoinie", "komo", 0.25, "aac", 150, 700, 0.24, 840),
        ("@", "Bloczki betonowe", "delta: beton zwykły 30 (dawne tablice krajowe), keramzytobeton 720/mu z mu 10 (EN ISO 10456)"),
        ("Bloczek betonowy pełny, 2200 kg/m3", "Mur z bloczków betonowych pełnych", "beto", 1.30, "mor", 30, 2200, 0.24, 840),
        ("Bloczek keramzytobetonowy, 1200 kg/m3", "Mur z bloczków keramzytobetonowych", "beto", 0.46, "lwa", d(10), 1200, 0.24, 840),
    ]),
    ("Betony", "Betony: lambda z krajowych tablic wartości obliczeniowych (beton zwykły z kruszywa kamiennego, "
     "żelbet); delta 30 (dawne tablice krajowe), jastrych 720/mu z mu 30; c 840.", [
        ("Żelbet, 2500 kg/m3", "Żelbet", "beto", 1.70, "mor", 30, 2500, 0.20, 840),
        ("Beton zwykły, 2400 kg/m3", "Beton zwykły z kruszywa kamiennego 2400", "beto", 1.70, "mor", 30, 2400, 0.20, 840),
        ("Beton zwykły, 2200 kg/m3", "Beton zwykły z kruszywa kamiennego 2200", "beto", 1.30, "mor", 30, 2200, 0.20, 840),
        ("Beton zwykły, 1900 kg/m3", "Beton zwykły z kruszywa kamiennego 1900", "beto", 1.00, "mor", 30, 1900, 0.20, 840),
        ("Jastrych cementowy, 2000 kg/m3", "Jastrych cementowy", "beto", 1.00, "mor", d(30), 2000, 0.05, 840),
    ]),
    ("Zaprawy i tynki", "Zaprawy i tynki: lambda z krajowych tablic wartości obliczeniowych (zaprawy cementowa, "
     "cementowo-wapienna, wapienna, tynk gipsowy); zaprawy ciepłochronne i klejowe - typowe wartości deklarowane; "
     "delta: tynk cementowo-wapienny 45 i wapienny 75 (dawne tablice krajowe), pozostałe 720/mu (EN ISO 10456).", [
        ("Zaprawa cementowa", "Zaprawa cementowa", "tynk", 1.00, "mor", d(25), 2000, 0.015, 840),
        ("Tynk cementowo-wapienny", "Tynk cementowo-wapienny", "tynk", 0.82, "mor", 45, 1850, 0.015, 840),
        ("Tynk wapienny", "Tynk wapienny", "tynk", 0.70, "mor", 75, 1700, 0.015, 840),
        ("Tynk gipsowy", "Tynk gipsowy", "tynk", 0.52, "mor", d(10), 1300, 0.01, 840),
        ("Zaprawa ciepłochronna", "Zaprawa ciepłochronna", "tynk", 0.18, "mor", d(10), 700, 0.015, 840),
        ("Tynk ciepłochronny", "Tynk ciepłochronny", "tynk", 0.13, "mor", d(8), 500, 0.03, 1000),
        ("Zaprawa klejowa do płyt izolacyjnych", "Zaprawa klejowa do płyt izolacyjnych", "tynk", 0.80, "mor", d(20), 1500, 0.005, 1000),
        ("Warstwa zbrojona (klej z siatką)", "Warstwa zbrojona z zaprawy klejowej i siatki", "tynk", 0.80, "mor", d(20), 1500, 0.004, 1000),
    ]),
    ("Tynki cienkowarstwowe", "Tynki cienkowarstwowe: typowe wartości deklarowane wypraw elewacyjnych "
     "(lambda wg EN 1745 dla zapraw, mu 20 mineralny, 30 silikatowy, 40 silikonowo-silikatowy, 60 silikonowy, "
     "100 akrylowy, 150 mozaikowy).", [
        ("Tynk cienkowarstwowy mineralny", "Tynk cienkowarstwowy mineralny", "tynk", 0.80, "mor", d(20), 1700, 0.002, 1000),
        ("Tynk cienkowarstwowy akrylowy", "Tynk cienkowarstwowy akrylowy", "tynk", 0.70, "mor", d(100), 1800, 0.0015, 1000),
        ("Tynk cienkowarstwowy silikonowy", "Tynk cienkowarstwowy silikonowy", "tynk", 0.70, "mor", d(60), 1800, 0.0015, 1000),
        ("Tynk cienkowarstwowy silikatowy", "Tynk cienkowarstwowy silikatowy", "tynk", 0.80, "mor", d(30), 1800, 0.0015, 1000),
        ("Tynk cienkowarstwowy silikonowo-silikatowy", "Tynk cienkowarstwowy silikonowo-silikatowy", "tynk", 0.75, "mor", d(40), 1800, 0.0015, 1000),
        ("Tynk cienkowarstwowy mozaikowy", "Tynk cienkowarstwowy mozaikowy", "tynk", 0.70, "mor", d(150), 1900, 0.002, 1000),
    ]),
    ("Izolacje cieplne", "Izolacje cieplne: lambda deklarowane typowych wyrobów (EN 13163, 13164, 13162, 13165); "
     "delta: styropian 12 i wełna mineralna 480 (dawne tablice krajowe), pozostałe 720/mu (EN ISO 10456). "
     "Wyroby paroszczelne mają bardzo małą delta zamiast -1: warstwa z -1 nie wnosi oporu dyfuzyjnego.", [
        ("@", "Styropian EPS", "mu 60; c 1460"),
        ("Styropian EPS 040 fasadowy", "Styropian EPS 040 fasadowy", "styr", 0.040, "dry", 12, 12, 0.15, 1460),
        ("Styropian EPS 038 fasadowy", "Styropian EPS 038 fasadowy", "styr", 0.038, "dry", 12, 14, 0.15, 1460),
        ("Styropian EPS 036 fasadowy", "Styropian EPS 036 fasadowy", "styr", 0.036, "dry", 12, 16, 0.15, 1460),
        ("Styropian EPS 100-038 podłogowo-dachowy", "Styropian EPS 100-038 podłogowo-dachowy", "styr", 0.038, "dry", 12, 18, 0.10, 1460),
        ("Styropian EPS 200-036", "Styropian EPS 200-036", "styr", 0.036, "dry", 12, 28, 0.10, 1460),
        ("Styropian grafitowy EPS 033", "Styropian grafitowy EPS 033", "styr", 0.033, "dry", 12, 15, 0.15, 1460),
        ("Styropian grafitowy EPS 031", "Styropian grafitowy EPS 031", "styr", 0.031, "dry", 12, 15, 0.15, 1460),
        ("@", "Polistyren ekstrudowany XPS", "mu 150; c 1460"),
        ("XPS 034", "Polistyren ekstrudowany XPS 034", "styr", 0.034, "dry", d(150), 30, 0.10, 1460),
        ("XPS 036", "Polistyren ekstrudowany XPS 036", "styr", 0.036, "dry", d(150), 32, 0.12, 1460),
        ("XPS 038", "Polistyren ekstrudowany XPS 038", "styr", 0.038, "dry", d(150), 33, 0.16, 1460),
        ("@", "Wełna mineralna", "delta 480; c 750"),
        ("Wełna skalna fasadowa 036", "Wełna skalna fasadowa 036", "welm", 0.036, "dry", 480, 90, 0.15, 750),
        ("Wełna skalna fasadowa 038", "Wełna skalna fasadowa 038", "welm", 0.038, "dry", 480, 120, 0.15, 750),
        ("Wełna skalna fasadowa 040", "Wełna skalna fasadowa 040", "welm", 0.040, "dry", 480, 140, 0.15, 750),
        ("Wełna skalna lamelowa 041", "Wełna skalna lamelowa 041", "welm", 0.041, "dry", 480, 80, 0.15, 750),
        ("Wełna skalna dachowa 039", "Wełna skalna dachowa 039", "welm", 0.039, "dry", 480, 150, 0.15, 750),
        ("Wełna szklana 032", "Wełna szklana 032", "welm", 0.032, "dry", 480, 20, 0.15, 750),
        ("Wełna szklana 035", "Wełna szklana 035", "welm", 0.035, "dry", 480, 15, 0.15, 750),
        ("Wełna szklana 039", "Wełna szklana 039", "welm", 0.039, "dry", 480, 12, 0.15, 750),
        ("@", "Pianki PUR i PIR", "mu 60, otwartokomórkowa mu 3, z okładziną aluminiową mu zastępcze 3000; c 1400"),
        ("Płyta PIR z okładziną aluminiową", "Płyta PIR z okładziną aluminiową", "pian", 0.022, "dry", d(3000), 32, 0.10, 1400),
        ("Płyta PIR z okładziną z welonu szklanego", "Płyta PIR z okładziną z welonu szklanego", "pian", 0.026, "dry", d(60), 32, 0.10, 1400),
        ("Pianka PUR natryskowa zamkniętokomórkowa", "Pianka PUR natryskowa zamkniętokomórkowa", "pian", 0.025, "dry", d(60), 35, 0.10, 1400),
        ("Pianka PUR natryskowa otwartokomórkowa", "Pianka PUR natryskowa otwartokomórkowa", "pian", 0.038, "dry", d(3), 10, 0.15, 1400),
        ("@", "Inne izolacje", "mu: szkło piankowe (praktycznie paroszczelne) 40000, włókno drzewne 5, korek 10, keramzyt 2"),
        ("Szkło piankowe", "Szkło piankowe", "izol", 0.042, "dry", d(40000), 120, 0.12, 840),
        ("Płyta z włókien drzewnych", "Płyta izolacyjna z włókien drzewnych", "izol", 0.042, "wfb", d(5), 160, 0.10, 2100),
        ("Płyta z korka ekspandowanego", "Płyta z korka ekspandowanego", "izol", 0.042, "crk", d(10), 110, 0.10, 1560),
        ("Keramzyt luzem", "Keramzyt luzem", "izol", 0.11, "dry", d(2), 350, 0.10, 1000),
    ]),
    ("Drewno i płyty", "Drewno i płyty: lambda z krajowych tablic wartości obliczeniowych (sosna, dąb w poprzek "
     "włókien) i EN ISO 10456 (płyty); delta 720/mu z mu dla stanu suchego EN ISO 10456.", [
        ("Sosna, świerk w poprzek włókien", "Drewno sosnowe lub świerkowe w poprzek włókien", "drew", 0.16, "wod", d(50), 550, 0.025, 2510),
        ("Dąb w poprzek włókien", "Drewno dębowe w poprzek włókien", "drew", 0.22, "wod", d(100), 800, 0.025, 2510),
        ("Płyta OSB", "Płyta OSB", "drew", 0.13, "wod", d(50), 650, 0.015, 1700),
        ("Sklejka", "Sklejka", "drew", 0.13, "wod", d(200), 500, 0.015, 1600),
        ("Płyta wiórowa", "Płyta wiórowa", "drew", 0.14, "wod", d(50), 650, 0.018, 1700),
        ("Płyta MDF", "Płyta MDF", "drew", 0.14, "wod", d(20), 700, 0.016, 1700),
        ("Płyta pilśniowa porowata", "Płyta pilśniowa porowata", "drew", 0.06, "wod", d(5), 250, 0.012, 1700),
        ("Płyta cementowo-wiórowa", "Płyta cementowo-wiórowa", "plyt", 0.23, "wod", d(50), 1200, 0.012, 1500),
        ("@", "Płyty gipsowe", "wilgotność jak dla tynków; mu 10 i 13"),
        ("Płyta gipsowo-kartonowa", "Płyta gipsowo-kartonowa", "plyt", 0.25, "mor", d(10), 900, 0.0125, 1000),
        ("Płyta gipsowo-włóknowa", "Płyta gipsowo-włóknowa", "plyt", 0.32, "mor", d(13), 1150, 0.0125, 1100),
    ]),
    ("Folie i membrany", "Folie i membrany: typowe wartości deklarowane (folia PE 0,2 mm o sd 100 m: mu 500000; "
     "papa mu 50000; membrana mu 50); przewodność bez znaczenia przy tych grubościach.", [
        ("Folia paroizolacyjna PE", "Folia paroizolacyjna PE", "foli", 0.40, "dry", d(500000), 950, 0.0002, 1800),
        ("Papa asfaltowa", "Papa asfaltowa", "foli", 0.18, "dry", d(50000), 1100, 0.004, 1000),
        ("Membrana wiatroizolacyjna", "Membrana wiatroizolacyjna", "foli", 0.20, "dry", d(50), 400, 0.0005, 1800),
    ]),
    ("Warstwy powietrza", "Warstwy powietrza: opór z tablicy warstw powietrza (Dane/opory powietrza.txt, "
     "EN ISO 6946), przewodność nie jest używana; dyfuzja pominięta (-1). Grubość do 0,3 m.", [
        ("Niewentylowana warstwa powietrza", "Niewentylowana warstwa powietrza", "powi", 0, None, MAX, 1.2, 0.02, 1000),
    ]),
]


def num(value, digits=4):
    """A number with a point, without trailing zeros."""
    if value == MAX:
        return "-1"
    text = f"{round(value, digits):.{digits}f}"
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return text if text not in ("", "-0") else "0"


def humid(lam, kind):
    if kind is None:
        return lam
    f, x1, x2, _ = MOISTURE[kind]
    return lam * math.exp(f * (x2 - x1))


def lines():
    out = [
        "; Katalog materiałów programu: grupy [..], podgrupy @, materiały * (w grupie) i # (w podgrupie).",
        "; Po wierszu materiału osiem wierszy: nazwa, wypełnienie (wzór kreskowania), lambda dla warunków",
        "; średniowilgotnych [W/(m*K)], lambda dla warunków wilgotnych [W/(m*K)], przepuszczalność pary wodnej",
        "; delta = 720/mu [10^-6 g/(m*h*Pa)] (-1: warstwa paroszczelna, \"max\"), gęstość [kg/m3],",
        "; grubość domyślna [m], ciepło właściwe w stanie suchym [J/(kg*K)].",
        "; Lambda dla warunków wilgotnych: przeliczenie wilgotnościowe EN ISO 10456,",
        ";   lambda2 = lambda1 * exp(f * (x2 - x1)), x dla 23 C/50% i 23 C/80% wilgotności względnej:",
    ]
    for _, (_, _, _, note) in MOISTURE.items():
        out.append(";   " + note)
    out.append("; Wartości są typowe; dla konkretnego wyrobu należy przyjąć jego wartości deklarowane.")
    count = 0
    for group, source, entries in CATALOGUE:
        out += ["", "; " + source, f"[{group}]"]
        in_subgroup = False
        for e in entries:
            if e[0] == "@":
                out += [f"; {e[1]}: {e[2]}", "@" + e[1]]
                in_subgroup = True
                continue
            label, name, pattern, lam, kind, perm, rho, thick, heat = e
            assert len(name) <= 255 and len(pattern) <= 4
            out.append(("#" if in_subgroup else "*") + label)
            out += [name, pattern, num(lam, 4), num(humid(lam, kind), 3 if lam >= 0.1 else 4),
                    num(perm, 6), num(rho, 1), num(thick, 4), num(heat, 0)]
            count += 1
    return out, count


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Dane", "materiały.txt")
    out, count = lines()
    with open(target, "wb") as f:
        f.write(("\r\n".join(out) + "\r\n").encode("cp1250"))
    print(f"{count} materials written to {target}")


if __name__ == "__main__":
    main()
