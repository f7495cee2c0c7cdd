#include "app/qt/display_check.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zifrel {
namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage>* held = nullptr;

bool NoDisplayNamed() {
  return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool DisplayRefused() {
  for (const HeldMessage& message : *held) {
    if (message.text.contains(QLatin1String("could not connect to display"), Qt::CaseInsensitive)) return true;
  }
  return false;
}

void Replay(const std::vector<HeldMessage>& messages) {
  for (const HeldMessage& message : messages) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    if (previousHandler) {
      previousHandler(message.type, context, message.text);
    } else {
      std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(message.type, context, message.text)));
    }
  }
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  held->push_back({type, QByteArray(context.category ? context.category : ""), text});
  if (type != QtFatalMsg) return;
  if (NoDisplayNamed()) {
    std::fputs(
        "zifrel: nessuno schermo qui (DISPLAY e WAYLAND_DISPLAY non sono impostate); avvialo da una sessione "
        "grafica.\n",
        stderr);
  } else if (DisplayRefused()) {
    std::fprintf(stderr, "zifrel: impossibile aprire lo schermo %s; avvialo da una sessione grafica.\n",
                 qEnvironmentVariableIsEmpty("DISPLAY") ? qgetenv("WAYLAND_DISPLAY").constData()
                                                        : qgetenv("DISPLAY").constData());
  } else {
    Replay(*held);  // some other failure: show it all, as Qt would have
  }
  std::fflush(stderr);
  std::_Exit(EXIT_FAILURE);  // Qt would abort here; the one line is enough
}

}  // namespace

DisplayCheck::DisplayCheck() {
  held = new std::vector<HeldMessage>;
  previousHandler = qInstallMessageHandler(HoldMessage);
}

void DisplayCheck::Opened() {
  if (!held) return;
  qInstallMessageHandler(previousHandler);
  Replay(*held);
  delete held;
  held = nullptr;
}

DisplayCheck::~DisplayCheck() { Opened(); }

}  // namespace zifrel
