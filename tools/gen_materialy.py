#!/usr/bin/env python3
"""Writes data/Dane/materiały.txt, the materials catalogue, from the table below.

The file is Windows-1250 text with CR LF line ends. Every material is a marker
line (its tree label) followed by the eight record lines: name, fill pattern,
lambda medium-humid, lambda humid, vapour permeability 720/mu in
10^-6 g/(m h Pa) (-1: no diffusion resistance at all, shown as "max"), density,
default thickness, specific heat.

Sources, named again in the file's comments next to each group:
- T3: EN ISO 10456 table 3 (design values for materials in general building
  applications; the same values as PN-EN 12524 table 1),
- T4: EN ISO 10456 table 4 (moisture contents, conversion factors, specific
  heat and mu of insulating and masonry materials),
- EN 1745 table A.1 (mu of masonry units: the larger value of the pair),
- the withdrawn Polish national tables, kept only for masonry and the
  cement-lime plaster, which the current tables do not cover,
- typical declared values of products, said so wherever they are used.

mu is the dry-cup value throughout: the file holds one permeability for both
humidity classes, and the larger dry-cup mu is the cautious choice for the
outer layers, which decide whether vapour gets out. A material whose mu the
tables give as infinite gets mu 10^6, since -1 would drop it from the sum.

The humid conductivity comes from the medium-humid one with the moisture
conversion of EN ISO 10456, lambda2 = lambda1 * exp(f * (x2 - x1)), x the
moisture content at 23 degC / 50 % and 23 degC / 80 % RH; the factors of each
kind of material are in MOISTURE below and repeated in the file's comments.

Usage: tools/gen_materialy.py [output]   (default: data/Dane/materiały.txt)
"""
import math
import os
import sys

# kind: (factor f, x at 23/50, x at 23/80, note written into the file)
MOISTURE = {
    "cer": (10, 0.007, 0.012, "ceramika: psi 0,007 -> 0,012 m3/m3, f_psi 10 (T4, cegła ceramiczna; x1,051)"),
    "sil": (10, 0.012, 0.024, "silikaty: psi 0,012 -> 0,024 m3/m3, f_psi 10 (T4; x1,127)"),
    "aac": (4, 0.026, 0.045, "beton komórkowy: u 0,026 -> 0,045 kg/kg, f_u 4 (T4; x1,079)"),
    "lwa": (4, 0.02, 0.03, "beton z kruszywa keramzytowego 800-1700 kg/m3: u 0,02 -> 0,03 kg/kg, f_u 4 "
            "(T4; x1,041)"),
    "mor": (4, 0.04, 0.06, "zaprawy i tynki: psi 0,04 -> 0,06 m3/m3, f_psi 4 (T4, zaprawa; x1,083); "
            "tak samo beton zwykły i żelbet (przyjęte, nie z tablicy)"),
    "gyp": (4, 0.04, 0.06, "wyroby gipsowe i anhydrytowe: jak zaprawy tynkarskie (x1,083), "
            "przyjęte, nie z tablicy"),
    "dry": (0, 0, 0, "EPS, XPS, pianki PUR/PIR, wełna mineralna, szkło piankowe: psi 0 -> 0 (T4; bez zmiany)"),
    "wfb": (1.5, 0.10, 0.16, "płyty z włókien drzewnych: u 0,10 -> 0,16 kg/kg, f_u 1,5 (T4; x1,094)"),
    "crk": (6, 0.008, 0.011, "korek ekspandowany: psi 0,008 -> 0,011 m3/m3, f_psi 6 (T4; x1,018)"),
    "cel": (0.5, 0.11, 0.18, "celuloza luzem: u 0,11 -> 0,18 kg/kg, f_u 0,5 (T4; x1,036)"),
    "lec": (4, 0, 0.001, "keramzyt luzem: u 0 -> 0,001 kg/kg, f_u 4 (T4; x1,004)"),
    "wod": (1.25, 0.10, 0.16, "drewno i płyty drewnopochodne: u 0,10 -> 0,16 kg/kg z izotermy sorpcji drewna, "
            "f_u 1,25 (przyjęte, nie z tablicy; x1,078)"),
}

MAX = -1  # no diffusion resistance: the air layer only
TIGHT = 1e6  # mu of a material the tables give as vapour-tight (infinite mu)


def d(mu):
    """Vapour permeability in 10^-6 g/(m h Pa) from the diffusion resistance factor."""
    return 720.0 / mu


def lam_eq(thickness, resistance):
    """Equivalent conductivity of a composite slab from its thermal resistance."""
    return thickness / resistance


# Groups: (label, source comment, entries). An entry is ("@", subgroup label, comment)
# or (label, name, pattern, lambda, moisture kind, permeability, density, thickness, heat).
CATALOGUE = [
    ("Mury", "Mury: lambda z krajowych tablic wartości obliczeniowych (dawne PN-EN ISO 6946 zał. krajowy "
     "i PN-91/B-02020), których obecne tablice nie obejmują; pustaki ceramiczne, klinkier i beton komórkowy "
     "300 i 350 - typowe wartości deklarowane (lambda muru na zaprawie, dla wyrobu przyjąć jego deklarację); "
     "mu większa z pary wartości EN 1745 tabl. A.1; c 1000 (T4).", [
        ("@", "Ceramiczne", "mu 10 (EN 1745: ceramika 5/10), klinkier mu 50 - typowa wartość deklarowana"),
        ("Cegła ceramiczna pełna, 1800 kg/m3", "Mur z cegły ceramicznej pełnej", "cegl", 0.77, "cer", d(10), 1800, 0.25, 1000),
        ("Cegła kratówka, 1300 kg/m3", "Mur z cegły ceramicznej kratówki", "cegl", 0.56, "cer", d(10), 1300, 0.25, 1000),
        ("Cegła dziurawka, 1400 kg/m3", "Mur z cegły ceramicznej dziurawki", "cegl", 0.62, "cer", d(10), 1400, 0.25, 1000),
        ("Cegła klinkierowa, 1900 kg/m3", "Mur z cegły klinkierowej", "cegl", 1.05, "cer", d(50), 1900, 0.12, 1000),
        ("Pustak ceramiczny drążony, 1000 kg/m3", "Mur z pustaków ceramicznych drążonych", "cegl", 0.36, "cer", d(10), 1000, 0.25, 1000),
        ("Pustak ceramiczny poryzowany, lambda 0,30", "Mur z pustaków ceramicznych poryzowanych, lambda 0,30", "cegl", 0.30, "cer", d(10), 800, 0.25, 1000),
        ("Pustak ceramiczny poryzowany, lambda 0,25", "Mur z pustaków ceramicznych poryzowanych, lambda 0,25", "cegl", 0.25, "cer", d(10), 750, 0.30, 1000),
        ("Pustak ceramiczny poryzowany, lambda 0,20", "Mur z pustaków ceramicznych poryzowanych, lambda 0,20", "cegl", 0.20, "cer", d(10), 700, 0.38, 1000),
        ("Pustak ceramiczny poryzowany szlifowany, lambda 0,15", "Mur z pustaków ceramicznych poryzowanych szlifowanych na cienkiej spoinie, lambda 0,15", "cegl", 0.15, "cer", d(10), 650, 0.44, 1000),
        ("Pustak ceramiczny poryzowany wypełniony wełną, lambda 0,10", "Mur z pustaków ceramicznych poryzowanych wypełnionych wełną mineralną, lambda 0,10", "cegl", 0.10, "cer", d(10), 600, 0.44, 1000),
        ("@", "Silikatowe", "mu 25 (EN 1745: silikaty 5/25); bloczki: lambda muru z cegły silikatowej tej samej gęstości"),
        ("Cegła silikatowa pełna, 1900 kg/m3", "Mur z cegły silikatowej pełnej", "sili", 0.90, "sil", d(25), 1900, 0.25, 1000),
        ("Cegła silikatowa drążona, 1600 kg/m3", "Mur z cegły silikatowej drążonej", "sili", 0.80, "sil", d(25), 1600, 0.25, 1000),
        ("Cegła silikatowa dziurawka, 1500 kg/m3", "Mur z cegły silikatowej dziurawki", "sili", 0.75, "sil", d(25), 1500, 0.25, 1000),
        ("Bloczek silikatowy pełny 18 cm, 1900 kg/m3", "Mur z bloczków silikatowych pełnych 18 cm", "sili", 0.90, "sil", d(25), 1900, 0.18, 1000),
        ("Bloczek silikatowy drążony 24 cm, 1600 kg/m3", "Mur z bloczków silikatowych drążonych 24 cm", "sili", 0.80, "sil", d(25), 1600, 0.24, 1000),
        ("@", "Beton komórkowy na cienkiej spoinie", "mu 10 (EN 1745: beton komórkowy 5/10)"),
        ("Beton komórkowy 300", "Mur z betonu komórkowego 300 na cienkiej spoinie", "komo", 0.08, "aac", d(10), 300, 0.36, 1000),
        ("Beton komórkowy 350", "Mur z betonu komórkowego 350 na cienkiej spoinie", "komo", 0.09, "aac", d(10), 350, 0.36, 1000),
        ("Beton komórkowy 400", "Mur z betonu komórkowego 400 na cienkiej spoinie", "komo", 0.14, "aac", d(10), 400, 0.24, 1000),
        ("Beton komórkowy 500", "Mur z betonu komórkowego 500 na cienkiej spoinie", "komo", 0.17, "aac", d(10), 500, 0.24, 1000),
        ("Beton komórkowy 600", "Mur z betonu komórkowego 600 na cienkiej spoinie", "komo", 0.21, "aac", d(10), 600, 0.24, 1000),
        ("Beton komórkowy 700", "Mur z betonu komórkowego 700 na cienkiej spoinie", "komo", 0.25, "aac", d(10), 700, 0.24, 1000),
        ("@", "Bloczki betonowe", "bloczek pełny: lambda i mu betonu 2200 (T3); keramzytobeton: lambda z tablic "
         "krajowych, mu 15 (EN 1745: kruszywa lekkie 5/15)"),
        ("Bloczek betonowy pełny, 2200 kg/m3", "Mur z bloczków betonowych pełnych", "beto", 1.65, "mor", d(120), 2200, 0.24, 1000),
        ("Bloczek keramzytobetonowy, 1200 kg/m3", "Mur z bloczków keramzytobetonowych", "beto", 0.46, "lwa", d(15), 1200, 0.24, 1000),
    ]),
    ("Betony", "Betony: lambda, mu (suche) i c z T3 (beton zwykły 1800-2400, żelbet z 1 i 2 % stali).", [
        ("Żelbet (1% stali), 2300 kg/m3", "Żelbet z 1% stali", "beto", 2.30, "mor", d(130), 2300, 0.20, 1000),
        ("Żelbet (2% stali), 2400 kg/m3", "Żelbet z 2% stali", "beto", 2.50, "mor", d(130), 2400, 0.20, 1000),
        ("Beton zwykły, 2400 kg/m3", "Beton zwykły o wysokiej gęstości 2400", "beto", 2.00, "mor", d(130), 2400, 0.20, 1000),
        ("Beton zwykły, 2200 kg/m3", "Beton zwykły 2200", "beto", 1.65, "mor", d(120), 2200, 0.20, 1000),
        ("Beton zwykły, 2000 kg/m3", "Beton zwykły 2000", "beto", 1.35, "mor", d(100), 2000, 0.20, 1000),
        ("Beton zwykły, 1800 kg/m3", "Beton zwykły 1800", "beto", 1.15, "mor", d(100), 1800, 0.20, 1000),
    ]),
    ("Stropy", "Stropy: lambda zastępcza = grubość / R konstrukcji stropu (bez tynku i podłogi). Strop gęstożebrowy "
     "z pustakami betonowymi: R 0,37 (\"Stropy Teriva. Projektowanie i wykonywanie\", wyd. III, 2008), z pustakami "
     "z betonu lekkiego: R 0,56 dla strumienia w górę (mniejsza z dwóch wartości wg tego samego opracowania); "
     "strop z pustakami ceramicznymi i płyta kanałowa: R wartości orientacyjne, obliczone metodą kresów EN ISO 6946 "
     "dla przekrojów schematycznych i strumienia w górę (żebra 12 cm co 62 cm, pustak 19 cm jak pustak ceramiczny "
     "drążony, nadbeton 4 cm; kanały fi 15,5 cm co 20 cm w żelbecie lambda 2,3) - dla konkretnego systemu przyjąć R z deklaracji producenta; mu betonu (T3), c 1000.", [
        ("Strop gęstożebrowy z pustakami betonowymi 24 cm, R 0,37", "Strop gęstożebrowy z pustakami betonowymi 24 cm", "beto", lam_eq(0.24, 0.37), "mor", d(120), 1200, 0.24, 1000),
        ("Strop gęstożebrowy z pustakami z betonu lekkiego 24 cm, R 0,56", "Strop gęstożebrowy z pustakami z betonu lekkiego 24 cm", "beto", lam_eq(0.24, 0.56), "mor", d(120), 1000, 0.24, 1000),
        ("Strop gęstożebrowy z pustakami ceramicznymi 23 cm, R 0,32", "Strop gęstożebrowy z pustakami ceramicznymi 23 cm", "cegl", lam_eq(0.23, 0.32), "mor", d(120), 1100, 0.23, 1000),
        ("Strop z płyt kanałowych 24 cm, R 0,14", "Strop z żelbetowych płyt kanałowych 24 cm", "beto", lam_eq(0.24, 0.14), "mor", d(130), 1400, 0.24, 1000),
    ]),
    ("Zaprawy i tynki", "Zaprawy i tynki: lambda i mu z T3 (tynki wapienny i gipsowy, zaprawa cementowa), tynk "
     "cementowo-wapienny - lambda z tablic krajowych; mu wyrobów cementowych 20 (T4, zaprawa); zaprawy "
     "ciepłochronne i klejowe - typowe wartości deklarowane; c 1000 (T3).", [
        ("Zaprawa cementowa", "Zaprawa cementowa", "tynk", 1.00, "mor", d(20), 1800, 0.015, 1000),
        ("Tynk cementowo-wapienny", "Tynk cementowo-wapienny", "tynk", 0.82, "mor", d(20), 1850, 0.015, 1000),
        ("Tynk wapienny", "Tynk wapienny", "tynk", 0.80, "mor", d(10), 1600, 0.015, 1000),
        ("Tynk gipsowy", "Tynk gipsowy", "tynk", 0.57, "gyp", d(10), 1300, 0.01, 1000),
        ("Zaprawa ciepłochronna", "Zaprawa ciepłochronna", "tynk", 0.18, "mor", d(10), 700, 0.015, 1000),
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
    ("Izolacje cieplne", "Izolacje cieplne: lambda deklarowane typowych wyrobów (EN 13163, 13164, 13162, 13165, "
     "13171, 15101); mu i c z T4. Wyroby paroszczelne mają swoje skończone mu: warstwa z -1 nie wnosi oporu "
     "dyfuzyjnego.", [
        ("@", "Styropian EPS", "mu 60, c 1450 (T4); EPS hydrofobizowany do izolacji fundamentów i cokołów"),
        ("Styropian EPS 040 fasadowy", "Styropian EPS 040 fasadowy", "styr", 0.040, "dry", d(60), 12, 0.15, 1450),
        ("Styropian EPS 038 fasadowy", "Styropian EPS 038 fasadowy", "styr", 0.038, "dry", d(60), 14, 0.15, 1450),
        ("Styropian EPS 036 fasadowy", "Styropian EPS 036 fasadowy", "styr", 0.036, "dry", d(60), 16, 0.15, 1450),
        ("Styropian EPS 100-038 podłogowo-dachowy", "Styropian EPS 100-038 podłogowo-dachowy", "styr", 0.038, "dry", d(60), 18, 0.10, 1450),
        ("Styropian EPS 200-036", "Styropian EPS 200-036", "styr", 0.036, "dry", d(60), 28, 0.10, 1450),
        ("Styropian grafitowy EPS 033", "Styropian grafitowy EPS 033", "styr", 0.033, "dry", d(60), 15, 0.15, 1450),
        ("Styropian grafitowy EPS 031", "Styropian grafitowy EPS 031", "styr", 0.031, "dry", d(60), 15, 0.15, 1450),
        ("Styropian fundamentowy EPS 035 hydrofobizowany", "Styropian fundamentowy EPS 035 hydrofobizowany", "styr", 0.035, "dry", d(60), 25, 0.12, 1450),
        ("Styropian fundamentowy grafitowy EPS 031 hydrofobizowany", "Styropian fundamentowy grafitowy EPS 031 hydrofobizowany", "styr", 0.031, "dry", d(60), 25, 0.12, 1450),
        ("@", "Polistyren ekstrudowany XPS", "mu 150, c 1450 (T4)"),
        ("XPS 030", "Polistyren ekstrudowany XPS 030", "styr", 0.030, "dry", d(150), 30, 0.10, 1450),
        ("XPS 032", "Polistyren ekstrudowany XPS 032", "styr", 0.032, "dry", d(150), 30, 0.10, 1450),
        ("XPS 034", "Polistyren ekstrudowany XPS 034", "styr", 0.034, "dry", d(150), 30, 0.10, 1450),
        ("XPS 036", "Polistyren ekstrudowany XPS 036", "styr", 0.036, "dry", d(150), 32, 0.12, 1450),
        ("XPS 038", "Polistyren ekstrudowany XPS 038", "styr", 0.038, "dry", d(150), 33, 0.16, 1450),
        ("@", "Wełna mineralna", "mu 1, c 1030 (T4)"),
        ("Wełna skalna fasadowa 036", "Wełna skalna fasadowa 036", "welm", 0.036, "dry", d(1), 90, 0.15, 1030),
        ("Wełna skalna fasadowa 038", "Wełna skalna fasadowa 038", "welm", 0.038, "dry", d(1), 120, 0.15, 1030),
        ("Wełna skalna fasadowa 040", "Wełna skalna fasadowa 040", "welm", 0.040, "dry", d(1), 140, 0.15, 1030),
        ("Wełna skalna lamelowa 041", "Wełna skalna lamelowa 041", "welm", 0.041, "dry", d(1), 80, 0.15, 1030),
        ("Wełna skalna dachowa 039", "Wełna skalna dachowa 039", "welm", 0.039, "dry", d(1), 150, 0.15, 1030),
        ("Wełna szklana 032", "Wełna szklana 032", "welm", 0.032, "dry", d(1), 20, 0.15, 1030),
        ("Wełna szklana 035", "Wełna szklana 035", "welm", 0.035, "dry", d(1), 15, 0.15, 1030),
        ("Wełna szklana 039", "Wełna szklana 039", "welm", 0.039, "dry", d(1), 12, 0.15, 1030),
        ("@", "Pianki PUR i PIR", "mu 60, c 1400 (T4); pianka otwartokomórkowa mu 3 i płyta z okładziną "
         "aluminiową mu zastępcze 3000 - typowe wartości deklarowane"),
        ("Płyta PIR z okładziną aluminiową", "Płyta PIR z okładziną aluminiową", "pian", 0.022, "dry", d(3000), 32, 0.10, 1400),
        ("Płyta PIR z okładziną z welonu szklanego", "Płyta PIR z okładziną z welonu szklanego", "pian", 0.026, "dry", d(60), 32, 0.10, 1400),
        ("Pianka PUR natryskowa zamkniętokomórkowa", "Pianka PUR natryskowa zamkniętokomórkowa", "pian", 0.025, "dry", d(60), 35, 0.10, 1400),
        ("Pianka PUR natryskowa otwartokomórkowa", "Pianka PUR natryskowa otwartokomórkowa", "pian", 0.038, "dry", d(3), 10, 0.15, 1400),
        ("@", "Inne izolacje", "mu i c z T4: szkło piankowe nieskończone (10^6) i 1000, włókno drzewne 5 i 1400, "
         "korek 10 i 1560, keramzyt 2 i 1000, celuloza 2 i 1600"),
        ("Szkło piankowe", "Szkło piankowe", "izol", 0.042, "dry", d(TIGHT), 120, 0.12, 1000),
        ("Płyta z włókien drzewnych", "Płyta izolacyjna z włókien drzewnych", "izol", 0.042, "wfb", d(5), 160, 0.10, 1400),
        ("Płyta z korka ekspandowanego", "Płyta z korka ekspandowanego", "izol", 0.042, "crk", d(10), 110, 0.10, 1560),
        ("Keramzyt luzem", "Keramzyt luzem", "izol", 0.11, "lec", d(2), 350, 0.10, 1000),
        ("Celuloza wdmuchiwana", "Izolacja z włókien celulozowych wdmuchiwana", "izol", 0.039, "cel", d(2), 45, 0.20, 1600),
    ]),
    ("Drewno i płyty", "Drewno i płyty: lambda, mu (suche) i c z T3 (drewno 500 i 700 kg/m3, sklejka 500, OSB, "
     "płyta wiórowa 600, płyty pilśniowe 250 i 600, płyta cementowo-wiórowa, płyta gipsowo-kartonowa); płyta "
     "gipsowo-włóknowa - typowe wartości deklarowane.", [
        ("Drewno iglaste (sosna, świerk) w poprzek włókien", "Drewno iglaste w poprzek włókien, 500 kg/m3", "drew", 0.13, "wod", d(50), 500, 0.025, 1600),
        ("Dąb w poprzek włókien", "Drewno dębowe w poprzek włókien, 700 kg/m3", "drew", 0.18, "wod", d(200), 700, 0.025, 1600),
        ("Płyta OSB", "Płyta OSB", "drew", 0.13, "wod", d(50), 650, 0.015, 1700),
        ("Sklejka", "Sklejka", "drew", 0.13, "wod", d(200), 500, 0.015, 1600),
        ("Płyta wiórowa", "Płyta wiórowa", "drew", 0.14, "wod", d(50), 600, 0.018, 1700),
        ("Płyta MDF", "Płyta MDF", "drew", 0.14, "wod", d(20), 600, 0.016, 1700),
        ("Płyta pilśniowa porowata", "Płyta pilśniowa porowata", "drew", 0.07, "wod", d(5), 250, 0.012, 1700),
        ("Płyta cementowo-wiórowa", "Płyta cementowo-wiórowa", "plyt", 0.23, "wod", d(50), 1200, 0.012, 1500),
        ("@", "Płyty gipsowe", "płyta gipsowo-kartonowa T3 (mu 10); gipsowo-włóknowa typowa deklarowana (mu 13)"),
        ("Płyta gipsowo-kartonowa", "Płyta gipsowo-kartonowa", "plyt", 0.25, "gyp", d(10), 900, 0.0125, 1000),
        ("Płyta gipsowo-włóknowa", "Płyta gipsowo-włóknowa", "plyt", 0.32, "gyp", d(13), 1150, 0.0125, 1100),
    ]),
    ("Posadzki i podkłady", "Posadzki i podkłady: lambda, mu (suche) i c z T3 (płytki ceramiczne, drewno 700, "
     "płyta pilśniowa 800 jako panele, wykładziny, jastrych cementowy jako tynk cementowy z piaskiem - mu 20 "
     "(T4, zaprawa), piasek i żwir - c w zakresie tablicy 910-1180); jastrych anhydrytowy - typowa wartość "
     "deklarowana, mu jak gips (T3).", [
        ("Płytki ceramiczne (gres, terakota)", "Płytki ceramiczne", "posa", 1.30, None, d(TIGHT), 2300, 0.01, 840),
        ("Parkiet dębowy", "Parkiet dębowy", "posa", 0.18, "wod", d(200), 700, 0.015, 1600),
        ("Panele podłogowe laminowane", "Panele podłogowe laminowane", "posa", 0.18, "wod", d(30), 800, 0.008, 1700),
        ("Wykładzina PVC", "Wykładzina PVC", "posa", 0.25, None, d(10000), 1700, 0.003, 1400),
        ("Linoleum", "Linoleum", "posa", 0.17, None, d(1000), 1200, 0.003, 1400),
        ("Wykładzina dywanowa", "Wykładzina dywanowa", "posa", 0.06, None, d(5), 200, 0.008, 1300),
        ("Podkład pod panele z pianki", "Podkład z pianki z tworzywa sztucznego", "posa", 0.10, None, d(10000), 270, 0.003, 1400),
        ("Jastrych cementowy", "Jastrych cementowy", "beto", 1.00, "mor", d(20), 1800, 0.05, 1000),
        ("Jastrych anhydrytowy", "Jastrych anhydrytowy", "beto", 1.20, "gyp", d(10), 2000, 0.05, 1000),
        ("Podsypka piaskowa", "Podsypka z piasku", "posa", 2.00, None, d(50), 1800, 0.10, 1000),
    ]),
    ("Metale", "Metale: lambda i c z T3; mu nieskończone (w pliku 10^6).", [
        ("Stal", "Stal", "stal", 50, None, d(TIGHT), 7800, 0.002, 450),
        ("Stal nierdzewna", "Stal nierdzewna", "stal", 17, None, d(TIGHT), 7900, 0.002, 500),
        ("Aluminium", "Stopy aluminium", "stal", 160, None, d(TIGHT), 2800, 0.002, 880),
    ]),
    ("Folie i membrany", "Folie i membrany: folia PE i papa - lambda, mu i c z T3 (polietylen o małej gęstości, "
     "papa asfaltowa); membrana wiatroizolacyjna - typowa wartość deklarowana (sd 0,025 m przy 0,5 mm); "
     "dla konkretnego wyrobu przyjąć deklarowane sd = mu * d.", [
        ("Folia paroizolacyjna PE", "Folia paroizolacyjna PE", "foli", 0.33, None, d(100000), 920, 0.0002, 2200),
        ("Papa asfaltowa", "Papa asfaltowa", "foli", 0.23, None, d(50000), 1100, 0.004, 1000),
        ("Membrana wiatroizolacyjna", "Membrana wiatroizolacyjna", "foli", 0.22, None, d(50), 400, 0.0005, 1800),
    ]),
    ("Warstwy powietrza", "Warstwy powietrza: opór z tablicy warstw powietrza (Dane/opory powietrza.txt, "
     "EN ISO 6946), przewodność nie jest używana; bez oporu dyfuzyjnego (-1). Grubość do 0,3 m.", [
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
        "; delta = 720/mu [10^-6 g/(m*h*Pa)], gęstość [kg/m3], grubość domyślna [m], ciepło właściwe",
        "; w stanie suchym [J/(kg*K)].",
        "; -1 zamiast delta oznacza warstwę bez oporu dyfuzyjnego (\"max\", jak warstwa powietrza): program",
        "; nie dolicza jej oporu. Paroizolacje mają swoje skończone mu; materiały, dla których tablice podają",
        "; mu nieskończone (metale, szkło piankowe, płytki ceramiczne), mają w pliku mu 10^6.",
        "; Źródła: T3 - PN-EN ISO 10456, tablica 3 (te same wartości co PN-EN 12524, tablica 1);",
        ";   T4 - PN-EN ISO 10456, tablica 4 (materiały izolacyjne i murowe); EN 1745, tablica A.1 (mu elementów",
        ";   murowych: większa z dwóch wartości); dawne krajowe tablice wartości obliczeniowych (tylko mury",
        ";   i tynk cementowo-wapienny); typowe wartości deklarowane wyrobów - wskazane przy grupach.",
        "; mu: wartość dla stanu suchego (dry cup) w całym pliku - plik ma jedną przepuszczalność dla obu",
        ";   klas wilgotności, a większe mu jest ostrożniejsze dla warstw zewnętrznych, przez które para",
        ";   musi wyjść z przegrody.",
        "; Lambda dla warunków wilgotnych: przeliczenie wilgotnościowe PN-EN ISO 10456,",
        ";   lambda2 = lambda1 * exp(f * (x2 - x1)), x dla 23 C/50% i 23 C/80% wilgotności względnej:",
    ]
    for _, (_, _, _, note) in MOISTURE.items():
        out.append(";   " + note)
    out.append(";   metale, tworzywa, wykładziny, płytki, papa, folie i piasek: bez przeliczenia.")
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
