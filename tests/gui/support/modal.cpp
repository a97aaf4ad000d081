#include "support/modal.h"

#include <QApplication>
#include <QTimer>

namespace velmora::test {

void OnNextModal(std::function<void(QWidget* modal)> action) {
  auto* timer = new QTimer(qApp);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, qApp, [timer, tries, action = std::move(action)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      if (++*tries > 500) qFatal("no modal window appeared");
      return;
    }
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start(10);
}

}  // namespace velmora::test
