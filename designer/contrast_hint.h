#pragma once

// The contrast hint of a state page: beside the text colour panel, how well
// the text colour stands out from the background colour, as WCAG measures
// it, with a warning sign below the ratio that body text needs. A hint only:
// no value is refused for it.

#include <QObject>
#include <QString>

class QLabel;

namespace velmora {

class ColorPanel;

class ContrastHint : public QObject {
  Q_OBJECT

 public:
  // Lives as long as `label`, and follows both panels' colours.
  ContrastHint(QLabel* label, ColorPanel* text, ColorPanel* background);

  // The figure shown for a ratio, e.g. "4.48:1"; a ratio just below the
  // needed one never reads as reaching it.
  static QString RatioText(double ratio);

 private:
  void Update();

  QLabel* label_;
  ColorPanel* text_;
  ColorPanel* background_;
};

}  // namespace velmora
