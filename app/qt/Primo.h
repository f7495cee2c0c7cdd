#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "app/qt/window_layout.h"
#include "app/workbench.h"

class QAction;
class QLabel;
class QPrinter;
class QPushButton;
class QTimer;

namespace zifrel {

class CellEdit;
class LinesArea;
class OperatorButton;
class RadioGroup;

// The workbench window. It holds no logic of its own: every event goes to the
// Workbench, which works on the window model, and after every handler and
// every batch of a job's hand-overs the window shows the model again. The
// user's edits (cells, selectors, text areas) are written back into the model
// as they happen.
class TForma : public QWidget {
  Q_OBJECT

 public:
  explicit TForma(QWidget* parent = nullptr);
  // Closing while a job runs abandons the job before any control goes away.
  ~TForma() override;

  // The logic behind the window, for tests that need to look past the widgets.
  Workbench& Bench() { return *workbench_; }

  // "Stampa…" (Ctrl+P): the Schema in the cells, with its answer key, through
  // the system's print dialog, which also offers a PDF file. The action
  // `Stampa` carries the caption and the shortcut for a menu.
  void StampaClick();
  // What Stampa… prints once its dialog is accepted, on `printer`. False
  // when there was nothing to print or the printer refused; the reason has
  // been shown.
  bool Print(QPrinter& printer);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateControls();
  void CreateCommands();
  void SetTabOrder();
  void Connect();

  // The handlers, named after control and event.
  void Bo1Click();
  void Bo2Click();
  void Bo3Click();
  void Bo4Click();
  void Bo5Click();
  void Bo6Click();
  void Button1Click();
  void Timer1Timer();
  void OperazClick(int index);
  void MaxNClick(int index);
  void CancClick();
  void CopiaClick();
  void HButtClick();
  void RandOpClick(int index);
  // The context menus' commands, which also have shortcuts.
  void SpiegaClick();
  void SuggerimentoClick();
  void LivelloClick();
  void GiocaClick();
  void GeneraRelazioneClick();
  void SpiegaRelazioneClick();

  // Runs one handler; an error escaping it is shown in a message box and the
  // program goes on. Then the window shows the model.
  template <class Handler>
  void Handle(Handler&& handler);
  // Window thread: carries out what the running job has handed over.
  void RunHandOvers();
  void ShowModel();
  void ShowFocus(QWidget* hadFocus);
  void PlaceStretchingControls();
  void ShowError(const std::string& text);
  bool PrintSheet(const SheetDocument& sheet, QPrinter& printer);

  // CellEdits and OpButtons: c1..c9 = Ed1..Ed9, o1..o6 = Bo1..Bo6.
  std::array<CellEdit*, kCellCount> Ed{};
  std::array<OperatorButton*, kOperatorCount> Bo{};
  std::array<QLabel*, 6> Label{};  // Label1..Label6, the "=" signs
  RadioGroup* Operaz = nullptr;
  RadioGroup* MaxN = nullptr;
  RadioGroup* RandOp = nullptr;
  QPushButton* Button1 = nullptr;
  LinesArea* TheM = nullptr;
  QPushButton* HButt = nullptr;
  QTimer* Timer1 = nullptr;
  QPushButton* Canc = nullptr;
  QLabel* Giro = nullptr;
  QPushButton* Copia = nullptr;
  QLabel* NoPoss = nullptr;
  LinesArea* Libe = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* SolLab = nullptr;
  QAction* Stampa = nullptr;
  QAction* Spiega = nullptr;
  QAction* Suggerimento = nullptr;
  QAction* Livello = nullptr;
  QAction* Gioca = nullptr;
  QAction* GeneraRelazione = nullptr;
  QAction* SpiegaRelazione = nullptr;

  std::unique_ptr<Workbench> workbench_;
  // Kept from one print to the next, with the printer and settings chosen.
  std::unique_ptr<QPrinter> printer_;
  bool centred_ = false;
  // The window's size as laid out, and the places in it of the controls that
  // a larger window moves: the text areas take its extra room, and in mode
  // Libero the command row goes down under the taller formula area.
  QSize designedSize_;
  layout::TextAreas designedAreas_;
  std::array<QRect, 5> designedCommandRow_;
  // A control that lost the focus by being disabled, and where Qt put it.
  QPointer<QWidget> focusOwner_;
  QPointer<QWidget> focusTakenTo_;
};

}  // namespace zifrel
