#include "forms/raport_new.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/kondensacja.h"
#include "forms/kondensacja_draw.h"
#include "forms/pictureframe.h"
#include "forms/raport_draw.h"
#include "forms/warstwy.h"
#include "platform/dialogs.h"
#include "platform/picturefile.h"
#include "platform/printing.h"

TFormRaportNew* FormRaportNew = nullptr;

namespace {

ui::FileDialogRequest saveDialogRequest() {
  ui::FileDialogRequest request;
  request.objectName = QStringLiteral("SavePictureDialogRaport");
  request.title = QStringLiteral("Zapisz raport jako rysunek");
  request.filters = {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("JPG (*.jpg)"),
                     QStringLiteral("PDF (*.pdf)")};
  request.selectedFilter = 0;
  // A report saved over a user's file must not destroy it unasked.
  request.confirmOverwrite = true;
  return request;
}

veltor::ProjectDescription currentDescription() {
  veltor::ProjectDescription description;
  if (FormDaneProj) {
    description = {FormDaneProj->LabeledEdit1->text(), FormDaneProj->LabeledEdit2->text(),
                   FormDaneProj->LabeledEdit3->text(), FormDaneProj->LabeledEdit4->text()};
  }
  return description;
}

}  // namespace

TFormRaportNew::TFormRaportNew(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormRaportNew"), QStringLiteral("Raport"),
                       QStringLiteral("15.htm"), true) {
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
  ui::Guard([this] {
    QImage templatePicture = raport::LoadReportTemplate(StartFolder() + QLatin1String(raport::kTemplatePath));
    const QSize templateSize = templatePicture.size();
    veltor::LayerTable empty;
    veltor::LayerTable& layers = FormWarstwy ? FormWarstwy->Layers() : empty;
    RunCalculationPass(layers, gPartitionSummary);
    const veltor::ProjectDescription description = currentDescription();
    QList<QImage> pages = {raport::BuildReport(std::move(templatePicture), layers, gPartitionSummary,
                                               gDesignConditions, description)};
    if (FormKondensacja && FormKondensacja->CheckBoxRaport->isChecked()) {
      pages.append(kondensacja::BuildMoisturePage(FormKondensacja->Assess(layers), description[0],
                                                  QSize(pages.front().width(), templateSize.height())));
    }
    ImageRaport->SetPicture(ui::StackPages(pages));
    pages_ = std::move(pages);
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
    ui::PrintPages(printer, pages_, *copies);
  });
}

void TFormRaportNew::ActionSaveExecute() {
  ui::Guard([this] {
    ui::SavePagesWithDialog(saveDialogRequest(),
                            {ui::PictureType::Bitmap, ui::PictureType::Jpeg, ui::PictureType::Pdf}, pages_);
  });
}

void TFormRaportNew::ActionCloseExecute() {
  hide();
}

void TFormRaportNew::wheelEvent(QWheelEvent* e) {
  // The frame's viewport is where a scroll area takes its wheel events.
  QCoreApplication::sendEvent(FrameRap->viewport(), e);
}
