#pragma once

// The main() of a window test that starts the live preview's web engine:
// offscreen, without the engine's sandbox (it refuses to start one as
// root), with the designer's own preview addresses registered before the
// application exists, as the engine requires.

#include <QApplication>
#include <QTest>

#include "platform/preview_scheme.h"

#define VELMORA_ENGINE_TEST_MAIN(TestClass)                              \
  int main(int argc, char* argv[]) {                                     \
    qputenv("QT_QPA_PLATFORM", "offscreen");                             \
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu"); \
    velmora::RegisterPreviewScheme();                                    \
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);          \
    QApplication app(argc, argv);                                        \
    TestClass test;                                                      \
    return QTest::qExec(&test, argc, argv);                              \
  }
