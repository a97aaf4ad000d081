#pragma once

// The about box: product name, version and the maker's addresses.

#include <QDialog>
#include <QLabel>

class QPushButton;

namespace velmora {

// A label showing an address: red under the mouse, blue otherwise; a click
// opens the address with the desktop's handler.
class TLinkLabel : public QLabel {
  Q_OBJECT

 public:
  TLinkLabel(const QString& address, QWidget* parent);
  const QString& Address() const { return address_; }
  void SetHot(bool hot);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString address_;
};

class TformAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TformAbout(QWidget* parent = nullptr);

 protected:
  // Moving over the rest of the window turns both links blue again.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* lblProductName;
  QLabel* lblProductVersion;
  TLinkLabel* lblWebSite;
  TLinkLabel* lblTechSupport;
  QPushButton* Button1;
};

}  // namespace velmora
