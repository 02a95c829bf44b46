// The About box. Fixed layout on a white panel of 429 x 338: the picture and
// the title at the top, the version, the maker's group with three links, the
// developer's group with one link, and the closing picture at the bottom. The
// links only hand their targets to the shell.
#include "forms/about.h"

#include <QEnterEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QSysInfo>
#include <QVBoxLayout>

#include "forms/companion.h"
#include "platform/dialogs.h"

TAboutBox* AboutBox = nullptr;

namespace {

const QString kMakerSite = QStringLiteral("https://www.example.org");
const QString kMakerAddress = QStringLiteral("VELTOR sp. z o.o.\nul. Przykładowa 1\n00-000 Miasto");
const QString kDeveloperName = QStringLiteral("Jan Kowalski");
const QString kDeveloperSite = QStringLiteral("www.example.net");

}  // namespace

QString VersionText() {
  // The version the build was made as, and the system it runs on now.
  return QStringLiteral("wersja: %1 dla %2 (%3)")
      .arg(QStringLiteral(VELTOR_VERSION), QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture());
}

TLinkLabel::TLinkLabel(const QString& text, const QString& target, const QString& hint, QWidget* parent)
    : QLabel(text, parent), target_(target) {
  setCursor(Qt::PointingHandCursor);
  setAlignment(Qt::AlignCenter);
  setToolTip(hint);
  setStatusTip(hint);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, Qt::blue);
  setPalette(p);
}

void TLinkLabel::setUnderline(bool on) {
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
}

void TLinkLabel::enterEvent(QEnterEvent* e) {
  setUnderline(true);
  QLabel::enterEvent(e);
}

void TLinkLabel::leaveEvent(QEvent* e) {
  setUnderline(false);
  QLabel::leaveEvent(e);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
    ui::Guard([this] { ui::dialogs().openTarget(target_); });
  QLabel::mouseReleaseEvent(e);
}

void TClickableImage::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Q_EMIT clicked();
  QLabel::mouseReleaseEvent(e);
}

TAboutBox::TAboutBox(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("O programie"));
  setFixedSize(429, 338);
  setWindowOpacity(220.0 / 255.0);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setAutoFillBackground(true);
  QPalette white = panel->palette();
  white.setColor(QPalette::Window, Qt::white);
  panel->setPalette(white);
  outer->addWidget(panel);

  ProgramIcon = new TPictureLabel(QStringLiteral("obrazki/about.png"), QSize(161, 153), panel);
  ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
  ProgramIcon->setGeometry(8, 8, 161, 153);
  ProgramIcon->setAlignment(Qt::AlignCenter);

  ProductName = new QLabel(QStringLiteral("Program do obliczania parametrów fizykalnych przegrody"), panel);
  ProductName->setObjectName(QStringLiteral("ProductName"));
  ProductName->setGeometry(184, 20, 236, 84);
  ProductName->setWordWrap(true);
  ProductName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QFont bold = ProductName->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.25);
  ProductName->setFont(bold);

  Version = new QLabel(VersionText(), panel);
  Version->setObjectName(QStringLiteral("Version"));
  Version->setGeometry(184, 120, 236, 36);
  Version->setWordWrap(true);

  auto* maker = new QGroupBox(panel);
  maker->setObjectName(QStringLiteral("GroupBox1"));
  maker->setGeometry(8, 164, 413, 92);
  auto* makerRow = new QHBoxLayout(maker);
  makerRow->setContentsMargins(8, 4, 8, 4);
  LabelFirma = new QLabel(kMakerAddress, maker);
  LabelFirma->setObjectName(QStringLiteral("LabelFirma"));
  LabelFirma->setWordWrap(true);
  QFont firmaFont = LabelFirma->font();
  firmaFont.setBold(true);
  LabelFirma->setFont(firmaFont);
  makerRow->addWidget(LabelFirma, 1);
  auto* links = new QVBoxLayout;
  links->setSpacing(2);
  const QString siteHint = QStringLiteral("Strona domowa firmy VELTOR");
  const QString mailHint = QStringLiteral("Adres kontaktowy");
  LabelWWW = new TLinkLabel(QStringLiteral("www.example.org"), kMakerSite, siteHint, maker);
  LabelWWW->setObjectName(QStringLiteral("LabelWWW"));
  LabelMail1 = new TLinkLabel(QStringLiteral("biuro@example.org"), QStringLiteral("mailto:biuro@example.org"),
                              mailHint, maker);
  LabelMail1->setObjectName(QStringLiteral("LabelMail1"));
  LabelMail2 = new TLinkLabel(QStringLiteral("pomoc@example.org"), QStringLiteral("mailto:pomoc@example.org"),
                              mailHint, maker);
  LabelMail2->setObjectName(QStringLiteral("LabelMail2"));
  for (QLabel* l :
       {static_cast<QLabel*>(LabelWWW), static_cast<QLabel*>(LabelMail1), static_cast<QLabel*>(LabelMail2)})
    links->addWidget(l);
  makerRow->addLayout(links, 1);

  auto* developer = new QGroupBox(panel);
  developer->setObjectName(QStringLiteral("GroupBox2"));
  developer->setGeometry(8, 260, 413, 36);
  auto* devRow = new QHBoxLayout(developer);
  devRow->setContentsMargins(8, 2, 8, 2);
  devRow->setSpacing(4);
  auto* made = new QLabel(QStringLiteral("Program wykonał"), developer);
  made->setObjectName(QStringLiteral("LabelWykonal"));
  LabelWWW1 = new TLinkLabel(kDeveloperName, kDeveloperSite, QString(), developer);
  LabelWWW1->setObjectName(QStringLiteral("LabelWWW1"));
  auto* order = new QLabel(QStringLiteral("na zlecenie VELTOR sp. z o.o."), developer);
  order->setObjectName(QStringLiteral("LabelZlecenie"));
  devRow->addStretch(1);
  devRow->addWidget(made);
  devRow->addWidget(LabelWWW1);
  devRow->addWidget(order);
  devRow->addStretch(1);

  ImageZamknij = new TClickableImage(QStringLiteral("obrazki/about_znak.png"), QSize(110, 34), panel);
  ImageZamknij->setObjectName(QStringLiteral("ImageZamknij"));
  ImageZamknij->setGeometry(160, 300, 110, 34);
  ImageZamknij->setAlignment(Qt::AlignCenter);
  ImageZamknij->setCursor(Qt::PointingHandCursor);
  connect(ImageZamknij, &TClickableImage::clicked, this, &QDialog::accept);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::showEvent(QShowEvent* e) {
  if (QWidget* main = parentWidget()) CentreOver(this, main);
  QDialog::showEvent(e);
}
