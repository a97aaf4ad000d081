#include "designer/contrast_hint.h"

#include <QLabel>
#include <cmath>

#include "designer/page_widgets.h"
#include "generator/contrast.h"

namespace velmora {

namespace {

std::string StoredColour(const QColor& color) {
  return color.name(QColor::HexRgb).mid(1).toUpper().toStdString();
}

}  // namespace

ContrastHint::ContrastHint(QLabel* label, ColorPanel* text, ColorPanel* background)
    : QObject(label), label_(label), text_(text), background_(background) {
  connect(text_, &ColorPanel::colorChanged, this, &ContrastHint::Update);
  connect(background_, &ColorPanel::colorChanged, this, &ContrastHint::Update);
  Update();
}

QString ContrastHint::RatioText(double ratio) {
  double shown = std::round(ratio * 100) / 100;
  if (ratio < kMinimumTextContrast && shown >= kMinimumTextContrast) shown = kMinimumTextContrast - 0.01;
  QString figure = QString::number(shown, 'f', 2);
  while (figure.endsWith('0')) figure.chop(1);
  if (figure.endsWith('.')) figure.chop(1);
  return figure + ":1";
}

void ContrastHint::Update() {
  const double ratio = ContrastRatio(StoredColour(text_->Color()), StoredColour(background_->Color()));
  const QString figure = RatioText(ratio);
  if (ratio < kMinimumTextContrast) {
    label_->setText(QString::fromUtf8("\u26A0 Contrast ") + figure);
    label_->setToolTip(
        QStringLiteral("The text colour stands out too little from the background colour (%1). "
                       "Text reads easily from 4.5:1 on (WCAG AA).")
            .arg(figure));
  } else {
    label_->setText(QStringLiteral("Contrast ") + figure);
    label_->setToolTip(QStringLiteral("Contrast of the text colour against the background colour (%1); "
                                      "4.5:1 or more reads easily (WCAG AA).")
                           .arg(figure));
  }
  // A screen reader tells the hint with the text colour it judges.
  text_->setAccessibleDescription(label_->toolTip());
}

}  // namespace velmora
