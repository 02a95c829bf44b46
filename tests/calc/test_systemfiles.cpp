// The readers of the wizard's System files: the line grammar of each file, the
// family filter of the systems file, failures, and the shipped files' content.
#include <gtest/gtest.h>

#include <QDir>
#include <QSet>
#include <QStringList>
#include <functional>

#include "calc/errors.h"
#include "calc/systemfiles.h"
#include "calc/textfile.h"

using namespace veltor;

namespace {

// An entry's eight record lines with round values.
QByteArray Rec(const char* name) {
  return QByteArray(name) + "\ntynk\n0.5\n0.5\n10\n1000\n0.01\n900\n";
}

// "label" for a node, "label=record name" for an entry, children in parentheses.
QString Dump(const CatalogueNodes& nodes) {
  QStringList parts;
  for (const auto& node : nodes) {
    QString text = FromCp1250(node->label);
    if (node->record) text += QLatin1Char('=') + node->record->nameText();
    if (!node->children.empty()) text += QLatin1Char('(') + Dump(node->children) + QLatin1Char(')');
    parts << text;
  }
  return parts.join(QLatin1Char(' '));
}

using Reader = std::function<void(TextReader&, CatalogueNodes&)>;

struct GrammarCase {
  const char* name;
  Reader read;
  QByteArray file;
  const char* expected;
};

void Masonry(TextReader& r, CatalogueNodes& n) {
  ReadMasonryFile(r, n);
}
void Insulation(TextReader& r, CatalogueNodes& n) {
  ReadInsulationFile(r, n);
}
void Adhesive(TextReader& r, CatalogueNodes& n) {
  ReadAdhesiveFile(r, n);
}
Reader Systems(const char* key) {
  return [key](TextReader& r, CatalogueNodes& n) { ReadSystemsFile(r, key, n); };
}

class SystemFileGrammar : public testing::TestWithParam<GrammarCase> {};

TEST_P(SystemFileGrammar, BuildsTheTree) {
  TextReader reader(GetParam().file);
  CatalogueNodes nodes;
  GetParam().read(reader, nodes);
  EXPECT_EQ(Dump(nodes), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemFileGrammar,
    testing::Values(
        GrammarCase{"masonry_blank_before_bracket_and_letter_lines_ignored_empty_group_name", Masonry,
                    "; comment\n [NotAGroup]\nLetter line\n[G]\n*a\n" + Rec("A") + "[]\n*b\n" + Rec("B"),
                    "G(a=A) (b=B)"},
        GrammarCase{"masonry_subentry_after_new_group_goes_under_previous_subgroup", Masonry,
                    "[G1]\n@S1\n#e1\n" + Rec("E1") + "*g\n" + Rec("Gx") + "[G2]\n#e2\n" + Rec("E2") + "@S2\n",
                    "G1(S1(e1=E1 e2=E2) g=Gx) G2(S2)"},
        GrammarCase{"masonry_entry_after_subentries_belongs_to_the_group", Masonry,
                    "[G]\n@S\n#e\n" + Rec("E") + "*f\n" + Rec("F"), "G(S(e=E) f=F)"},
        GrammarCase{"masonry_entries_before_any_group_or_subgroup_at_top_level", Masonry,
                    "*a\n" + Rec("A") + "#b\n" + Rec("B"), "a=A b=B"},
        GrammarCase{"insulation_ignores_subgroups_and_subentries", Insulation,
                    "[G]\n@S\n#x\n" + Rec("X") + "*a\n" + Rec("A"), "G(a=A)"},
        GrammarCase{"adhesive_group_line_is_an_item_without_record", Adhesive,
                    "[Kleje]\n*a\n" + Rec("A") + "*b\n" + Rec("B") + "*c\n" + Rec("C"), "Kleje a=A b=B c=C"},
        GrammarCase{"systems_family_admits_only_its_group", Systems("VIREN"),
                    "*early\n" + Rec("Early") + "[TALMO]\n*t\n" + Rec("T") + "[VIREN]\n*v1\n" + Rec("V1") +
                        "*v2\n" + Rec("V2") + "[DUSKAR]\n*d\n" + Rec("D"),
                    "VIREN(v1=V1 v2=V2)"},
        GrammarCase{"systems_key_case_and_trailing_blank_admit_nothing", Systems("VIREN"),
                    "[viren]\n*a\n" + Rec("A") + "[VIREN ]\n*b\n" + Rec("B"), ""},
        GrammarCase{"systems_skipped_entry_leaves_its_record_lines_to_the_grammar", Systems("VIREN"),
                    "[TALMO]\n*t\n[VIREN]\n" + Rec("").mid(1) + "*v\n" + Rec("V"), "VIREN(v=V)"}),
    [](const testing::TestParamInfo<GrammarCase>& info) { return std::string(info.param.name); });

// A failure ends the reading; the entries read before it stay, the one whose
// record failed is not offered half-read. A file that is not blank but has no
// entry is refused too. Each refusal names the file.
struct FailureCase {
  const char* name;
  Reader read;
  QByteArray file;
  const char* message;
  const char* kept;
};

class SystemFileFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(SystemFileFailure, EndsTheReadingKeepingTheCompleteEntries) {
  TextReader reader(GetParam().file, QStringLiteral("System/plik.txt"));
  CatalogueNodes nodes;
  try {
    GetParam().read(reader, nodes);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(QDir::fromNativeSeparators(e.message()), QString::fromUtf8(GetParam().message));
  }
  EXPECT_EQ(Dump(nodes), QString::fromUtf8(GetParam().kept));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemFileFailure,
    testing::Values(
        FailureCase{"masonry_number_with_a_comma", Masonry,
                    "[G]\n*a\n" + Rec("A") + "*b\nB\ntynk\n0,5\n0.5\n", "Invalid numeric input", "G(a=A)"},
        FailureCase{"masonry_subentry_cut", Masonry, "[G]\n@S\n#a\n" + Rec("A") + "#b\nB\ntynk\n0.5\n",
                    "Plik System/plik.txt, wiersz 12: dane warstwy urwane, plik kończy się po 3 z 8 wierszy",
                    "G(S(a=A))"},
        FailureCase{"insulation_cut_with_cr_line_ends", Insulation, "[G]\r*a\rBstyropian\rstyr\r\r",
                    "Plik System/plik.txt, wiersz 2: dane warstwy urwane, plik kończy się po 2 z 8 wierszy",
                    "G"},
        FailureCase{"systems_cut_in_the_family", Systems("TALMO"), "[TALMO]\n*t\n" + Rec("T") + "*u\nU\n",
                    "Plik System/plik.txt, wiersz 11: dane warstwy urwane, plik kończy się po 1 z 8 wierszy",
                    "TALMO(t=T)"},
        FailureCase{"masonry_groups_only", Masonry, "[G]\n@S\n",
                    "Plik System/plik.txt nie zawiera żadnej pozycji do wyboru", "G(S)"},
        FailureCase{"adhesive_utf16", Adhesive, QByteArray("\xff\xfe*\0a\0\n\0", 8),
                    "Plik System/plik.txt nie zawiera żadnej pozycji do wyboru", ""},
        FailureCase{"systems_without_any_entry", Systems("TALMO"), "; systemy\n[TALMO]\n[VIREN]\n",
                    "Plik System/plik.txt nie zawiera żadnej pozycji do wyboru", "TALMO"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(SystemFiles, BlankFilesAndOtherFamiliesAreNoFailure) {
  for (const QByteArray& file : {QByteArray(), QByteArray(" \r\n\r\n")}) {
    TextReader reader(file);
    CatalogueNodes nodes;
    EXPECT_NO_THROW(ReadMasonryFile(reader, nodes));
  }
  // Entries of the other families only: an empty tree, as for a family without its group.
  TextReader reader("[VIREN]\n*v\n" + Rec("V"));
  CatalogueNodes nodes;
  EXPECT_NO_THROW(ReadSystemsFile(reader, "TALMO", nodes));
  EXPECT_TRUE(nodes.empty());
}

TEST(SystemFiles, AdhesiveByTheInsulationsFirstLetter) {
  const struct {
    const char* name;
    std::optional<int> position;
  } cases[] = {{"Biały styropian", 0},      {"Skalna wełna", 1},   {"Fenolowa pianka", 2},
               {"styropian", std::nullopt}, {"Xps", std::nullopt}, {"", std::nullopt}};
  for (const auto& c : cases) {
    LayerRecord insulation;
    insulation.name = c.name;
    EXPECT_EQ(AdhesivePositionFor(insulation), c.position) << c.name;
  }
}

// The shipped catalogues: every record is usable as a layer, the insulation
// names lead to an adhesive, and each family finds its renders.
TEST(SystemFiles, ShippedFilesHoldUsableRecords) {
  const QString folder = QStringLiteral(VELTOR_DATA_DIR "/");
  const QSet<QByteArray> patterns{"cegl", "sili", "komo", "beto", "tynk", "styr", "welm", "pian"};
  std::vector<const LayerRecord*> records;
  std::function<void(const CatalogueNodes&)> collect = [&](const CatalogueNodes& nodes) {
    for (const auto& node : nodes) {
      if (node->record) records.push_back(node->record.get());
      collect(node->children);
    }
  };
  CatalogueNodes masonry, insulation, adhesives;
  TextReader mur = TextReader::open(folder + kMasonryFile);
  ReadMasonryFile(mur, masonry);
  TextReader docieplenie = TextReader::open(folder + kInsulationFile);
  ReadInsulationFile(docieplenie, insulation);
  TextReader kleje = TextReader::open(folder + kAdhesiveFile);
  ReadAdhesiveFile(kleje, adhesives);
  collect(masonry);
  collect(insulation);
  collect(adhesives);

  ASSERT_EQ(adhesives.size(), 3u);
  for (const auto& adhesive : adhesives) EXPECT_TRUE(adhesive->record) << adhesive->label.constData();
  QSet<int> letters;
  std::function<void(const CatalogueNodes&)> insulationNames = [&](const CatalogueNodes& nodes) {
    for (const auto& node : nodes) {
      if (node->record) {
        const std::optional<int> position = AdhesivePositionFor(*node->record);
        EXPECT_TRUE(position) << node->record->name.constData();
        if (position) letters.insert(*position);
      }
      insulationNames(node->children);
    }
  };
  insulationNames(insulation);
  EXPECT_EQ(letters, (QSet<int>{0, 1, 2}));

  CatalogueNodes families[3];
  for (const SystemFamily family : {SystemFamily::Talmo, SystemFamily::Viren, SystemFamily::Duskar}) {
    CatalogueNodes& systems = families[int(family)];
    TextReader systemy = TextReader::open(folder + kSystemsFile);
    ReadSystemsFile(systemy, FamilyKey(family), systems);
    ASSERT_EQ(systems.size(), 1u) << FamilyKey(family).constData();
    EXPECT_FALSE(systems.front()->children.empty());
    collect(systems);
  }

  for (const LayerRecord* r : records) {
    const std::string name = r->name.toStdString();
    EXPECT_FALSE(r->name.isEmpty());
    EXPECT_TRUE(patterns.contains(r->fillPattern)) << name;
    EXPECT_GT(r->lambdaMedium, 0) << name;
    EXPECT_GE(r->lambdaHumid, r->lambdaMedium) << name;
    EXPECT_GT(r->vapourCoefficient, 0) << name;
    EXPECT_GT(r->density, 0) << name;
    EXPECT_GT(r->thickness, 0) << name;
    EXPECT_GT(r->specificHeat, 0) << name;
  }
}

}  // namespace
