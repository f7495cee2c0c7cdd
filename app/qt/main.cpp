#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/qt/Primo.h"
#include "app/qt/display_check.h"
#include "app/qt/qt_italian.h"
#include "core/messages.h"

int main(int argc, char** argv) {
  zifrel::DisplayCheck display;
  QApplication application(argc, argv);
  display.Opened();
  zifrel::InstallQtItalian();

  const QString title =
      QString::fromUtf8(zifrel::msg::kProgramTitle.data(), static_cast<qsizetype>(zifrel::msg::kProgramTitle.size()));
  QApplication::setApplicationDisplayName(title);
  // Names the installed desktop entry, so that a Wayland desktop shows its
  // name and icon for the window.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.zifrel.Zifrel"));
  try {
    zifrel::TForma window;
    window.show();
    QApplication::exec();
  } catch (const std::exception& error) {
    // Only the start-up can get here: the window stops every error of its
    // handlers itself.
    QMessageBox::critical(nullptr, title, QString::fromUtf8(error.what()));
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
