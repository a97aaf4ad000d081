#include "designer/keyboard_routes.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <vector>

namespace velmora {

namespace {

void StepPage(QTabWidget* pages, int step) {
  const int count = pages->count();
  int index = pages->currentIndex();
  for (int tried = 0; tried < count; ++tried) {
    index = (index + step + count) % count;
    if (pages->isTabVisible(index) && pages->isTabEnabled(index)) break;
  }
  if (index == pages->currentIndex()) return;
  // The focus moves along when it was on the page left behind.
  QWidget* focus = pages->focusWidget();
  const bool onPage = focus && pages->currentWidget() && pages->currentWidget()->isAncestorOf(focus);
  pages->setCurrentIndex(index);
  if (!onPage) return;
  if (QWidget* first = FirstTabStop(pages->currentWidget())) {
    first->setFocus(Qt::TabFocusReason);
  } else {
    pages->tabBar()->setFocus(Qt::TabFocusReason);
  }
}

// The areas F6 visits, in order: the tree, the pages, then the window's
// panes (the live preview); a hidden one is passed over.
std::vector<QWidget*> Areas(QMainWindow& window, QTreeWidget* tree, QTabWidget* pages) {
  std::vector<QWidget*> areas{tree, pages};
  for (QDockWidget* pane : window.findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly))
    areas.push_back(pane);
  return areas;
}

void StepArea(QMainWindow& window, QTreeWidget* tree, QTabWidget* pages, int step) {
  const std::vector<QWidget*> areas = Areas(window, tree, pages);
  const int count = static_cast<int>(areas.size());
  QWidget* focus = window.focusWidget();
  int at = -1;
  for (int k = 0; k < count; ++k) {
    if (focus && (areas[k] == focus || areas[k]->isAncestorOf(focus))) at = k;
  }
  for (int tried = 1; tried <= count; ++tried) {
    QWidget* area =
        areas[static_cast<size_t>(((at < 0 ? (step > 0 ? -1 : 0) : at) + step * tried + count) % count)];
    if (!area->isVisible()) continue;
    QWidget* target = area;
    if (area == pages) {
      target = FirstTabStop(pages->currentWidget());
      if (!target) target = pages->tabBar();
    } else if (area != tree) {
      target = FirstTabStop(area);
    }
    if (!target) continue;
    target->setFocus(Qt::ShortcutFocusReason);
    return;
  }
}

}  // namespace

QWidget* FirstTabStop(QWidget* area) {
  if (!area) return nullptr;
  for (QWidget* widget = area->nextInFocusChain(); widget && widget != area;
       widget = widget->nextInFocusChain()) {
    if (area->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() &&
        widget->isEnabled())
      return widget;
  }
  return nullptr;
}

void InstallKeyboardRoutes(QMainWindow& window, QTreeWidget* tree, QTabWidget* pages) {
  const struct {
    QKeySequence keys;
    int step;
    bool betweenAreas;
  } routes[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1, false},
      {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1, false},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1, false},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1, false},
      {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1, false},
      {QKeySequence(Qt::Key_F6), 1, true},
      {QKeySequence(Qt::SHIFT | Qt::Key_F6), -1, true},
  };
  for (const auto& route : routes) {
    auto* shortcut = new QShortcut(route.keys, &window);
    shortcut->setContext(Qt::WindowShortcut);
    const int step = route.step;
    if (route.betweenAreas) {
      QObject::connect(shortcut, &QShortcut::activated, &window,
                       [&window, tree, pages, step] { StepArea(window, tree, pages, step); });
    } else {
      QObject::connect(shortcut, &QShortcut::activated, pages, [pages, step] { StepPage(pages, step); });
    }
  }
}

}  // namespace velmora
