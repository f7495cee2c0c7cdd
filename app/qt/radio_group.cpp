#include "app/qt/radio_group.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace zifrel {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent) : QGroupBox(caption, parent) {
  auto* column = new QVBoxLayout(this);
  column->setSpacing(0);
  for (int i = 0; i < items.size(); ++i) {
    auto* item = new QRadioButton(items[i], this);
    buttons_.addButton(item, i);
    column->addWidget(item, 1);
  }
  Item(0)->setChecked(true);
  connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

void RadioGroup::SetItemIndex(int index) {
  if (index == ItemIndex()) return;
  Item(index)->setChecked(true);
}

QRadioButton* RadioGroup::Item(int index) const { return static_cast<QRadioButton*>(buttons_.button(index)); }

void RadioGroup::SetItemMargins(int left, int right) { layout()->setContentsMargins(left, 0, right, 0); }

}  // namespace zifrel
