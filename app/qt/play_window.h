#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <memory>
#include <thread>

#include "app/play_hint.h"
#include "app/play_model.h"
#include "core/stop_flag.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QTimer;

namespace zifrel {

// The Schema and its letter key as the printed sheet shows them, with the
// player's digits in the key. It holds the keyboard: the keys go to the
// model, and it draws whatever the model holds.
class PlayBoard : public QWidget {
  Q_OBJECT

 public:
  PlayBoard(PlayModel& model, QWidget* parent);
  QSize sizeHint() const override;

 signals:
  // The player changed something: the digits, the marks or the box chosen.
  void changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // Tab and Shift+Tab move between the letters, not out of the board.
  bool focusNextPrevChild(bool next) override;

 private:
  QTransform SheetToWidget() const;

  PlayModel& model_;
};

// Gioca: a window of its own in which to solve one Schema by hand. It works
// on its own copy of the Schema, so the main window and its jobs go on as if
// it were not there, and several may be open at once.
class PlayWindow : public QWidget {
  Q_OBJECT

 public:
  // `schema` must have its answer key and level.
  PlayWindow(SheetSchema schema, QWidget* parent);
  // A hint still running is stopped and awaited: it polls its flag, so it
  // ends within a step.
  ~PlayWindow() override;

  PlayModel& Model() { return model_; }
  // What Stampa… prints once its dialog is accepted.
  bool Print(QPrinter& printer);

  // The commands, also reached through their shortcuts.
  void ControllaClick();
  void SuggerimentoClick();
  void AnnullaClick();
  void RipetiClick();
  void SoluzioneClick();
  void StampaClick();

 private:
  QAction* Command(std::string_view caption, const char* name, const QKeySequence& keys);
  void Changed();
  void ShowMessage(const QStringList& lines);
  void HintDone(PlayHint hint);
  void Tick();
  long Seconds() const;

  PlayModel model_;
  PlayBoard* board_ = nullptr;
  QLabel* clock_ = nullptr;
  QPlainTextEdit* messages_ = nullptr;
  QTimer* timer_ = nullptr;
  QAction* controlla_ = nullptr;
  QAction* suggerimento_ = nullptr;
  QAction* annulla_ = nullptr;
  QAction* ripeti_ = nullptr;
  QAction* soluzione_ = nullptr;
  QAction* stampa_ = nullptr;
  QAction* matita_ = nullptr;
  QElapsedTimer elapsed_;
  long stoppedAt_ = -1;  // the time taken, once the game is over
  bool solvedShown_ = false;
  StopFlag hintStop_;
  std::thread hint_;
  bool hintRunning_ = false;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace zifrel
