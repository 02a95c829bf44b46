#!/usr/bin/env python3
"""Writes the system wizard's catalogues into data/System from the tables below:

  mur.txt          masonry: groups [..], subgroups @, entries * and subentries #
  docieplenie.txt  insulation: groups [..] and entries *
  kleje.txt        the three adhesive and base-coat compounds, entries * only
  systemy.txt      the renders of the three system families, a group per family

Each entry line is followed by the eight record lines of the materials catalogue
(tools/gen_materialy.py): name, fill pattern, lambda medium-humid, lambda humid,
vapour permeability 720/mu in 10^-6 g/(m h Pa), density, thickness, specific heat.
Values follow Dane/materiały.txt (tools/gen_materialy.py) where the same
material is there, with its sources; the humid conductivity uses the same
moisture conversion (EN ISO 10456).

The first letter of an insulation's record name picks its adhesive: "B" the
first, "S" the second, "F" the third line of kleje.txt, and with it the system
family whose group in systemy.txt step 3 offers (TALMO, VIREN, DUSKAR).

Windows-1250 text with CR LF line ends.
Usage: tools/gen_system.py [output folder]   (default: data/System)
"""
import os
import sys

from gen_materialy import d, humid, num

PATTERNS = {"cegl", "sili", "komo", "beto", "tynk", "styr", "welm", "pian"}

RECORD_NOTE = [
    "; Po wierszu pozycji osiem wierszy rekordu warstwy: nazwa (tak warstwa nazywa się w przegrodzie),",
    "; wypełnienie (wzór kreskowania), lambda dla warunków średniowilgotnych [W/(m*K)], lambda dla warunków",
    "; wilgotnych [W/(m*K)], przepuszczalność pary wodnej delta = 720/mu [10^-6 g/(m*h*Pa)], gęstość [kg/m3],",
    "; grubość [m], ciepło właściwe w stanie suchym [J/(kg*K)]. Liczby zapisuje się z kropką.",
    "; Lambda dla warunków wilgotnych: przeliczenie wilgotnościowe EN ISO 10456, jak w Dane/materiały.txt.",
]

# An entry: (marker, tree label, record name, pattern, lambda, moisture kind, permeability, density,
# thickness, specific heat). A subgroup: ("@", label, source comment).
MASONRY = [
    ("Mury ceramiczne",
     "Mury ceramiczne: lambda cegieł z krajowych tablic wartości obliczeniowych (dawne PN-EN ISO 6946 zał. "
     "krajowy i PN-91/B-02020); pustaki poryzowane i klinkier - typowe wartości deklarowane (lambda muru na "
     "zaprawie); mu 10 (EN 1745 tabl. A.1: ceramika 5/10, większa), klinkier 50; c 1000 (PN-EN ISO 10456 "
     "tabl. 4); jak w Dane/materiały.txt.", [
        ("@", "Cegła pełna", "1800 kg/m3"),
        ("#", "Mur 25 cm", "Mur z cegły ceramicznej pełnej", "cegl", 0.77, "cer", d(10), 1800, 0.25, 1000),
        ("#", "Mur 38 cm", "Mur z cegły ceramicznej pełnej", "cegl", 0.77, "cer", d(10), 1800, 0.38, 1000),
        ("#", "Mur 51 cm", "Mur z cegły ceramicznej pełnej", "cegl", 0.77, "cer", d(10), 1800, 0.51, 1000),
        ("@", "Cegła drążona", "kratówka 1300 kg/m3, dziurawka 1400 kg/m3"),
        ("#", "Kratówka, mur 25 cm", "Mur z cegły ceramicznej kratówki", "cegl", 0.56, "cer", d(10), 1300, 0.25, 1000),
        ("#", "Kratówka, mur 38 cm", "Mur z cegły ceramicznej kratówki", "cegl", 0.56, "cer", d(10), 1300, 0.38, 1000),
        ("#", "Dziurawka, mur 25 cm", "Mur z cegły ceramicznej dziurawki", "cegl", 0.62, "cer", d(10), 1400, 0.25, 1000),
        ("@", "Pustaki ceramiczne", "pustaki poryzowane: 25 cm lambda 0,30, 30 cm 0,25, 38 cm 0,20, "
         "44 cm szlifowane 0,15, 44 cm wypełnione wełną 0,10"),
        ("#", "Pustak ceramiczny 25 cm", "Mur z pustaków ceramicznych poryzowanych 25 cm", "cegl", 0.30, "cer", d(10), 800, 0.25, 1000),
        ("#", "Pustak ceramiczny 30 cm", "Mur z pustaków ceramicznych poryzowanych 30 cm", "cegl", 0.25, "cer", d(10), 750, 0.30, 1000),
        ("#", "Pustak ceramiczny 38 cm", "Mur z pustaków ceramicznych poryzowanych 38 cm", "cegl", 0.20, "cer", d(10), 700, 0.38, 1000),
        ("#", "Pustak ceramiczny szlifowany 44 cm", "Mur z pustaków ceramicznych poryzowanych szlifowanych 44 cm", "cegl", 0.15, "cer", d(10), 650, 0.44, 1000),
        ("#", "Pustak ceramiczny z wełną 44 cm", "Mur z pustaków ceramicznych wypełnionych wełną mineralną 44 cm", "cegl", 0.10, "cer", d(10), 600, 0.44, 1000),
        ("*", "Cegła klinkierowa, mur 25 cm", "Mur z cegły klinkierowej", "cegl", 1.05, "cer", d(50), 1900, 0.25, 1000),
    ]),
    ("Mury silikatowe",
     "Mury silikatowe: lambda z krajowych tablic wartości obliczeniowych (silikaty pełne 1900 kg/m3 0,90, "
     "drążone 1600 kg/m3 0,80; bloki jak cegła tej samej gęstości); mu 25 (EN 1745 tabl. A.1: silikaty 5/25, "
     "większa); c 1000.", [
        ("@", "Bloki silikatowe pełne", "1900 kg/m3"),
        ("#", "Mur 18 cm", "Mur z bloków silikatowych pełnych", "sili", 0.90, "sil", d(25), 1900, 0.18, 1000),
        ("#", "Mur 24 cm", "Mur z bloków silikatowych pełnych", "sili", 0.90, "sil", d(25), 1900, 0.24, 1000),
        ("@", "Bloki silikatowe drążone", "1600 kg/m3"),
        ("#", "Mur 18 cm", "Mur z bloków silikatowych drążonych", "sili", 0.80, "sil", d(25), 1600, 0.18, 1000),
        ("#", "Mur 24 cm", "Mur z bloków silikatowych drążonych", "sili", 0.80, "sil", d(25), 1600, 0.24, 1000),
        ("*", "Cegła silikatowa pełna, mur 25 cm", "Mur z cegły silikatowej pełnej", "sili", 0.90, "sil", d(25), 1900, 0.25, 1000),
    ]),
    ("Beton komórkowy",
     "Beton komórkowy na cienkiej spoinie: lambda z krajowych tablic wartości obliczeniowych (400 0,14, "
     "500 0,17, 600 0,21, 700 0,25); mu 10 (EN 1745 tabl. A.1: beton komórkowy 5/10, większa); c 1000.", [
        ("*", "Beton komórkowy 400, mur 24 cm", "Mur z betonu komórkowego 400", "komo", 0.14, "aac", d(10), 400, 0.24, 1000),
        ("*", "Beton komórkowy 400, mur 36,5 cm", "Mur z betonu komórkowego 400", "komo", 0.14, "aac", d(10), 400, 0.365, 1000),
        ("*", "Beton komórkowy 500, mur 24 cm", "Mur z betonu komórkowego 500", "komo", 0.17, "aac", d(10), 500, 0.24, 1000),
        ("*", "Beton komórkowy 600, mur 24 cm", "Mur z betonu komórkowego 600", "komo", 0.21, "aac", d(10), 600, 0.24, 1000),
        ("*", "Beton komórkowy 700, mur 24 cm", "Mur z betonu komórkowego 700", "komo", 0.25, "aac", d(10), 700, 0.24, 1000),
    ]),
    ("Keramzytobeton",
     "Keramzytobeton: bloczek pełny 1200 kg/m3 lambda 0,46 (krajowe tablice), pustak drążony - równoważna "
     "lambda muru typowych wyrobów 0,29 (wartość deklarowana); mu 15 (EN 1745 tabl. A.1: kruszywa lekkie "
     "5/15, większa); c 1000.", [
        ("*", "Bloczek pełny, mur 24 cm", "Mur z bloczków keramzytobetonowych", "beto", 0.46, "lwa", d(15), 1200, 0.24, 1000),
        ("*", "Pustak, mur 24 cm", "Mur z pustaków keramzytobetonowych", "beto", 0.29, "lwa", d(15), 900, 0.24, 1000),
    ]),
    ("Bloczki betonowe",
     "Bloczki z betonu zwykłego 2200 kg/m3: lambda 1,65, mu 120 (suche) i c 1000 z PN-EN ISO 10456 tabl. 3.", [
        ("*", "Bloczek betonowy pełny, mur 24 cm", "Mur z bloczków betonowych", "beto", 1.65, "mor", d(120), 2200, 0.24, 1000),
        ("*", "Bloczek betonowy pełny, mur 36 cm", "Mur z bloczków betonowych", "beto", 1.65, "mor", d(120), 2200, 0.36, 1000),
    ]),
    ("Żelbet",
     "Żelbet z 1% stali 2300 kg/m3: lambda 2,30, mu 130 (suche) i c 1000 z PN-EN ISO 10456 tabl. 3.", [
        ("*", "Ściana żelbetowa 20 cm", "Ściana żelbetowa", "beto", 2.30, "mor", d(130), 2300, 0.20, 1000),
        ("*", "Ściana żelbetowa 25 cm", "Ściana żelbetowa", "beto", 2.30, "mor", d(130), 2300, 0.25, 1000),
    ]),
]

INSULATION = [
    ("Styropian EPS",
     "Styropian: lambda deklarowane typowych płyt fasadowych (EN 13163); mu 60 i c 1450 (PN-EN ISO 10456 "
     "tabl. 4). Nazwy zaczynają się literą B.", [
        ("*", "Styropian biały EPS 045", "Biały styropian EPS 045", "styr", 0.045, "dry", d(60), 10, 0.15, 1450),
        ("*", "Styropian biały EPS 040", "Biały styropian EPS 040", "styr", 0.040, "dry", d(60), 12, 0.15, 1450),
        ("*", "Styropian biały EPS 038", "Biały styropian EPS 038", "styr", 0.038, "dry", d(60), 14, 0.15, 1450),
        ("*", "Styropian biały EPS 036", "Biały styropian EPS 036", "styr", 0.036, "dry", d(60), 16, 0.15, 1450),
        ("*", "Styropian biały EPS 033", "Biały styropian EPS 033", "styr", 0.033, "dry", d(60), 20, 0.15, 1450),
        ("*", "Styropian grafitowy EPS 032", "Barwiony grafitem styropian EPS 032", "styr", 0.032, "dry", d(60), 15, 0.15, 1450),
        ("*", "Styropian grafitowy EPS 031", "Barwiony grafitem styropian EPS 031", "styr", 0.031, "dry", d(60), 16, 0.15, 1450),
    ]),
    ("Wełna mineralna",
     "Wełna skalna: lambda deklarowane typowych płyt fasadowych (EN 13162), płyty standardowe 0,036-0,040, "
     "lamelowe 0,041-0,045; mu 1 i c 1030 (PN-EN ISO 10456 tabl. 4). Nazwy zaczynają się literą S.", [
        ("*", "Wełna skalna fasadowa 036", "Skalna wełna mineralna, płyta fasadowa 036", "welm", 0.036, "dry", d(1), 135, 0.15, 1030),
        ("*", "Wełna skalna fasadowa 038", "Skalna wełna mineralna, płyta fasadowa 038", "welm", 0.038, "dry", d(1), 120, 0.15, 1030),
        ("*", "Wełna skalna fasadowa 040", "Skalna wełna mineralna, płyta fasadowa 040", "welm", 0.040, "dry", d(1), 110, 0.15, 1030),
        ("*", "Wełna skalna lamelowa 041", "Skalna wełna mineralna, płyta lamelowa 041", "welm", 0.041, "dry", d(1), 80, 0.15, 1030),
        ("*", "Wełna skalna lamelowa 045", "Skalna wełna mineralna, płyta lamelowa 045", "welm", 0.045, "dry", d(1), 70, 0.15, 1030),
    ]),
    ("Płyty fenolowe i PIR",
     "Płyty z pianki fenolowej (EN 13166) i PIR z okładziną z welonu szklanego (EN 13165): lambda deklarowane "
     "typowych płyt fasadowych; mu 50 (pianka fenolowa) i 60 (PIR), c 1400 (PN-EN ISO 10456 tabl. 4). "
     "Nazwy zaczynają się literą F.", [
        ("*", "Płyta fenolowa 021", "Fenolowa pianka, płyta fasadowa 021", "pian", 0.021, "dry", d(50), 35, 0.10, 1400),
        ("*", "Płyta fenolowa 023", "Fenolowa pianka, płyta fasadowa 023", "pian", 0.023, "dry", d(50), 35, 0.10, 1400),
        ("*", "Płyta PIR fasadowa 026", "Fasadowa płyta PIR z okładziną z welonu szklanego 026", "pian", 0.026, "dry", d(60), 32, 0.10, 1400),
    ]),
]

# Exactly three entries and no group line: step 2 takes them by position.
ADHESIVES = [
    ("*", "Masa do styropianu", "Masa klejowo-szpachlowa do styropianu", "tynk", 0.80, "mor", d(20), 1500, 0.005, 1000),
    ("*", "Masa do wełny mineralnej", "Masa klejowo-szpachlowa do wełny mineralnej", "tynk", 0.80, "mor", d(15), 1450, 0.005, 1000),
    ("*", "Masa do płyt fenolowych i PIR", "Masa klejowo-szpachlowa do płyt fenolowych i PIR", "tynk", 0.80, "mor", d(20), 1450, 0.005, 1000),
]


def render(family, kind, lam, mu, rho):
    return ("*", f"Tynk {kind}", f"Tynk cienkowarstwowy {kind} {family}", "tynk", lam, "mor", d(mu), rho, 0.0015, 1000)


MINERAL = ("mineralny", 0.80, 20, 1700)
ACRYLIC = ("akrylowy", 0.70, 100, 1800)
SILICONE = ("silikonowy", 0.70, 60, 1800)
SILICATE = ("silikatowy", 0.80, 30, 1800)
SILICONE_SILICATE = ("silikonowo-silikatowy", 0.75, 40, 1800)

SYSTEMS = [
    ("TALMO", "TALMO: system na styropianie; wszystkie rodzaje tynków.",
     [render("TALMO", *t) for t in (MINERAL, ACRYLIC, SILICONE, SILICATE, SILICONE_SILICATE)]),
    ("VIREN", "VIREN: system na wełnie mineralnej; tylko tynki o dużej paroprzepuszczalności, bez akrylowego.",
     [render("VIREN", *t) for t in (MINERAL, SILICATE, SILICONE, SILICONE_SILICATE)]),
    ("DUSKAR", "DUSKAR: system na płytach fenolowych i PIR.",
     [render("DUSKAR", *t) for t in (MINERAL, ACRYLIC, SILICONE, SILICONE_SILICATE)]),
]


def record(entry):
    marker, label, name, pattern, lam, kind, perm, rho, thick, heat = entry
    assert pattern in PATTERNS and len(name) <= 255, name
    return [marker + label, name, pattern, num(lam, 4), num(humid(lam, kind), 3 if lam >= 0.1 else 4),
            num(perm, 6), num(rho, 1), num(thick, 4), num(heat, 0)]


def grouped(groups):
    out = []
    for name, source, entries in groups:
        out += ["", "; " + source, f"[{name}]"]
        for e in entries:
            if e[0] == "@":
                out += [f"; {e[1]}: {e[2]}", "@" + e[1]]
            else:
                out += record(e)
    return out


# Step 2 lists an insulation by the name step 4 and the layer table give it.
def SAME_NAMES(groups):
    return [(name, source, [(e[0], e[2], *e[2:]) for e in entries]) for name, source, entries in groups]


def files():
    mur = ["; Mury nośne kreatora Systemów VELTOR: grupy [..], podgrupy @, pozycje * (w grupie) i # (w podgrupie).",
           *RECORD_NOTE,
           "; Grubość to grubość muru proponowana w kroku 1. Wartości są typowe; dla konkretnego wyrobu",
           "; należy przyjąć jego wartości deklarowane."] + grouped(MASONRY)
    docieplenie = ["; Materiały termoizolacyjne kreatora Systemów VELTOR: grupy [..] i pozycje *.", *RECORD_NOTE,
                   "; Pierwsza litera nazwy materiału wybiera masę klejowo-szpachlową (kolejność w kleje.txt)",
                   "; i rodzinę systemów tynków (grupa w systemy.txt):",
                   ";   B - styropian EPS: masa 1, systemy TALMO",
                   ";   S - wełna mineralna: masa 2, systemy VIREN",
                   ";   F - płyty fenolowe i PIR: masa 3, systemy DUSKAR",
                   "; Grubość zastępuje kreator (obliczona tak, aby U = Umax)."] + grouped(SAME_NAMES(INSULATION))
    kleje = ["; Masy klejowo-szpachlowe (zaprawy polimerowo-cementowe warstwy zbrojonej) kreatora Systemów VELTOR.",
             *RECORD_NOTE,
             "; Dokładnie trzy pozycje *, bez grup: pierwsza dla materiałów B, druga S, trzecia F (docieplenie.txt).",
             "; Lambda 0,80 jak dla zapraw klejowych w Dane/materiały.txt (typowa wartość deklarowana),",
             "; mu 20 (do styropianu i płyt fenolowych/PIR) i 15 (do wełny, bardziej paroprzepuszczalna) -",
             "; typowe wartości deklarowane mas klejowo-szpachlowych; c 1000. Kreator przyjmuje grubość 3 mm.",
             ""] + [line for e in ADHESIVES for line in record(e)]
    systemy = ["; Tynki cienkowarstwowe systemów VELTOR, grupa na rodzinę systemów: TALMO (styropian),",
               "; VIREN (wełna mineralna), DUSKAR (płyty fenolowe i PIR). Nazwy grup muszą być dokładnie takie.",
               *RECORD_NOTE,
               "; Typowe wartości deklarowane wypraw elewacyjnych, jak w Dane/materiały.txt: lambda wg EN 1745",
               "; dla zapraw; mu 20 mineralny, 30 silikatowy, 40 silikonowo-silikatowy, 60 silikonowy, 100 akrylowy.",
               "; Grubość zastępuje kreator (wybór w kroku 3)."] + grouped(SYSTEMS)
    return {"mur.txt": mur, "docieplenie.txt": docieplenie, "kleje.txt": kleje, "systemy.txt": systemy}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "System")
    os.makedirs(folder, exist_ok=True)
    for name, lines in files().items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(("\r\n".join(lines) + "\r\n").encode("cp1250"))
        print(f"{name}: {sum(1 for l in lines if l[:1] in ('*', '#'))} entries")


if __name__ == "__main__":
    main()
