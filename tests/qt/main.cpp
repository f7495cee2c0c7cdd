// The window's tests, one suite per ctest test:
//   zifrel_gui_tests SUITE [Qt Test options]
// They drive the real window on Qt's offscreen platform: no display needed.
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "app/qt/qt_italian.h"
#include "suites.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  // As the program does: the tests see Qt's texts as the user does.
  zifrel::InstallQtItalian();
  const std::map<std::string, std::unique_ptr<QObject> (*)()> suites = {
      {"WindowTest", zifrel::test::MakeWindowTest},
      {"JobsGuiTest", zifrel::test::MakeJobsGuiTest},
      {"SheetGuiTest", zifrel::test::MakeSheetGuiTest},
      {"PlayGuiTest", zifrel::test::MakePlayGuiTest},
  };
  const auto suite = argc > 1 ? suites.find(argv[1]) : suites.end();
  if (suite == suites.end()) {
    std::fprintf(stderr, "usage: zifrel_gui_tests WindowTest|JobsGuiTest|SheetGuiTest|PlayGuiTest [Qt Test options]\n");
    return 2;
  }
  argv[1] = argv[0];  // Qt Test reads its own options after the program name
  const std::unique_ptr<QObject> tests = suite->second();
  return QTest::qExec(tests.get(), argc - 1, argv + 1);
}
