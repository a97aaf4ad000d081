#include "designer/focus_ring_style.h"

#include <QPainter>
#include <QStyleOption>

namespace velmora {

namespace {

void DrawRing(QPainter* painter, const QRect& area) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setBrush(Qt::NoBrush);
  painter->setPen(QPen(kFocusRingColor, 2));
  painter->drawRect(QRectF(area).adjusted(1, 1, -1, -1));
  painter->setPen(QPen(Qt::white, 1));
  painter->drawRect(QRectF(area).adjusted(2.5, 2.5, -2.5, -2.5));
  painter->restore();
}

}  // namespace

void FocusRingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
  if (element == PE_FrameFocusRect) {
    DrawRing(painter, option->rect);
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
  if (element == PE_FrameLineEdit && (option->state & State_HasFocus)) DrawRing(painter, option->rect);
}

void FocusRingStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawComplexControl(control, option, painter, widget);
  if ((control == CC_SpinBox || control == CC_ComboBox) && (option->state & State_HasFocus))
    DrawRing(painter, option->rect);
}

}  // namespace velmora
