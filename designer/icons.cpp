#include "designer/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace velmora {

namespace {

QIcon Draw(int size, const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  paint(painter);
  return QIcon(pixmap);
}

void Page(QPainter& p) {
  p.setPen(QPen(QColor(90, 90, 90), 1.2));
  p.setBrush(Qt::white);
  QPainterPath sheet;
  sheet.moveTo(5, 2.5);
  sheet.lineTo(14, 2.5);
  sheet.lineTo(19, 7.5);
  sheet.lineTo(19, 21.5);
  sheet.lineTo(5, 21.5);
  sheet.closeSubpath();
  p.drawPath(sheet);
  p.drawLine(QPointF(14, 2.5), QPointF(14, 7.5));
  p.drawLine(QPointF(14, 7.5), QPointF(19, 7.5));
}

void Arrow(QPainter& p, bool up) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 120, 200));
  QPolygonF head;
  const double tip = up ? 3 : 21;
  const double base = up ? 12 : 12;
  head << QPointF(12, tip) << QPointF(4, base) << QPointF(20, base);
  p.drawPolygon(head);
  p.drawRect(up ? QRectF(9, 11, 6, 10) : QRectF(9, 3, 6, 10));
}

// A curved arrow turning left (undo) or right (redo).
void TurnArrow(QPainter& p, bool right) {
  if (right) {
    p.translate(24, 0);
    p.scale(-1, 1);
  }
  p.setPen(QPen(QColor(40, 120, 200), 2.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath curve;
  curve.moveTo(7, 10);
  curve.cubicTo(13, 4, 22, 8, 19, 16);
  curve.lineTo(17, 19);
  p.drawPath(curve);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 120, 200));
  p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(11, 5), QPointF(10, 14)}));
}

}  // namespace

QIcon UndoIcon(bool redo) {
  return QIcon::fromTheme(redo ? "edit-redo" : "edit-undo",
                          ToolBarIcon(redo ? ToolIcon::Redo : ToolIcon::Undo));
}

QIcon ToolBarIcon(ToolIcon icon) {
  switch (icon) {
    case ToolIcon::New:
      return Draw(24, [](QPainter& p) {
        Page(p);
        p.setPen(QPen(QColor(230, 160, 0), 2));
        p.drawLine(QPointF(9, 14), QPointF(15, 14));
        p.drawLine(QPointF(12, 11), QPointF(12, 17));
      });
    case ToolIcon::Open:
      return Draw(24, [](QPainter& p) {
        p.setPen(QPen(QColor(150, 110, 20), 1.2));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(2.5, 6.5, 18, 13));
        p.setBrush(QColor(250, 220, 120));
        QPolygonF lid;
        lid << QPointF(5, 10.5) << QPointF(22, 10.5) << QPointF(19, 19.5) << QPointF(2.5, 19.5);
        p.drawPolygon(lid);
      });
    case ToolIcon::Save:
      return Draw(24, [](QPainter& p) {
        p.setPen(QPen(QColor(30, 60, 120), 1.2));
        p.setBrush(QColor(70, 110, 190));
        p.drawRect(QRectF(3.5, 3.5, 17, 17));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3.5, 10, 6));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(6.5, 13, 11, 7.5));
      });
    case ToolIcon::Insert:
      return Draw(24, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 160, 60));
        p.drawRect(QRectF(10, 4, 4, 16));
        p.drawRect(QRectF(4, 10, 16, 4));
      });
    case ToolIcon::Delete:
      return Draw(24, [](QPainter& p) {
        p.setPen(QPen(QColor(200, 40, 40), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
      });
    case ToolIcon::MoveUp:
      return Draw(24, [](QPainter& p) { Arrow(p, true); });
    case ToolIcon::MoveDown:
      return Draw(24, [](QPainter& p) { Arrow(p, false); });
    case ToolIcon::BuildHtml:
      return Draw(24, [](QPainter& p) {
        p.setPen(QPen(QColor(120, 60, 160), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(8, 6), QPointF(2.5, 12), QPointF(8, 18)}));
        p.drawPolyline(QPolygonF({QPointF(16, 6), QPointF(21.5, 12), QPointF(16, 18)}));
        p.drawLine(QPointF(13.5, 5), QPointF(10.5, 19));
      });
    case ToolIcon::Preview:
      return Draw(24, [](QPainter& p) {
        p.setPen(QPen(QColor(30, 100, 170), 1.4));
        p.setBrush(QColor(200, 230, 250));
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.drawEllipse(QPointF(12, 12), 4, 9);
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
      });
    case ToolIcon::Help:
      return Draw(24, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 110, 200));
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        p.setPen(Qt::white);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(15);
        p.setFont(font);
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, "?");
      });
    case ToolIcon::Undo:
    case ToolIcon::Redo:
      return Draw(24, [icon](QPainter& p) { TurnArrow(p, icon == ToolIcon::Redo); });
  }
  return {};
}

QIcon TreeIcon(int index) {
  if (index == 1) {
    // The menu as a whole: a bar with dropped-down entries.
    return Draw(16, [](QPainter& p) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(40, 90, 170));
      p.drawRect(QRectF(1, 2, 14, 3.5));
      p.setBrush(QColor(120, 160, 220));
      p.drawRect(QRectF(4, 7, 10, 2.5));
      p.drawRect(QRectF(4, 11, 10, 2.5));
    });
  }
  return Draw(16, [](QPainter& p) {
    p.setPen(QPen(QColor(90, 110, 140), 1));
    p.setBrush(QColor(230, 238, 250));
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 1.5, 1.5);
    p.setPen(QPen(QColor(60, 80, 120), 1.2));
    p.drawLine(QPointF(4, 8), QPointF(11, 8));
  });
}

QIcon ProgramIcon() {
  return Draw(48, [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 170));
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 8, 8);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 10, 32, 7));
    p.setBrush(QColor(180, 205, 240));
    p.drawRect(QRectF(14, 20, 22, 6));
    p.drawRect(QRectF(14, 28, 22, 6));
    p.drawRect(QRectF(14, 36, 22, 4));
  });
}

}  // namespace velmora
