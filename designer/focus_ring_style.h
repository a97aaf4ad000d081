#pragma once

// The application's style with a focus ring that stands out: a dark blue
// line with a white line inside it, so that it keeps at least 3:1 against
// light surroundings (the window, a field) and dark ones (a selected row).
// Fields, lists and combo boxes with the focus get the ring around their
// frame; buttons, check boxes, tabs and tree rows where the style draws its
// own focus rectangle.

#include <QColor>
#include <QProxyStyle>

namespace velmora {

inline const QColor kFocusRingColor(0x1A, 0x4F, 0x9C);

class FocusRingStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget = nullptr) const override;
};

}  // namespace velmora
