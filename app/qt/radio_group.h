#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

namespace zifrel {

// A framed group of radio buttons with one item chosen: its ItemIndex.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

  int ItemIndex() const { return buttons_.checkedId(); }
  // Raises no itemClicked: only the user's choices do.
  void SetItemIndex(int index);
  QRadioButton* Item(int index) const;
  // Lays the items out evenly over the group's inner height.
  void SetItemMargins(int left, int right);

 signals:
  // The user chose an item, by mouse or keyboard, even the one already chosen.
  void itemClicked(int index);

 private:
  QButtonGroup buttons_;
};

}  // namespace zifrel
