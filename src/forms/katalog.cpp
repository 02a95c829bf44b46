// The catalogue frame: loading both files into one tree, the own material
// actions (each a change of the user's file followed by a fresh reading of
// it), and the search filter over the tree's labels.
#include "forms/katalog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStandardPaths>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

#include "calc/errors.h"
#include "calc/ownmaterials.h"
#include "calc/textfile.h"
#include "forms/material.h"
#include "platform/dialogs.h"

namespace {

constexpr int kOwnIndexRole = Qt::UserRole + 1;

// Shipped groups and subgroups that hold materials, with their path names.
std::vector<std::pair<const QTreeWidgetItem*, MaterialKind>> Kinds(const QTreeWidget* tree,
                                                                   const QTreeWidgetItem* own) {
  std::vector<std::pair<const QTreeWidgetItem*, MaterialKind>> kinds;
  const std::function<void(const QTreeWidgetItem*, const QString&)> visit = [&](const QTreeWidgetItem* node,
                                                                                const QString& path) {
    std::vector<const veltor::LayerRecord*> records;
    for (int i = 0; i < node->childCount(); ++i)
      if (const veltor::LayerRecord* r = MaterialOf(node->child(i))) records.push_back(r);
    if (!records.empty()) kinds.push_back({node, MaterialKind{path, veltor::MoistureFactor(records)}});
    for (int i = 0; i < node->childCount(); ++i)
      if (!MaterialOf(node->child(i)))
        visit(node->child(i), path + QStringLiteral(" / ") + node->child(i)->text(0));
  };
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* top = tree->topLevelItem(i);
    if (top != own && !MaterialOf(top)) visit(top, top->text(0));
  }
  return kinds;
}

QStringList HatchPatterns() {
  QStringList patterns;
  const QDir folder(QDir::current().filePath(QStringLiteral("obrazki/Wypełnienia")));
  for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name))
    if (file.completeBaseName().size() <= 4) patterns << file.completeBaseName();
  return patterns;
}

}  // namespace

QString TFrameKatalog::UserMaterialsFile() {
  return veltor::OwnMaterialsFile();
}

TFrameKatalog::TFrameKatalog(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FrameKatalog"));
  runEditor = [](TFormMaterial& editor) { return editor.exec() == QDialog::Accepted; };

  auto* labelDostepne = new QLabel(QStringLiteral("Dostępne materiały"), this);
  EditSzukaj = new QLineEdit(this);
  EditSzukaj->setObjectName(QStringLiteral("EditSzukaj"));
  EditSzukaj->setPlaceholderText(QStringLiteral("Szukaj materiału…"));
  EditSzukaj->setClearButtonEnabled(true);
  EditSzukaj->setToolTip(
      QStringLiteral("Wielkość liter i polskie znaki nie mają znaczenia; Esc czyści pole"));
  EditSzukaj->installEventFilter(this);
  LabelZnalezione = new QLabel(this);
  LabelZnalezione->setObjectName(QStringLiteral("LabelZnalezione"));
  connect(EditSzukaj, &QLineEdit::textChanged, this, &TFrameKatalog::EditSzukajChange);

  TreeViewMaterialy = new QTreeWidget(this);
  TreeViewMaterialy->setObjectName(QStringLiteral("TreeViewMaterialy"));
  TreeViewMaterialy->setColumnCount(1);
  TreeViewMaterialy->setHeaderHidden(true);
  TreeViewMaterialy->setSelectionMode(QAbstractItemView::SingleSelection);
  TreeViewMaterialy->viewport()->setCursor(Qt::PointingHandCursor);
  TreeViewMaterialy->setMinimumWidth(260);
  labelDostepne->setBuddy(TreeViewMaterialy);

  ownGroup_ = new QTreeWidgetItem(TreeViewMaterialy, {kOwnMaterialsGroup});
  QFont bold = TreeViewMaterialy->font();
  bold.setBold(true);
  ownGroup_->setFont(0, bold);

  const auto action = [this](const QString& text, const char* name, void (TFrameKatalog::*handler)()) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this,
            [this, handler] { ui::Guard([this, handler] { (this->*handler)(); }); });
    return a;
  };
  ActionNowyMaterial = action(QStringLiteral("Nowy materiał"), "ActionNowyMaterial",
                              &TFrameKatalog::ActionNowyMaterialExecute);
  ActionKopiujMaterial = action(QStringLiteral("Kopiuj jako własny"), "ActionKopiujMaterial",
                                &TFrameKatalog::ActionKopiujMaterialExecute);
  ActionEdytujMaterial =
      action(QStringLiteral("Edytuj"), "ActionEdytujMaterial", &TFrameKatalog::ActionEdytujMaterialExecute);
  ActionUsunMaterial =
      action(QStringLiteral("Usuń"), "ActionUsunMaterial", &TFrameKatalog::ActionUsunMaterialExecute);
  ActionEksportujMaterialy = action(QStringLiteral("Eksportuj…"), "ActionEksportujMaterialy",
                                    &TFrameKatalog::ActionEksportujMaterialyExecute);
  ActionImportujMaterialy = action(QStringLiteral("Importuj…"), "ActionImportujMaterialy",
                                   &TFrameKatalog::ActionImportujMaterialyExecute);
  ActionNowyMaterial->setToolTip(QStringLiteral("Nowy materiał w grupie „Moje materiały”"));
  ActionKopiujMaterial->setToolTip(QStringLiteral(
      "Kopia wskazanego materiału w grupie „Moje materiały”, np. z wartościami deklarowanymi"));
  ActionEksportujMaterialy->setToolTip(QStringLiteral("Zapisz plik własnych materiałów, np. dla kolegi"));
  ActionImportujMaterialy->setToolTip(QStringLiteral("Dodaj materiały z pliku do grupy „Moje materiały”"));

  auto* separator = new QAction(this);
  separator->setSeparator(true);
  const QList<QAction*> actions = {
      ActionNowyMaterial, ActionKopiujMaterial,     ActionEdytujMaterial,   ActionUsunMaterial,
      separator,          ActionEksportujMaterialy, ActionImportujMaterialy};
  TreeViewMaterialy->addActions(actions);
  TreeViewMaterialy->setContextMenuPolicy(Qt::ActionsContextMenu);
  ToolButtonMojeMaterialy = new QToolButton(this);
  ToolButtonMojeMaterialy->setObjectName(QStringLiteral("ToolButtonMojeMaterialy"));
  ToolButtonMojeMaterialy->setText(kOwnMaterialsGroup);
  ToolButtonMojeMaterialy->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(ToolButtonMojeMaterialy);
  menu->addActions(actions);
  ToolButtonMojeMaterialy->setMenu(menu);
  connect(TreeViewMaterialy, &QTreeWidget::itemSelectionChanged, this, &TFrameKatalog::UpdateMaterialActions);
  UpdateMaterialActions();

  auto* heading = new QHBoxLayout;
  heading->addWidget(labelDostepne, 1);
  heading->addWidget(ToolButtonMojeMaterialy);
  auto* search = new QHBoxLayout;
  search->addWidget(EditSzukaj, 1);
  search->addWidget(LabelZnalezione);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(heading);
  layout->addLayout(search);
  layout->addWidget(TreeViewMaterialy, 1);
}

TFrameKatalog::~TFrameKatalog() {
  // The nodes point into the stores; they go first, quietly.
  TreeViewMaterialy->blockSignals(true);
  TreeViewMaterialy->clear();
}

void TFrameKatalog::Load() {
  std::optional<veltor::Error> failure;
  try {
    reloadOwn();
  } catch (const veltor::Error& e) {
    failure = e;
  }
  try {
    LoadMaterials(kMaterialsFile, TreeViewMaterialy, materials_);
  } catch (const veltor::Error& e) {
    failure = failure ? veltor::Error(failure->message() + QLatin1Char('\n') + e.message()) : e;
  }
  if (!EditSzukaj->text().isEmpty()) EditSzukajChange();
  if (failure) throw *failure;
}

int TFrameKatalog::OwnIndexOf(const QTreeWidgetItem* item) {
  const QVariant index = item ? item->data(0, kOwnIndexRole) : QVariant();
  return index.isValid() ? index.toInt() : -1;
}

QTreeWidgetItem* TFrameKatalog::selectedItem() const {
  const QList<QTreeWidgetItem*> selected = TreeViewMaterialy->selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

void TFrameKatalog::UpdateMaterialActions() {
  const QTreeWidgetItem* item = selectedItem();
  ActionKopiujMaterial->setEnabled(MaterialOf(item) != nullptr);
  ActionEdytujMaterial->setEnabled(OwnIndexOf(item) >= 0);
  ActionUsunMaterial->setEnabled(OwnIndexOf(item) >= 0);
}

void TFrameKatalog::reloadOwn(const QString& select) {
  {
    const QSignalBlocker blocker(TreeViewMaterialy);
    for (QTreeWidgetItem* child : ownGroup_->takeChildren()) delete child;
  }
  own_.clear();
  ownSources_.clear();
  const QString path = UserMaterialsFile();
  std::vector<veltor::OwnMaterial> entries;
  std::optional<veltor::Error> failure;
  if (QFileInfo::exists(path)) {
    try {
      veltor::ReadOwnMaterials(veltor::ReadDataFile(path), entries, path);
    } catch (const veltor::Error& e) {
      failure = veltor::NamingFile(path, e);
    }
  }
  QTreeWidgetItem* chosen = nullptr;
  for (size_t i = 0; i < entries.size(); ++i) {
    own_.push_back(std::make_unique<veltor::LayerRecord>(entries[i].record));
    ownSources_ << entries[i].source;
    auto* item = new QTreeWidgetItem(ownGroup_, {entries[i].label});
    item->setData(0, Qt::UserRole, QVariant::fromValue(own_.back().get()));
    item->setData(0, kOwnIndexRole, static_cast<int>(i));
    if (!select.isEmpty() && entries[i].label == select) chosen = item;
  }
  ownGroup_->setExpanded(true);
  if (chosen) {
    TreeViewMaterialy->setCurrentItem(chosen);
    TreeViewMaterialy->scrollToItem(chosen);
  } else {
    // A chosen own material may have gone with the old nodes, unannounced.
    Q_EMIT TreeViewMaterialy->itemSelectionChanged();
  }
  if (!EditSzukaj->text().isEmpty()) EditSzukajChange();
  UpdateMaterialActions();
  if (failure) throw *failure;
}

int TFrameKatalog::kindOf(const QTreeWidgetItem* item) const {
  const auto kinds = Kinds(TreeViewMaterialy, ownGroup_);
  for (size_t i = 0; i < kinds.size(); ++i)
    if (item && kinds[i].first == item->parent()) return static_cast<int>(i);
  return -1;
}

std::unique_ptr<TFormMaterial> TFrameKatalog::makeEditor(const QString& title, int exceptIndex) const {
  std::vector<MaterialKind> kinds;
  for (auto& [node, kind] : Kinds(TreeViewMaterialy, ownGroup_)) kinds.push_back(kind);
  QStringList taken;
  for (int i = 0; i < ownGroup_->childCount(); ++i)
    if (OwnIndexOf(ownGroup_->child(i)) != exceptIndex) taken << ownGroup_->child(i)->text(0);
  return std::make_unique<TFormMaterial>(window(), title, std::move(kinds), HatchPatterns(),
                                         chart::HatchesFrom(QDir::currentPath()), taken);
}

void TFrameKatalog::ActionNowyMaterialExecute() {
  const auto editor = makeEditor(QStringLiteral("Nowy materiał"), -1);
  if (!runEditor(*editor)) return;
  veltor::AddOwnMaterial(UserMaterialsFile(), editor->label(), editor->record(), editor->source());
  reloadOwn(editor->label());
}

void TFrameKatalog::ActionKopiujMaterialExecute() {
  const QTreeWidgetItem* source = selectedItem();
  const veltor::LayerRecord* record = MaterialOf(source);
  if (!record) return;
  const auto editor = makeEditor(QStringLiteral("Kopiuj jako własny"), -1);
  // The copy keeps the catalogue's label as its name, numbered when the group has it.
  const auto taken = [this](const QString& label) {
    for (int i = 0; i < ownGroup_->childCount(); ++i)
      if (ownGroup_->child(i)->text(0).trimmed().compare(label, Qt::CaseInsensitive) == 0) return true;
    return false;
  };
  const QString base = source->text(0).trimmed();
  QString label = base;
  for (int n = 2; taken(label); ++n) label = QStringLiteral("%1 (%2)").arg(base).arg(n);
  editor->setMaterial(label, *record, kindOf(source));
  if (!runEditor(*editor)) return;
  veltor::AddOwnMaterial(UserMaterialsFile(), editor->label(), editor->record(), editor->source());
  reloadOwn(editor->label());
}

void TFrameKatalog::ActionEdytujMaterialExecute() {
  const QTreeWidgetItem* item = selectedItem();
  const int index = OwnIndexOf(item);
  if (index < 0) return;
  const QString old = item->text(0);
  const auto editor = makeEditor(QStringLiteral("Edytuj materiał"), index);
  editor->setMaterial(old, *MaterialOf(item));
  editor->setSource(ownSources_.value(index));
  if (!runEditor(*editor)) return;
  veltor::ReplaceOwnMaterial(UserMaterialsFile(), index, old, editor->label(), editor->record(),
                             editor->source());
  reloadOwn(editor->label());
}

void TFrameKatalog::ActionUsunMaterialExecute() {
  const QTreeWidgetItem* item = selectedItem();
  const int index = OwnIndexOf(item);
  if (index < 0) return;
  const QString label = item->text(0);
  if (ui::ask(ui::MessageKind::Confirmation,
              QStringLiteral("Usunąć materiał „%1” z grupy „Moje materiały”?").arg(label), ui::Yes | ui::No,
              ui::Answer::No, ui::Answer::No) != ui::Answer::Yes)
    return;
  veltor::RemoveOwnMaterial(UserMaterialsFile(), index, label);
  reloadOwn();
}

void TFrameKatalog::ActionEksportujMaterialyExecute() {
  const QString own = UserMaterialsFile();
  if (!QFileInfo::exists(own)) {
    ui::inform(ui::MessageKind::Information,
               QStringLiteral("Nie ma jeszcze własnych materiałów do zapisania."));
    return;
  }
  ui::FileDialogRequest request;
  request.objectName = QStringLiteral("SaveDialogMaterialy");
  request.title = QStringLiteral("Eksportuj własne materiały");
  request.filters = {QStringLiteral("Pliki materiałów (*.txt)")};
  request.defaultSuffix = QStringLiteral("txt");
  request.initialDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  request.confirmOverwrite = true;
  const std::optional<ui::FileChoice> choice = ui::dialogs().saveFile(request);
  if (!choice || choice->fileName.isEmpty()) return;
  // The same file: writing it over itself would change nothing.
  if (QFileInfo(choice->fileName).canonicalFilePath() == QFileInfo(own).canonicalFilePath()) return;
  veltor::WriteDataFile(choice->fileName, veltor::ReadDataFile(own));
}

void TFrameKatalog::ActionImportujMaterialyExecute() {
  ui::FileDialogRequest request;
  request.objectName = QStringLiteral("OpenDialogMaterialy");
  request.title = QStringLiteral("Importuj materiały");
  request.filters = {QStringLiteral("Pliki materiałów (*.txt)"), QStringLiteral("Wszystkie pliki (*)")};
  request.initialDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  request.mustExist = true;
  const std::optional<ui::FileChoice> choice = ui::dialogs().openFile(request);
  if (!choice || choice->fileName.isEmpty()) return;
  const auto onClash = [](const QString& label) {
    switch (ui::ask(ui::MessageKind::Confirmation,
                    QStringLiteral("Materiał „%1” już jest w grupie „Moje materiały”. Zastąpić go materiałem "
                                   "z importowanego pliku?")
                        .arg(label),
                    ui::Yes | ui::No | ui::Cancel, ui::Answer::No, ui::Answer::Cancel)) {
      case ui::Answer::Yes:
        return veltor::ImportChoice::Replace;
      case ui::Answer::No:
        return veltor::ImportChoice::Skip;
      default:
        return veltor::ImportChoice::Cancel;
    }
  };
  if (veltor::ImportOwnMaterials(UserMaterialsFile(), choice->fileName, onClash) > 0) reloadOwn();
}

void TFrameKatalog::EditSzukajChange() {
  const QStringList words =
      veltor::FoldForSearch(EditSzukaj->text()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  int found = 0;
  // Post-order: a node is shown when it matches or holds a shown node.
  const std::function<bool(QTreeWidgetItem*)> filter = [&](QTreeWidgetItem* node) {
    bool anyChild = false;
    for (int i = 0; i < node->childCount(); ++i) anyChild = filter(node->child(i)) || anyChild;
    bool match = false;
    if (const veltor::LayerRecord* record = MaterialOf(node)) {
      const QString haystack = veltor::FoldForSearch(node->text(0) + QLatin1Char(' ') + record->nameText());
      match = std::all_of(words.begin(), words.end(), [&](const QString& w) { return haystack.contains(w); });
      if (match && !words.isEmpty()) ++found;
    }
    const bool shown = words.isEmpty() || match || anyChild;
    node->setHidden(!shown);
    if (!words.isEmpty() && anyChild) node->setExpanded(true);
    return match || anyChild;
  };
  for (int i = 0; i < TreeViewMaterialy->topLevelItemCount(); ++i) filter(TreeViewMaterialy->topLevelItem(i));
  if (words.isEmpty()) {
    // Back to the catalogue as it was browsed: groups folded, the own group and
    // the chosen material in view.
    for (QTreeWidgetItemIterator it(TreeViewMaterialy); *it; ++it) (*it)->setExpanded(false);
    ownGroup_->setExpanded(true);
    if (QTreeWidgetItem* item = selectedItem()) TreeViewMaterialy->scrollToItem(item);
    LabelZnalezione->clear();
  } else {
    LabelZnalezione->setText(found ? QStringLiteral("Znaleziono: %1").arg(found)
                                   : QStringLiteral("Nie znaleziono"));
  }
}

bool TFrameKatalog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditSzukaj && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !EditSzukaj->text().isEmpty()) {
    EditSzukaj->clear();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
