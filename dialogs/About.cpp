#include "dialogs/About.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "generator/maker.h"
#include "platform/launcher.h"

namespace velmora {

TLinkLabel::TLinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent), address_(address) {
  setCursor(Qt::PointingHandCursor);
  SetHot(false);
}

void TLinkLabel::SetHot(bool hot) {
  setStyleSheet(hot ? "color: red;" : "color: blue;");
}

void TLinkLabel::enterEvent(QEnterEvent* event) {
  SetHot(true);
  QLabel::enterEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    CurrentLauncher().OpenWithDefault(address_);
  }
  QLabel::mouseReleaseEvent(event);
}

TformAbout::TformAbout(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("formAbout");
  setWindowTitle("Velmora");
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);

  auto* icon = new QLabel(this);
  icon->setObjectName("imgProgramIcon");
  icon->setPixmap(windowIcon().isNull() ? style()->standardIcon(QStyle::SP_DesktopIcon).pixmap(48, 48)
                                        : windowIcon().pixmap(48, 48));
  lblProductName = new QLabel("Velmora", this);
  lblProductName->setObjectName("lblProductName");
  QFont big = lblProductName->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  lblProductName->setFont(big);
  lblProductVersion = new QLabel("Version 1.0", this);
  lblProductVersion->setObjectName("lblProductVersion");
  lblWebSite = new TLinkLabel(QString::fromLatin1(kProductPage), this);
  lblWebSite->setObjectName("lblWebSite");
  lblTechSupport = new TLinkLabel(QString::fromLatin1(kSupportPage), this);
  lblTechSupport->setObjectName("lblTechSupport");
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  auto* links = new QGridLayout;
  links->addWidget(new QLabel("Web Site", this), 0, 0);
  links->addWidget(lblWebSite, 0, 1);
  links->addWidget(new QLabel("Tech Support", this), 1, 0);
  links->addWidget(lblTechSupport, 1, 1);
  auto* names = new QVBoxLayout;
  names->addWidget(lblProductName);
  names->addWidget(lblProductVersion);
  names->addSpacing(12);
  names->addLayout(links);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(names, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 12);
  layout->addLayout(top);
  layout->addSpacing(12);
  layout->addLayout(buttons);

  setMouseTracking(true);
  installEventFilter(this);
  setFixedSize(sizeHint());
}

bool TformAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && event->type() == QEvent::MouseMove) {
    const QWidget* under = childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (under != lblWebSite) lblWebSite->SetHot(false);
    if (under != lblTechSupport) lblTechSupport->SetHot(false);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace velmora
