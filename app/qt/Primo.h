#pragma once

#include <QWidget>

#include "app/workbench.h"

namespace zifrel {

// The workbench window.
class TForma : public QWidget {
  Q_OBJECT

 public:
  explicit TForma(QWidget* parent = nullptr);

 private:
  Workbench workbench_;
};

}  // namespace zifrel
