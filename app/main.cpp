// The designer program: resolves its program folder, offers back a design
// a crashed run left, shows the main window and opens the project named on
// the command line.

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

#include "designer/application.h"
#include "designer/crash_recovery.h"
#include "designer/main_form.h"
#include "document/errors.h"
#include "generator/program_folder.h"
#include "platform/codepage.h"
#include "platform/prompts.h"
#ifdef VELMORA_WEBENGINE
#include "designer/live_preview.h"
#include "platform/preview_scheme.h"
#endif

namespace {

// Takes "--home DIR" out of the arguments; the rest name the project.
QString TakeHomeOption(QStringList& arguments) {
  QString home;
  for (int k = 0; k < arguments.size(); ++k) {
    if (arguments[k] == QLatin1String("--home") && k + 1 < arguments.size()) {
      home = arguments[k + 1];
      arguments.remove(k, 2);
      break;
    }
    if (arguments[k].startsWith(QLatin1String("--home="))) {
      home = arguments[k].mid(7);
      arguments.removeAt(k);
      break;
    }
  }
  return home;
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef VELMORA_WEBENGINE
  velmora::RegisterPreviewScheme();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
  QApplication app(argc, argv);
  velmora::ConfigureApplication();

  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  const QString home = TakeHomeOption(arguments);

  velmora::ProgramFolderSources sources =
      velmora::DefaultProgramFolderSources(velmora::ToNativePath(QApplication::applicationFilePath()));
  if (!home.isEmpty()) sources.explicitHome = velmora::ToNativePath(home);
  QString programFolder;
  try {
    programFolder = velmora::FromNativePath(velmora::ResolveProgramFolder(sources));
  } catch (const velmora::Error& error) {
    velmora::CurrentPrompts().Message(
        nullptr, QMessageBox::Critical, "Velmora",
        "The program folder cannot be used.\n" + velmora::FromErrorText(error.what()), QMessageBox::Ok,
        QMessageBox::Ok);
    return 1;
  }

  velmora::TMainForm window(programFolder);
#ifdef VELMORA_WEBENGINE
  velmora::LivePreview::AddTo(window);
#endif
  // Asked before the window appears: the preview embedded in the window
  // may re-create the window's surface while it first shows, which could
  // leave a question asked then behind the window.
  (new velmora::CrashRecovery(window))->OfferLeftCopies();
  window.show();
  window.StartUp(arguments);
  return QApplication::exec();
}
