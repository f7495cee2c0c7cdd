#include "app/qt/play_window.h"

#include <QAction>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

#include "app/play_phrases.h"
#include "app/qt/program_icon.h"
#include "app/qt/window_layout.h"
#include "core/messages.h"
#include "core/paragraph.h"
#include "core/utf8.h"
#include "deduce/explanation_text.h"
#include "sheet/q_text.h"
#include "sheet/sheet_drawing.h"
#include "sheet/sheet_phrases.h"

namespace zifrel {
namespace {

// The board in the sheet's unit (a tenth of a millimetre): the grid, the
// marks of the rows on its right and of the columns under it, then the
// strip of letters with room under it for the marks of a digit used twice.
constexpr double kMargin = 40;
constexpr double kRowMarks = 140;
constexpr double kColumnMarks = 120;
constexpr double kDuplicateRoom = 55;
constexpr double kMarkSize = 24;
constexpr double kDigitPoints = 14;
constexpr double kPencilPoints = 5.5;
constexpr double kPencilInset = 7;  // keeps the marks off the box's frame
constexpr double kDuplicatePoints = 12;

const QColor kPaper(255, 255, 255);
const QColor kInk(0, 0, 0);
const QColor kSoftInk(85, 85, 85);
const QColor kChosen(255, 236, 160);
const QColor kHolds(0, 110, 40);
const QColor kFails(180, 0, 0);

constexpr int kClockIntervalMs = 1000;
constexpr int kMessageLines = 7;

QPointF GridCorner() { return {kMargin, kMargin}; }
QPointF StripCorner() { return {kMargin, kMargin + SchemaGridSize().height() + kColumnMarks}; }
QSizeF BoardSize() {
  const QSizeF grid = SchemaGridSize();
  return {kMargin + grid.width() + kRowMarks + kMargin,
          StripCorner().y() + KeyStripHeight() + kDuplicateRoom + kMargin};
}

void TextCentred(QPainter& p, QPointF centre, const QString& text, const QFont& font, const QColor& colour) {
  const QFontMetricsF metrics(font, p.device());
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QPointF(centre.x() - metrics.horizontalAdvance(text) / 2, centre.y() + metrics.capHeight() / 2), text);
}

// A tick for an equation that holds and a cross for one that does not: the
// shape says it, the colour only helps.
void DrawMark(QPainter& p, QPointF centre, PlayModel::EquationState state) {
  if (state == PlayModel::EquationState::kOpen) return;
  const bool holds = state == PlayModel::EquationState::kHolds;
  p.setPen(QPen(holds ? kHolds : kFails, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const double s = kMarkSize;
  if (holds) {
    QPainterPath tick(centre + QPointF(-s, 0));
    tick.lineTo(centre + QPointF(-s / 3, s * 0.8));
    tick.lineTo(centre + QPointF(s, -s));
    p.drawPath(tick);
  } else {
    p.drawLine(centre + QPointF(-s * 0.8, -s * 0.8), centre + QPointF(s * 0.8, s * 0.8));
    p.drawLine(centre + QPointF(-s * 0.8, s * 0.8), centre + QPointF(s * 0.8, -s * 0.8));
  }
}

QString Lines(const QStringList& lines) { return lines.join(QLatin1Char('\n')); }

}  // namespace

PlayBoard::PlayBoard(PlayModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("Tavola"));
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(BoardSize().toSize() / 3);
}

QSize PlayBoard::sizeHint() const { return (BoardSize() / 2).toSize(); }

QTransform PlayBoard::SheetToWidget() const {
  const QSizeF board = BoardSize();
  const double scale = std::min(width() / board.width(), height() / board.height());
  QTransform transform;
  transform.translate((width() - board.width() * scale) / 2, (height() - board.height() * scale) / 2);
  transform.scale(scale, scale);
  return transform;
}

void PlayBoard::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kPaper);
  p.setRenderHint(QPainter::Antialiasing);
  p.setTransform(SheetToWidget());

  // The chosen box is shaded before the strip is drawn over it.
  const QPointF strip = StripCorner();
  p.fillRect(KeyStripBox(strip, model_.Selected()), kChosen);
  DrawSchemaGrid(p, GridCorner(), model_.Schema());
  std::vector<QString> letters;
  for (int i = 0; i < model_.LetterCount(); ++i) letters.push_back(Q(model_.Letter(i)));
  DrawKeyStrip(p, strip, letters);

  for (int i = 0; i < 3; ++i) {
    const QRectF rowEnd = SchemaGridCell(GridCorner(), 3 * i + 2);
    DrawMark(p, QPointF(rowEnd.right() + kRowMarks / 2, rowEnd.center().y()), model_.Equation(i));
    const QRectF columnEnd = SchemaGridCell(GridCorner(), 6 + i);
    DrawMark(p, QPointF(columnEnd.center().x(), columnEnd.bottom() + kColumnMarks / 2), model_.Equation(3 + i));
  }

  const QFont digitFont = SheetFont(kDigitPoints, true);
  const QFont pencilFont = SheetFont(kPencilPoints, false);
  const QFont duplicateFont = SheetFont(kDuplicatePoints, true);
  for (int i = 0; i < model_.LetterCount(); ++i) {
    const QRectF box = KeyStripBox(strip, i);
    if (i == model_.Selected()) {
      // The frame shows the chosen box without the shade's colour.
      p.setPen(QPen(kInk, 7, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
      p.setBrush(Qt::NoBrush);
      p.drawRect(box);
    }
    const int digit = model_.Digit(i);
    if (digit != PlayModel::kNoDigit) {
      const bool twice = model_.Duplicate(i);
      TextCentred(p, box.center(), QString::number(digit), digitFont, twice ? kFails : kInk);
      if (twice) {
        TextCentred(p, QPointF(box.center().x(), box.bottom() + kDuplicateRoom / 2), QStringLiteral("!"), duplicateFont,
                    kFails);
        p.setPen(QPen(kFails, 3, Qt::DashLine));
        p.drawRect(box.adjusted(6, 6, -6, -6));
      }
    } else if (model_.Marks(i) != 0) {
      // Pencil marks in two rows, 0..4 above 5..9, each digit in its place.
      for (int d = 0; d < 10; ++d) {
        if ((model_.Marks(i) >> d & 1) == 0) continue;
        const QRectF room = box.adjusted(kPencilInset, kPencilInset, -kPencilInset, -kPencilInset);
        const QPointF at(room.left() + room.width() * (d % 5 + 0.5) / 5,
                         room.top() + room.height() * (d / 5 + 0.5) / 2);
        TextCentred(p, at, QString::number(d), pencilFont, kSoftInk);
      }
    }
  }
}

void PlayBoard::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  if (modifiers != Qt::NoModifier) {
    QWidget::keyPressEvent(event);
    return;
  }
  const int key = event->key();
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    model_.Type(key - Qt::Key_0);
  } else if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
    model_.Erase();
  } else if (key == Qt::Key_Left || key == Qt::Key_Up) {
    model_.SelectPrevious();
  } else if (key == Qt::Key_Right || key == Qt::Key_Down) {
    model_.SelectNext();
  } else if (key == Qt::Key_Home) {
    model_.Select(0);
  } else if (key == Qt::Key_End) {
    model_.Select(model_.LetterCount() - 1);
  } else {
    const QList<uint> typed = event->text().toUcs4();
    if (typed.size() != 1 || !model_.SelectLetter(typed.front())) {
      QWidget::keyPressEvent(event);
      return;
    }
  }
  update();
  emit changed();
}

void PlayBoard::mousePressEvent(QMouseEvent* event) {
  const QPointF at = SheetToWidget().inverted().map(event->position());
  const QPointF strip = StripCorner();
  for (int i = 0; i < model_.LetterCount(); ++i) {
    const QRectF box = KeyStripBox(strip, i);
    // The letter over the box counts as the box.
    if (box.united(QRectF(box.left(), strip.y(), box.width(), 1)).contains(at)) {
      model_.Select(i);
      update();
      emit changed();
    }
  }
  setFocus(Qt::MouseFocusReason);
}

bool PlayBoard::focusNextPrevChild(bool next) {
  next ? model_.SelectNext() : model_.SelectPrevious();
  update();
  emit changed();
  return true;
}

PlayWindow::PlayWindow(SheetSchema schema, QWidget* parent) : QWidget(parent, Qt::Window), model_(std::move(schema)) {
  setObjectName(QStringLiteral("Gioca"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(ProgramIcon());
  setWindowTitle(Q(Fill(play::kTitle, {LevelLine(model_.Schema().level)})));

  board_ = new PlayBoard(model_, this);
  clock_ = new QLabel(this);
  clock_->setObjectName(QStringLiteral("Tempo"));
  messages_ = new QPlainTextEdit(this);
  messages_->setObjectName(QStringLiteral("Messaggi"));
  messages_->setReadOnly(true);
  messages_->setFocusPolicy(Qt::ClickFocus);
  messages_->setFont(QFont(layout::MonospaceFamily(), 10));
  messages_->setFixedHeight(
      qRound(QFontMetricsF(messages_->font()).lineSpacing() * kMessageLines + 2 * messages_->frameWidth() + 8));

  controlla_ = Command(play::kControlla, "Controlla", QKeySequence(Qt::CTRL | Qt::Key_K));
  suggerimento_ = Command(play::kSuggerimento, "Suggerimento", QKeySequence(Qt::CTRL | Qt::Key_H));
  annulla_ = Command(play::kAnnulla, "Annulla", QKeySequence(Qt::CTRL | Qt::Key_Z));
  ripeti_ = Command(play::kRipeti, "Ripeti", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  soluzione_ = Command(play::kSoluzione, "Soluzione", QKeySequence());
  stampa_ = Command(msg::kStampa, "Stampa", QKeySequence::Print);
  matita_ = Command(play::kMatita, "Matita", QKeySequence(Qt::CTRL | Qt::Key_M));
  matita_->setCheckable(true);

  auto* commands = new QHBoxLayout;
  for (QAction* action : {controlla_, suggerimento_, annulla_, ripeti_, soluzione_, stampa_, matita_}) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    // The board keeps the keyboard; the commands have their shortcuts.
    button->setFocusPolicy(Qt::NoFocus);
    commands->addWidget(button);
  }
  commands->addStretch();
  commands->addWidget(clock_);
  auto* column = new QVBoxLayout(this);
  column->addWidget(board_, 1);
  column->addLayout(commands);
  column->addWidget(messages_);

  connect(board_, &PlayBoard::changed, this, &PlayWindow::Changed);
  connect(controlla_, &QAction::triggered, this, &PlayWindow::ControllaClick);
  connect(suggerimento_, &QAction::triggered, this, &PlayWindow::SuggerimentoClick);
  connect(annulla_, &QAction::triggered, this, &PlayWindow::AnnullaClick);
  connect(ripeti_, &QAction::triggered, this, &PlayWindow::RipetiClick);
  connect(soluzione_, &QAction::triggered, this, &PlayWindow::SoluzioneClick);
  connect(stampa_, &QAction::triggered, this, &PlayWindow::StampaClick);
  connect(matita_, &QAction::toggled, this, [this](bool on) { model_.SetPencilMode(on); });
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &PlayWindow::Tick);
  timer_->start(kClockIntervalMs);

  ShowMessage({Q(play::kKeys)});
  Changed();
  board_->setFocus(Qt::OtherFocusReason);
}

PlayWindow::~PlayWindow() {
  hintStop_.Request();
  if (hint_.joinable()) hint_.join();
}

QAction* PlayWindow::Command(std::string_view caption, const char* name, const QKeySequence& keys) {
  auto* action = new QAction(Q(caption), this);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(keys);
  addAction(action);
  return action;
}

void PlayWindow::Changed() {
  if (model_.Started() && !elapsed_.isValid()) elapsed_.start();
  if (model_.Solved() && !solvedShown_) {
    solvedShown_ = true;
    stoppedAt_ = Seconds();
    ShowMessage({Q(Fill(play::kSolved, {ClockText(stoppedAt_)}))});
  }
  if (model_.SolutionShown() && stoppedAt_ < 0) stoppedAt_ = Seconds();
  annulla_->setEnabled(model_.CanUndo());
  ripeti_->setEnabled(model_.CanRedo());
  matita_->setChecked(model_.PencilMode());
  board_->update();
  Tick();
}

void PlayWindow::Tick() { clock_->setText(Q(Fill(play::kClock, {ClockText(Seconds())}))); }

long PlayWindow::Seconds() const {
  if (stoppedAt_ >= 0) return stoppedAt_;
  return elapsed_.isValid() ? static_cast<long>(elapsed_.elapsed() / 1000) : 0;
}

void PlayWindow::ShowMessage(const QStringList& lines) { messages_->setPlainText(Lines(lines)); }

void PlayWindow::ControllaClick() {
  if (model_.Solved()) {
    ShowMessage({Q(Fill(play::kSolved, {ClockText(Seconds())}))});
    return;
  }
  const int right = model_.RightCount();
  const std::string count = std::to_string(model_.LetterCount());
  const std::string line = right == 0   ? Fill(play::kNoneRight, {count})
                           : right == 1 ? Fill(play::kOneRight, {count})
                                        : Fill(play::kSomeRight, {std::to_string(right), count});
  ShowMessage({Q(line)});
}

// The hint runs on a thread of its own: a typed Schema may need long trials.
// Suggerimento pressed again while it runs is its Stop.
void PlayWindow::SuggerimentoClick() {
  if (hintRunning_) {
    hintStop_.Request();
    return;
  }
  if (hint_.joinable()) hint_.join();
  std::vector<KnownDigit> known;
  for (int i = 0; i < model_.LetterCount(); ++i) {
    if (model_.Digit(i) != PlayModel::kNoDigit)
      known.push_back({DecodeUtf8(model_.Letter(i)).front(), model_.Digit(i)});
  }
  hintStop_.Reset();
  hintRunning_ = true;
  suggerimento_->setText(Q(play::kStop));
  hint_ = std::thread([this, cells = model_.Schema().cells, ops = model_.Schema().ops, known = std::move(known)] {
    PlayHint hint;
    try {
      hint = HintFromKnownDigits(cells, ops, known, hintStop_);
    } catch (const std::exception& error) {
      hint = {HintOutcome::kRefused, {error.what()}};
    }
    // Queued to the window thread; the window joins this thread before it
    // goes, so `this` is still there when the call is posted.
    QMetaObject::invokeMethod(
        this, [this, hint = std::move(hint)]() mutable { HintDone(std::move(hint)); }, Qt::QueuedConnection);
  });
}

void PlayWindow::HintDone(PlayHint hint) {
  if (hint_.joinable()) hint_.join();
  hintRunning_ = false;
  suggerimento_->setText(Q(play::kSuggerimento));
  if (hint.outcome == HintOutcome::kStopped) {
    ShowMessage({Q(msg::kSearchStopped)});
    return;
  }
  QStringList lines;
  for (const std::string& line : hint.lines) lines << Q(line);
  ShowMessage(lines);
}

void PlayWindow::AnnullaClick() {
  model_.Undo();
  Changed();
}

void PlayWindow::RipetiClick() {
  model_.Redo();
  Changed();
}

// Asked without a nested event loop, so the clock and a hint go on meanwhile.
void PlayWindow::SoluzioneClick() {
  auto* box = new QMessageBox(QMessageBox::Question, windowTitle(), Q(play::kAskSolution),
                              QMessageBox::Yes | QMessageBox::No, this);
  box->setDefaultButton(QMessageBox::No);
  box->setAttribute(Qt::WA_DeleteOnClose);
  connect(box, &QMessageBox::finished, this, [this](int answer) {
    if (answer != QMessageBox::Yes) return;
    model_.ShowSolution();
    Changed();
    ShowMessage({Q(play::kSolutionShown)});
  });
  box->open();
}

void PlayWindow::StampaClick() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageSize(QPageSize(QPageSize::A4));
  }
  auto* dialog = new QPrintDialog(printer_.get(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this] { Print(*printer_); });
  dialog->open();
}

bool PlayWindow::Print(QPrinter& printer) {
  printer.setFullPage(true);
  printer.setDocName(Q(sheet_phrase::kTitle));
  printer.setCreator(Q(msg::kProgramTitle));
  if (DrawSheet(SheetDocument{TodayNote(), {model_.Schema()}}, printer)) return true;
  auto* box =
      new QMessageBox(QMessageBox::Critical, Q(msg::kProgramTitle), Q(msg::kPrintFailed), QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
  return false;
}

}  // namespace zifrel
