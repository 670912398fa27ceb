#include "app/startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "app/action_registry.h"
#include "app/frm_splash.h"
#include "app/mdi_main.h"
#include "app/program_version.h"
#include "app/test_drive.h"

namespace orlix::app {

int runProgram(int argc, char** argv) {
  QApplication application(argc, argv);  // the application's name stays the executable's
  QApplication::setApplicationDisplayName(productName());
  QApplication::setApplicationVersion(versionLabel().mid(QStringLiteral("Version ").size()));
  QApplication::setWindowIcon(programIcon(QStringLiteral("orlix")));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Decision trees for analysts."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"),
                               QStringLiteral("A data file to import, or a project's TreeParms.cfg to open."),
                               QStringLiteral("[FILE]"));
  QCommandLineOption testExit(QStringLiteral("test-exit-through-menu"),
                              QStringLiteral("Test only: leave through File > Exit after MS milliseconds."),
                              QStringLiteral("MS"));
  testExit.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(testExit);
  parser.process(application);

  FrmSplash splash;
  if (parser.isSet(testExit)) pressKeyOnSplash(splash);
  splash.exec();

  MdiMain main(ProgramFiles::besideExecutable());
  main.show();
  const QStringList files = parser.positionalArguments();
  if (!files.isEmpty()) QTimer::singleShot(0, &main, [&main, file = files.constFirst()] { main.openArgument(file); });
  if (parser.isSet(testExit)) exitThroughFileMenu(main, parser.value(testExit).toInt());
  return QApplication::exec();
}

}  // namespace orlix::app
