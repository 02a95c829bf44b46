// The moisture window: the EN ISO 13788 check of the partition month by month
// (mould risk at the inner surface, interstitial condensation over a year).
//
// Data flow: the climate is a station of Dane/klimat.txt or of the user's own
// climate file (both read once at creation into ComboBoxStacja) or the twelve
// months the user types into the first two columns of TableMiesiace, which
// ButtonZapiszStacje adds to the user's file under a name of their choice; the
// indoor air is the design conditions' φi or an EN ISO 13788 humidity class.
// The choices (the station with its months, or the typed months, the indoor
// humidity and the report tick) are the project's moisture settings: every
// choice the user makes goes there through Settings(), and settings that
// change elsewhere (open, new, undo) come back through ApplySettings()
// (kondensacja_project.cpp). The model assesses the partition with them
// (Building::results); Recalculate shows that assessment: the result columns,
// the verdicts and the chart, or a refusal's message in LabelKomunikat. The
// window itself only refuses typed text the project cannot hold (a month that
// is no number), naming the cell. Ctrl+V in the table (ActionWklejMiesiace)
// takes a block copied from a spreadsheet into the typed months. While the
// window is shown it shows the model's assessment again after every change of
// the project, once per turn of the event loop; its own controls store their
// choice and show the outcome directly.
#pragma once

#include <QStringList>
#include <vector>

#include "calc/moisture.h"
#include "draw/kondensacja_draw.h"
#include "forms/companion.h"
#include "model/project.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class TPictureImage;

class TFormKondensacja : public TCompanionWindow {
  Q_OBJECT
 public:
  TFormKondensacja(QWidget* mainWindow, Project& project);
  ~TFormKondensacja() override;

  // Creation handler: the stations of Dane/klimat.txt, then those of the
  // user's file, go into ComboBoxStacja ahead of the own-data entry, the first
  // one chosen. A file that cannot be read raises once the other file's
  // stations are in (the start-up reports it); typed months work all the same.
  void FormCreate();
  // Where the stations the user saves go: the program's own folder may be
  // read-only (an installed copy), so a file among the user's data.
  static QString UserClimateFile();

  // Shows the model's assessment of the partition with the window's choices.
  void Recalculate();
  // The model's assessment of the partition with the window's choices: the
  // saved ones, or the first station a project that chose no climate is shown
  // with; the wizard's created partition while the layer table is empty, as
  // the charts choose.
  kondensacja::Assessment Assess() const;
  // What the window shows now.
  const kondensacja::Assessment& Current() const { return current_; }
  // The partition the window assesses.
  const veltor::LayerTable& Partition() const;

  void ComboBoxStacjaChange();
  // Adds the typed months to the user's climate file under the name in
  // EditNazwaStacji and chooses the new station; a name or a month that
  // cannot be saved is explained in a message box, and nothing is written.
  void ButtonZapiszStacjeClick();
  void ButtonZamknijClick();

  // "Własne dane (wpisz miesiące)".
  static const QString kOwnDataItem;

  // Puts a block copied from a spreadsheet into the typed months: twelve rows
  // of one column (into the current cell's column, θe unless φe is current) or
  // of two (θe and φe), or two rows of twelve; cells separated by tabs or
  // semicolons, decimals with a comma or a point. The own-data entry is chosen
  // first. Another shape is explained in a message box and changes nothing.
  void PasteMonths(const QString& text);
  void ActionWklejMiesiaceExecute();

  // The window's choices, as a project keeps them. A station is kept with its
  // months, so that a project assesses the same climate when the station file
  // changes; typed months are kept as typed (the decimal separator of the
  // locale they were typed in).
  struct MoistureSettings {
    QString stationName;                    // empty: the typed months
    veltor::MonthlyClimate stationClimate;  // when stationName is set
    QStringList typedMonths;                // θe then φe for each month, January first
    bool humidityClass = false;             // the class rather than the design φi
    int humidityClassNumber = 3;            // 1..5
    bool inReport = false;                  // CheckBoxRaport
    bool operator==(const MoistureSettings&) const = default;
  };
  MoistureSettings Settings() const;
  // What a project without these settings opens with: the first station (or
  // the typed months when there is none), the design φi, no report page.
  MoistureSettings DefaultSettings() const;
  // Chooses the station of that name when the lists agree on its months;
  // otherwise the saved months come back as a station of the project, listed
  // as "<name> (z projektu)".
  void ApplySettings(const MoistureSettings& settings);

  QComboBox* ComboBoxStacja = nullptr;
  QRadioButton* RadioWilgotnoscProjektowa = nullptr;
  QRadioButton* RadioKlasaWilgotnosci = nullptr;
  QComboBox* ComboBoxKlasa = nullptr;
  // One row per month, January first: te and φe, then the results.
  QTableWidget* TableMiesiace = nullptr;
  // Under the table, enabled while the typed months are shown.
  QLineEdit* EditNazwaStacji = nullptr;
  QPushButton* ButtonZapiszStacje = nullptr;
  QLabel* LabelKomunikat = nullptr;
  // The verdicts, each with its mark; a mark's property "ok" says which it shows.
  QLabel* LabelPowierzchnia = nullptr;
  QLabel* LabelProgUproszczony = nullptr;
  QLabel* LabelKondensacja = nullptr;
  QLabel* MarkPowierzchnia = nullptr;
  QLabel* MarkProgUproszczony = nullptr;
  QLabel* MarkKondensacja = nullptr;
  TPictureImage* ImageWykres = nullptr;
  QCheckBox* CheckBoxRaport = nullptr;
  QPushButton* ButtonZamknij = nullptr;
  QAction* ActionWklejMiesiace = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  // Fixes the month table's size from its headers, at the first showing.
  void fitTable();
  bool tableFitted_ = false;
  void buildControls();
  // The station chosen is the own-data entry.
  bool ownData() const;
  // The own-data entry is chosen and nothing is typed.
  bool climateMissing() const;
  void chooseOwnData();
  // The te and φe cells are the typed ones (editable), not a station's.
  bool showingOwn() const;
  // The te and φe cells' texts, te then φe for each month.
  QStringList cellTexts() const;
  // The climate of the chosen station or of the typed months; raises
  // veltor::Error with a Polish message naming the month for a typed one.
  veltor::MonthlyClimate chosenClimate() const;
  veltor::MoistureInput chosenInput(const veltor::MonthlyClimate& climate) const;
  QString climateName() const;
  // The project's side (kondensacja_project.cpp): redraws after its changes,
  // and the choices stored into and restored from its moisture settings.
  void followProject();
  veltor::MoistureSettings currentSettings() const;
  void storeSettings();
  void restoreSettings();
  // Shows the station's months, or the months typed before, editable.
  void fillClimateColumns();
  void showAssessment();
  void fitVerdicts();
  void showIndoorCaption();

  std::vector<veltor::ClimateStation> stations_;
  // The texts typed into the te and φe cells, kept while a station is shown.
  QStringList typed_;
  kondensacja::Assessment current_;
  bool filling_ = false;  // cells are being filled by the window, not typed
  Project& project_;
  bool storing_ = false;    // the window's own choice is going to the project
  bool restoring_ = false;  // the project's settings are being shown
};

extern TFormKondensacja* FormKondensacja;
