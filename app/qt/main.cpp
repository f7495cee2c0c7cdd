#include <QApplication>

#include "app/qt/Primo.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  zifrel::TForma window;
  window.show();
  application.exec();
  return 0;
}
