#include "app/qt/Primo.h"

#include "core/messages.h"

namespace zifrel {

TForma::TForma(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QString::fromUtf8(msg::kProgramTitle.data(), msg::kProgramTitle.size()));
  resize(761, 299);
}

}  // namespace zifrel
