#include "forms/raport_new.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "draw/kondensacja_draw.h"
#include "draw/raport_draw.h"
#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/followproject.h"
#include "forms/pictureframe.h"
#include "forms/warstwy.h"
#include "model/project.h"
#include "platform/dialogs.h"
#include "platform/picturefile.h"
#include "platform/printing.h"

TFormRaportNew* FormRaportNew = nullptr;

namespace {

const QList<ui::PictureType> kSaveTypes{ui::PictureType::Bitmap, ui::PictureType::Jpeg, ui::PictureType::Pdf};

ui::FileDialogRequest saveDialogRequest() {
  ui::FileDialogRequest request;
  request.objectName = QStringLiteral("SavePictureDialogRaport");
  request.title = QStringLiteral("Zapisz raport jako rysunek");
  request.filters = ui::PictureFilters(kSaveTypes);
  request.selectedFilter = 0;
  request.initialDir = ProjectsFolder();
  request.fileName = ui::ProposedPictureName(request.initialDir, ProjectName(), QStringLiteral("raport"));
  // A report saved over a user's file must not destroy it unasked.
  request.confirmOverwrite = true;
  return request;
}

}  // namespace

TFormRaportNew::TFormRaportNew(QWidget* mainWindow, Project& project)
    : TCompanionWindow(mainWindow, QStringLiteral("FormRaportNew"), QStringLiteral("Raport"),
                       QStringLiteral("15.htm"), true),
      project_(project) {
  // The pass's notice was the layer window's to give when the change was made.
  new ProjectFollower(this, project_, [this] { draw(false); });
  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(0);

  ActionToolBarRaport = new QToolBar(this);
  ActionToolBarRaport->setObjectName(QStringLiteral("ActionToolBarRaport"));
  ActionToolBarRaport->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto makeAction = [this](QAction*& action, const char* name, const QString& caption,
                           void (TFormRaportNew::*handler)()) {
    action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    ActionToolBarRaport->addAction(action);
  };
  makeAction(ActionPrint, "ActionPrint", QStringLiteral("&Drukuj"), &TFormRaportNew::ActionPrintExecute);
  makeAction(ActionSave, "ActionSave", QStringLiteral("Za&pisz"), &TFormRaportNew::ActionSaveExecute);
  makeAction(ActionRaportPdf, "ActionRaportPdf", QStringLiteral("Raport projektowy (PDF)…"),
             &TFormRaportNew::ActionRaportPdfExecute);
  makeAction(ActionRaportOdt, "ActionRaportOdt", QStringLiteral("Raport projektowy (ODT)…"),
             &TFormRaportNew::ActionRaportOdtExecute);
  makeAction(ActionDrukujRaportProjektowy, "ActionDrukujRaportProjektowy",
             QStringLiteral("Drukuj raport projektowy…"),
             &TFormRaportNew::ActionDrukujRaportProjektowyExecute);
  makeAction(ActionClose, "ActionClose", QStringLiteral("&Zamknij"), &TFormRaportNew::ActionCloseExecute);
  top->addWidget(ActionToolBarRaport);

  FrameRap = new TPictureFrame(this, QStringLiteral("FrameRap"), QStringLiteral("ImageRaport"));
  ImageRaport = FrameRap->Image();
  top->addWidget(FrameRap, 1);

  // Wide enough for the whole width of the page.
  resize(FrameRap->WidthShowing(raport::kMinimumPageWidth), 480);
  updatePictureActions();
}

TFormRaportNew::~TFormRaportNew() = default;

void TFormRaportNew::showEvent(QShowEvent* e) {
  TCompanionWindow::showEvent(e);
  // A spontaneous show is the window system restoring the window, not a showing.
  if (!e->spontaneous()) FormShow();
}

void TFormRaportNew::FormShow() {
  draw(true);
}

void TFormRaportNew::draw(bool tell) {
  ui::Guard([this, tell] {
    QImage templatePicture = raport::LoadReportTemplate(StartFolder() + QLatin1String(raport::kTemplatePath));
    const QSize templateSize = templatePicture.size();
    veltor::LayerTable& layers = project_.layersForResults();
    const veltor::PartitionSummary& summary = CurrentSummary(project_, tell);
    const veltor::ProjectDescription& description = project_.description();
    raport::DrawnRows drawn = drawnRows_;
    QList<QImage> pages = {raport::BuildReport(std::move(templatePicture), layers, summary, gDesignConditions,
                                               description, pages_.value(0), drawn)};
    QList<ui::VectorPage> vectorPages = {
        raport::ReportVectorPage(layers, summary, gDesignConditions, description)};
    // The second page: the model's assessment of the partition's saved choices.
    if (const veltor::MoistureSettings& moisture = project_.extras().moisture; moisture.inReport) {
      const PartitionResults& r = project_.building().results(project_.currentId());
      const kondensacja::Assessment assessment =
          kondensacja::AssessmentOf(moisture, project_.conditions(), project_.extras().ground.onGround(),
                                    r.moisture, r.moistureError, layers);
      const QSize size(pages.front().width(), templateSize.height());
      pages.append(kondensacja::BuildMoisturePage(assessment, description[0], size));
      vectorPages.append(kondensacja::MoistureVectorPage(assessment, description[0], size));
    }
    ImageRaport->SetPicture(ui::StackPages(pages));
    pages_ = std::move(pages);
    drawnRows_ = std::move(drawn);
    vectorPages_ = std::move(vectorPages);
  });
  updatePictureActions();
}

void TFormRaportNew::updatePictureActions() {
  // With no picture yet (the template could not be read) there is nothing to print or save.
  const bool drawn = !ImageRaport->Picture().isNull();
  ActionPrint->setEnabled(drawn);
  ActionSave->setEnabled(drawn);
}

void TFormRaportNew::ActionPrintExecute() {
  ui::Guard([this] {
    QPrinter& printer = ui::SharedPrinter();
    const std::optional<int> copies = ui::dialogs().printDialog(QStringLiteral("PrintDialogRaport"), printer);
    if (!copies) return;
    ui::PrintPages(printer, pages_, *copies, vectorPages_);
  });
}

void TFormRaportNew::ActionSaveExecute() {
  ui::Guard([this] { ui::SavePagesWithDialog(saveDialogRequest(), kSaveTypes, pages_, vectorPages_); });
}

void TFormRaportNew::ActionCloseExecute() {
  hide();
}

void TFormRaportNew::wheelEvent(QWheelEvent* e) {
  // The frame's viewport is where a scroll area takes its wheel events.
  QCoreApplication::sendEvent(FrameRap->viewport(), e);
}
