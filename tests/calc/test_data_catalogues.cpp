// The shipped catalogues against the tables they cite: design values of
// materials in Dane/materiały.txt and the window and door requirements in
// Dane/maksymalne.txt. A slip in the generator or in a hand edit shows here
// as the material or requirement that no longer matches its source.
#include <gtest/gtest.h>

#include <QString>
#include <deque>
#include <map>
#include <ostream>

#include "calc/catalogue.h"
#include "calc/layer.h"
#include "calc/textfile.h"

using namespace veltor;

namespace {

struct Node {
  QString path;
};

// Every item of a catalogue by its path of labels ("group/subgroup/item").
template <class Payload, class Read>
std::map<QString, Payload> LoadItems(const char* file, const CatalogueMarkers& markers, Read read) {
  std::map<QString, Payload> items;
  std::deque<Node> nodes;
  TextReader reader = TextReader::open(QStringLiteral(VELTOR_DATA_DIR "/Dane/") + QString::fromUtf8(file));
  ReadCatalogue<Node>(
      reader, markers,
      [&](Node* parent, const QByteArray& label, CatalogueEntry) {
        const QString text = FromCp1250(label);
        nodes.push_back({parent ? parent->path + QLatin1Char('/') + text : text});
        return &nodes.back();
      },
      [&](Node* item, TextReader& r) { items[item->path] = read(r); });
  return items;
}

const std::map<QString, LayerRecord>& Materials() {
  static const auto items = LoadItems<LayerRecord>("materiały.txt", kMaterialsMarkers, [](TextReader& r) {
    LayerRecord record;
    ReadLayerRecord(r, record);
    return record;
  });
  return items;
}

struct MaterialCase {
  const char* row;
  const char* path;
  double lambda;  // W/(m K), medium-humid
  double mu;      // diffusion resistance factor, dry cup
  double heat;    // J/(kg K)
};
void PrintTo(const MaterialCase& c, std::ostream* os) {
  *os << c.path;
}

// Vapour-tight in the tables: the file stores mu 10^6.
constexpr double kTight = 1e6;

const MaterialCase kMaterials[] = {
    // EN ISO 10456 table 3 (PN-EN 12524 table 1): concretes, dry-cup mu.
    {"ReinforcedConcrete1", "Betony/Żelbet (1% stali), 2300 kg/m3", 2.30, 130, 1000},
    {"ReinforcedConcrete2", "Betony/Żelbet (2% stali), 2400 kg/m3", 2.50, 130, 1000},
    {"Concrete2400", "Betony/Beton zwykły, 2400 kg/m3", 2.00, 130, 1000},
    {"Concrete2200", "Betony/Beton zwykły, 2200 kg/m3", 1.65, 120, 1000},
    {"Concrete2000", "Betony/Beton zwykły, 2000 kg/m3", 1.35, 100, 1000},
    {"Concrete1800", "Betony/Beton zwykły, 1800 kg/m3", 1.15, 100, 1000},
    {"ConcreteBlock", "Mury/Bloczki betonowe/Bloczek betonowy pełny, 2200 kg/m3", 1.65, 120, 1000},
    // Table 3: plasters, gypsum, timber and wood-based panels.
    {"LimePlaster", "Zaprawy i tynki/Tynk wapienny", 0.80, 10, 1000},
    {"GypsumPlaster", "Zaprawy i tynki/Tynk gipsowy", 0.57, 10, 1000},
    {"Plasterboard", "Drewno i płyty/Płyty gipsowe/Płyta gipsowo-kartonowa", 0.25, 10, 1000},
    {"Softwood", "Drewno i płyty/Drewno iglaste (sosna, świerk) w poprzek włókien", 0.13, 50, 1600},
    {"Oak", "Drewno i płyty/Dąb w poprzek włókien", 0.18, 200, 1600},
    {"Osb", "Drewno i płyty/Płyta OSB", 0.13, 50, 1700},
    {"Plywood", "Drewno i płyty/Sklejka", 0.13, 200, 1600},
    {"Particleboard", "Drewno i płyty/Płyta wiórowa", 0.14, 50, 1700},
    {"Mdf", "Drewno i płyty/Płyta MDF", 0.14, 20, 1700},
    // Table 3: membranes, floor coverings, soil, metals.
    {"BitumenFelt", "Folie i membrany/Papa asfaltowa", 0.23, 50000, 1000},
    {"PolyethyleneFoil", "Folie i membrany/Folia paroizolacyjna PE", 0.33, 100000, 2200},
    {"CeramicTiles", "Posadzki i podkłady/Płytki ceramiczne (gres, terakota)", 1.30, kTight, 840},
    {"PvcFlooring", "Posadzki i podkłady/Wykładzina PVC", 0.25, 10000, 1400},
    {"Linoleum", "Posadzki i podkłady/Linoleum", 0.17, 1000, 1400},
    {"SandFill", "Posadzki i podkłady/Podsypka piaskowa", 2.00, 50, 1000},
    {"Steel", "Metale/Stal", 50, kTight, 450},
    {"Aluminium", "Metale/Aluminium", 160, kTight, 880},
    // EN ISO 10456 table 4 (mu, c) with declared lambda of typical products.
    {"Eps", "Izolacje cieplne/Styropian EPS/Styropian EPS 040 fasadowy", 0.040, 60, 1450},
    {"Xps", "Izolacje cieplne/Polistyren ekstrudowany XPS/XPS 034", 0.034, 150, 1450},
    {"MineralWool", "Izolacje cieplne/Wełna mineralna/Wełna skalna fasadowa 036", 0.036, 1, 1030},
    {"Cellulose", "Izolacje cieplne/Inne izolacje/Celuloza wdmuchiwana", 0.039, 2, 1600},
    // National design tables for masonry, mu from EN 1745 table A.1, c from table 4.
    {"SolidBrick", "Mury/Ceramiczne/Cegła ceramiczna pełna, 1800 kg/m3", 0.77, 10, 1000},
    {"SandLimeBlock", "Mury/Silikatowe/Bloczek silikatowy pełny 18 cm, 1900 kg/m3", 0.90, 25, 1000},
    {"AeratedConcrete600", "Mury/Beton komórkowy na cienkiej spoinie/Beton komórkowy 600", 0.21, 10, 1000},
};

class ShippedMaterialTest : public testing::TestWithParam<MaterialCase> {};

TEST_P(ShippedMaterialTest, MatchesItsTable) {
  const MaterialCase& c = GetParam();
  const auto found = Materials().find(QString::fromUtf8(c.path));
  ASSERT_NE(found, Materials().end()) << c.path;
  const LayerRecord& m = found->second;
  EXPECT_NEAR(m.lambdaMedium, c.lambda, 0.005 * c.lambda);
  // The permeability is stored to six decimals: 0.5 % covers that for the tightest.
  EXPECT_NEAR(720 / m.vapourCoefficient, c.mu, 0.005 * c.mu);
  EXPECT_EQ(m.specificHeat, c.heat);
  EXPECT_GE(m.lambdaHumid, m.lambdaMedium);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ShippedMaterialTest, testing::ValuesIn(kMaterials),
                         [](const testing::TestParamInfo<MaterialCase>& info) { return info.param.row; });

struct RequirementCase {
  const char* row;
  const char* path;
  double umax;
};
void PrintTo(const RequirementCase& c, std::ostream* os) {
  *os << c.path;
}

// Technical conditions (regulation on the technical conditions for buildings),
// annex 2, table 2, level in force from 31 December 2020.
const RequirementCase kRequirements[] = {
    {"WindowWarm",
     "Wymagania od 2021 r./Okna, drzwi balkonowe i powierzchnie przezroczyste nieotwieralne (z wyjątkiem "
     "okien "
     "połaciowych)/ti od 16 °C",
     0.9},
    {"WindowCool",
     "Wymagania od 2021 r./Okna, drzwi balkonowe i powierzchnie przezroczyste nieotwieralne (z wyjątkiem "
     "okien "
     "połaciowych)/ti poniżej 16 °C",
     1.4},
    {"RoofWindowWarm", "Wymagania od 2021 r./Okna połaciowe/ti od 16 °C", 1.1},
    {"RoofWindowCool", "Wymagania od 2021 r./Okna połaciowe/ti poniżej 16 °C", 1.4},
    {"InternalWindow",
     "Wymagania od 2021 r./Okna w przegrodach wewnętrznych/oddzielających pomieszczenia ogrzewane od "
     "nieogrzewanych",
     1.1},
    {"ExternalDoor",
     "Wymagania od 2021 r./Drzwi/w przegrodach zewnętrznych lub między pomieszczeniami ogrzewanymi i "
     "nieogrzewanymi",
     1.3},
};

class ShippedRequirementTest : public testing::TestWithParam<RequirementCase> {};

TEST_P(ShippedRequirementTest, MatchesTheRegulation) {
  static const auto items =
      LoadItems<double>("maksymalne.txt", kUmaxMarkers, [](TextReader& r) { return r.readNumberLine(); });
  const auto found = items.find(QString::fromUtf8(GetParam().path));
  ASSERT_NE(found, items.end()) << GetParam().path;
  EXPECT_DOUBLE_EQ(found->second, GetParam().umax);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ShippedRequirementTest, testing::ValuesIn(kRequirements),
                         [](const testing::TestParamInfo<RequirementCase>& info) { return info.param.row; });

}  // namespace
