#include "app/qt/Primo.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <vector>

#include "app/play_phrases.h"
#include "app/qt/cell_edit.h"
#include "app/qt/lines_area.h"
#include "app/qt/operator_button.h"
#include "app/qt/play_window.h"
#include "app/qt/program_icon.h"
#include "app/qt/radio_group.h"
#include "app/qt/window_layout.h"
#include "core/messages.h"
#include "sheet/q_text.h"
#include "sheet/sheet_drawing.h"
#include "sheet/sheet_phrases.h"

namespace zifrel {
namespace {

constexpr int kTimerIntervalMs = 200;

template <class Widget>
Widget* Arrange(Widget* widget, const char* name, const layout::ScreenScale& scale, const layout::Place& place) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(scale.Rect(place));
  widget->setFont(scale.Font(place.fontHeight));
  return widget;
}

// Labels grow to their text, so that no font draws them cut off; a centred
// one grows on both sides and keeps its centre.
QLabel* FitWidth(QLabel* label) {
  const int growth = label->sizeHint().width() - label->width();
  if (growth <= 0) return label;
  const int left = label->alignment() & Qt::AlignHCenter ? label->x() - (growth + 1) / 2 : label->x();
  label->setGeometry(left, label->y(), label->width() + growth, label->height());
  return label;
}

void SetVisible(QWidget* widget, bool visible) {
  if (widget->isHidden() == visible) widget->setVisible(visible);
}

void Show(QAbstractButton* button, const ButtonControl& control) {
  const QString caption = Q(control.caption);
  if (button->text() != caption) button->setText(caption);
  button->setEnabled(control.enabled);
  SetVisible(button, control.visible);
}

void Show(QLabel* label, const LabelControl& control) {
  const QString caption = Q(control.caption);
  if (label->text() != caption) label->setText(caption);
  SetVisible(label, control.visible);
}

void Show(RadioGroup* group, const RadioGroupControl& control) {
  group->SetItemIndex(control.itemIndex);
  group->setEnabled(control.enabled);
  SetVisible(group, control.visible);
}

}  // namespace

TForma::TForma(QWidget* parent) : QWidget(parent) {
  setWindowTitle(Q(msg::kProgramTitle));
  setWindowIcon(ProgramIcon());
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  CreateControls();
  SetTabOrder();

  // The Workbench runs the start-up steps on the model. A job's hand-overs
  // wake the window thread with a queued call, which Qt drops if the window
  // is gone by then.
  workbench_ = std::make_unique<Workbench>([this] {
    QMetaObject::invokeMethod(
        this, [this] { RunHandOvers(); }, Qt::QueuedConnection);
  });
  workbench_->SetClipboardWriter(
      [](const std::string& text) { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); });
  workbench_->SetErrorReporter([this](const std::string& text) { ShowError(text); });
  WindowModel& model = workbench_->Model();
  TheM->Bind(&model.TheM);
  Libe->Bind(&model.Libe);
  Connect();
  ShowModel();
  FitWidth(Label7);  // now that it has its caption

  Timer1->start(kTimerIntervalMs);
}

TForma::~TForma() {
  Timer1->stop();
  // First of all: the job is told to stop and cut off from the window, so
  // that nothing it does from now on reaches a control that is going away.
  // Signals that the controls raise while Qt takes them down find no
  // workbench and do nothing.
  workbench_.reset();
}

void TForma::CreateControls() {
  const layout::ScreenScale scale(screen()->logicalDotsPerInch());
  setFont(scale.Font(layout::kWindowFontHeight));

  // Created in this order so that the later controls lie above the earlier
  // ones where they overlap: Libe above the grid and NoPoss, Label7 and
  // SolLab above MaxN.
  static const char* const kOpNames[] = {"Bo1", "Bo2", "Bo3", "Bo4", "Bo5", "Bo6"};
  for (int i = 0; i < kOperatorCount; ++i) {
    Bo[i] = Arrange(new OperatorButton(this), kOpNames[i], scale, layout::kOperators[i]);
  }
  static const char* const kCellNames[] = {"Ed1", "Ed2", "Ed3", "Ed4", "Ed5", "Ed6", "Ed7", "Ed8", "Ed9"};
  for (int k = 0; k < kCellCount; ++k) Ed[k] = Arrange(new CellEdit(this), kCellNames[k], scale, layout::kCells[k]);
  static const char* const kLabelNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
  for (int i = 0; i < 6; ++i) {
    Label[i] = FitWidth(Arrange(new QLabel(QStringLiteral("="), this), kLabelNames[i], scale, layout::kEquals[i]));
  }

  Operaz = Arrange(new RadioGroup(QString(), {"Genera", "Risolvi", "Libero"}, this), "Operaz", scale, layout::kOperaz);
  MaxN = Arrange(new RadioGroup(QStringLiteral(" Max "), {"999", "9999"}, this), "MaxN", scale, layout::kMaxN);
  RandOp = Arrange(new RadioGroup(QStringLiteral(" Operaz."), {"A caso", "Fissate"}, this), "RandOp", scale,
                   layout::kRandOp);
  for (RadioGroup* group : {Operaz, MaxN, RandOp}) group->SetItemMargins(scale(8), scale(2));

  Button1 = Arrange(new QPushButton(this), "Button1", scale, layout::kButton1);
  // Enter on a focused Vai works as Space does.
  Button1->setAutoDefault(true);
  TheM = Arrange(new LinesArea(this), "TheM", scale, layout::kTheM);
  TheM->setLineWrapMode(QTextEdit::WidgetWidth);
  TheM->SetHangingIndent(true);
  TheM->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  TheM->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  HButt = Arrange(new QPushButton(this), "HButt", scale, layout::kHButt);
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Canc = Arrange(new QPushButton(this), "Canc", scale, layout::kCanc);
  Giro = Arrange(new QLabel(this), "Giro", scale, layout::kGiro);
  Giro->setFrameStyle(QFrame::Box | QFrame::Plain);
  Giro->setLineWidth(1);
  Giro->setAlignment(Qt::AlignCenter);
  Copia = Arrange(new QPushButton(this), "Copia", scale, layout::kCopia);
  // Enter on a focused command works as Space does, as on Vai.
  for (QPushButton* command : {Copia, Canc, HButt}) command->setAutoDefault(true);

  // The warning stands out like selected text, so it reads on any theme.
  NoPoss = Arrange(new QLabel(this), "NoPoss", scale, layout::kNoPoss);
  NoPoss->setAlignment(Qt::AlignCenter);
  NoPoss->setForegroundRole(QPalette::HighlightedText);
  NoPoss->setBackgroundRole(QPalette::Highlight);
  NoPoss->setAutoFillBackground(true);
  NoPoss->setText(Q(msg::kNoPossibleSolution));
  FitWidth(NoPoss);

  Libe = Arrange(new LinesArea(this), "Libe", scale, layout::kLibe);
  Libe->setLineWrapMode(QTextEdit::NoWrap);
  // A new relation replaces the user's formulas; Ctrl+Z brings them back.
  Libe->SetUndoableReplace(true);
  Libe->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Libe->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Label7 = Arrange(new QLabel(this), "Label7", scale, layout::kLabel7);
  SolLab = Arrange(new QLabel(this), "SolLab", scale, layout::kSolLab);
  SolLab->setAlignment(Qt::AlignCenter);

  CreateCommands();

  // The window fits itself to its controls, with a little room beyond the
  // last ones: a window manager that rounds the size to its resize step may
  // make the window a pixel or two smaller than asked, and that room keeps
  // the frames on the right and at the bottom whole. Smaller than that the
  // window would cut controls off.
  QRect extent;
  for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) extent |= child->geometry();
  designedSize_ = QSize(extent.right() + 1, extent.bottom() + 1) + QSize(layout::kEdgeRoom, layout::kEdgeRoom);
  designedAreas_ = {TheM->geometry(), Libe->geometry()};
  designedCommandRow_ = {Button1->geometry(), Giro->geometry(), Copia->geometry(), Canc->geometry(), HButt->geometry()};
  resize(designedSize_);
  setMinimumSize(designedSize_);
}

// Commands with no place in the designed layout: shortcuts of the window,
// and entries of the text areas' context menus. The output area's work on
// the Schema in the cells; the formula area's gives it a new relation.
void TForma::CreateCommands() {
  const auto command = [this](std::string_view caption, const char* name, const QKeySequence& keys) {
    auto* action = new QAction(Q(caption), this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    addAction(action);
    return action;
  };
  // Ctrl with Shift: the cells and text areas take many plain Ctrl keys
  // (Ctrl+E and Ctrl+H move and erase in a cell).
  Spiega = command(msg::kSpiega, "Spiega", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  Suggerimento = command(msg::kSuggerimento, "Suggerimento", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
  Livello = command(msg::kLivello, "Livello", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
  Gioca = command(play::kGioca, "Gioca", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
  Stampa = command(msg::kStampa, "Stampa", QKeySequence::Print);
  GeneraRelazione = command(msg::kGeneraRelazione, "GeneraRelazione", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
  // The same keys as the output area's Spiega, which mode Libero disables:
  // only one of the two is ever enabled.
  SpiegaRelazione = command(msg::kSpiega, "SpiegaRelazione", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  TheM->SetMenuCommands({Spiega, Gioca, Suggerimento, Livello, Stampa});
  Libe->SetMenuCommands({SpiegaRelazione, GeneraRelazione});
}

// The grid in reading order, cells and operators together, then the three
// selectors, Vai, the output area, "?", "C", "copy" and the formula area.
// Labels and static texts take no focus; disabled operators are passed over.
void TForma::SetTabOrder() {
  std::vector<QWidget*> order = {Ed[0], Bo[0], Ed[1], Ed[2], Bo[3], Bo[4], Bo[5], Ed[3],
                                 Bo[1], Ed[4], Ed[5], Ed[6], Bo[2], Ed[7], Ed[8]};
  for (RadioGroup* group : {Operaz, MaxN, RandOp}) {
    for (int i = 0; group->Item(i); ++i) order.push_back(group->Item(i));
  }
  for (QWidget* widget : std::initializer_list<QWidget*>{Button1, TheM, HButt, Canc, Copia, Libe}) {
    order.push_back(widget);
  }
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TForma::Connect() {
  void (TForma::*const opClicks[])() = {&TForma::Bo1Click, &TForma::Bo2Click, &TForma::Bo3Click,
                                        &TForma::Bo4Click, &TForma::Bo5Click, &TForma::Bo6Click};
  for (int i = 0; i < kOperatorCount; ++i) {
    connect(Bo[i], &QPushButton::clicked, this, opClicks[i]);
    connect(Bo[i], &OperatorButton::operatorTyped, this,
            [this, i](OpCode op) { Handle([this, i, op] { workbench_->SetOp(i + 1, op); }); });
  }
  for (int k = 0; k < kCellCount; ++k) {
    connect(Ed[k], &QLineEdit::textEdited, this, [this, k](const QString& text) {
      if (workbench_) workbench_->Model().Ed[k].SetText(text.toStdString());
    });
  }
  connect(Operaz, &RadioGroup::itemClicked, this, &TForma::OperazClick);
  connect(MaxN, &RadioGroup::itemClicked, this, &TForma::MaxNClick);
  connect(RandOp, &RadioGroup::itemClicked, this, &TForma::RandOpClick);
  connect(Button1, &QPushButton::clicked, this, &TForma::Button1Click);
  connect(Canc, &QPushButton::clicked, this, &TForma::CancClick);
  connect(Copia, &QPushButton::clicked, this, &TForma::CopiaClick);
  connect(HButt, &QPushButton::clicked, this, &TForma::HButtClick);
  connect(Timer1, &QTimer::timeout, this, &TForma::Timer1Timer);
  connect(Stampa, &QAction::triggered, this, &TForma::StampaClick);
  connect(Spiega, &QAction::triggered, this, &TForma::SpiegaClick);
  connect(Suggerimento, &QAction::triggered, this, &TForma::SuggerimentoClick);
  connect(Livello, &QAction::triggered, this, &TForma::LivelloClick);
  connect(Gioca, &QAction::triggered, this, &TForma::GiocaClick);
  connect(GeneraRelazione, &QAction::triggered, this, &TForma::GeneraRelazioneClick);
  connect(SpiegaRelazione, &QAction::triggered, this, &TForma::SpiegaRelazioneClick);
}

void TForma::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    const QRect desktop = screen()->availableGeometry();
    move(desktop.center() - QPoint(width() / 2, height() / 2));
  }
  QWidget::showEvent(event);
}

void TForma::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceStretchingControls();
}

// Below the designed size (only a window manager makes it so) the window
// shows the designed layout.
void TForma::PlaceStretchingControls() {
  if (!designedSize_.isValid()) return;  // still being built
  const QSize extra = (size() - designedSize_).expandedTo(QSize(0, 0));
  const layout::TextAreas areas = layout::GrowTextAreas(designedAreas_, extra, !Libe->isHidden());
  TheM->setGeometry(areas.theM);
  Libe->setGeometry(areas.libe);
  QWidget* const row[] = {Button1, Giro, Copia, Canc, HButt};
  for (std::size_t i = 0; i < designedCommandRow_.size(); ++i) {
    row[i]->setGeometry(designedCommandRow_[i].translated(0, areas.commandRowDown));
  }
}

void TForma::Bo1Click() {
  Handle([this] { workbench_->Bo1Click(); });
}
void TForma::Bo2Click() {
  Handle([this] { workbench_->Bo2Click(); });
}
void TForma::Bo3Click() {
  Handle([this] { workbench_->Bo3Click(); });
}
void TForma::Bo4Click() {
  Handle([this] { workbench_->Bo4Click(); });
}
void TForma::Bo5Click() {
  Handle([this] { workbench_->Bo5Click(); });
}
void TForma::Bo6Click() {
  Handle([this] { workbench_->Bo6Click(); });
}
void TForma::Button1Click() {
  Handle([this] { workbench_->Button1Click(); });
}
void TForma::Timer1Timer() {
  Handle([this] { workbench_->Timer1Timer(); });
}
void TForma::CancClick() {
  Handle([this] { workbench_->CancClick(); });
}
void TForma::CopiaClick() {
  Handle([this] { workbench_->CopiaClick(); });
}
void TForma::HButtClick() {
  Handle([this] { workbench_->HButtClick(); });
}

void TForma::StampaClick() {
  Handle([this] {
    std::optional<SheetDocument> sheet = workbench_->StampaSheet(TodayNote());
    if (!sheet) return;
    if (!printer_) {
      printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
      printer_->setPageSize(QPageSize(QPageSize::A4));
    }
    // Opened without a nested event loop, as the message box is. The sheet
    // was read before it opened: a job that ends meanwhile and writes new
    // cells does not change what is printed.
    auto* dialog = new QPrintDialog(printer_.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, sheet = std::move(*sheet)] { Handle([&] { PrintSheet(sheet, *printer_); }); });
    dialog->open();
  });
}

bool TForma::Print(QPrinter& printer) {
  bool printed = false;
  Handle([&] {
    const std::optional<SheetDocument> sheet = workbench_->StampaSheet(TodayNote());
    printed = sheet && PrintSheet(*sheet, printer);
  });
  return printed;
}

bool TForma::PrintSheet(const SheetDocument& sheet, QPrinter& printer) {
  printer.setFullPage(true);
  printer.setDocName(Q(sheet_phrase::kTitle));
  printer.setCreator(Q(msg::kProgramTitle));
  if (DrawSheet(sheet, printer)) return true;
  ShowError(std::string(msg::kPrintFailed));
  return false;
}

void TForma::SpiegaClick() {
  Handle([this] { workbench_->SpiegaClick(); });
}
void TForma::SuggerimentoClick() {
  Handle([this] { workbench_->SuggerimentoClick(); });
}
void TForma::LivelloClick() {
  Handle([this] { workbench_->LivelloClick(); });
}
// Each play window has its own copy of the Schema and goes when it is
// closed, or with this window.
void TForma::GiocaClick() {
  Handle([this] {
    std::optional<SheetSchema> schema = workbench_->GiocaSchema();
    if (!schema) return;
    auto* window = new PlayWindow(std::move(*schema), this);
    window->show();
  });
}
void TForma::GeneraRelazioneClick() {
  Handle([this] { workbench_->GeneraRelazioneClick(); });
}
void TForma::SpiegaRelazioneClick() {
  Handle([this] { workbench_->SpiegaRelazioneClick(); });
}

void TForma::OperazClick(int index) {
  Handle([this, index] {
    workbench_->Model().Operaz.itemIndex = index;
    workbench_->OperazClick();
  });
}

void TForma::MaxNClick(int index) {
  Handle([this, index] {
    workbench_->Model().MaxN.itemIndex = index;
    workbench_->MaxNClick();
  });
}

void TForma::RandOpClick(int index) {
  Handle([this, index] {
    workbench_->Model().RandOp.itemIndex = index;
    workbench_->RandOpClick();
  });
}

void TForma::RunHandOvers() {
  Handle([this] { workbench_->Hand().RunPending(); });
}

template <class Handler>
void TForma::Handle(Handler&& handler) {
  if (!workbench_) return;  // the window is being taken down
  // Qt must never see an exception leave a slot, so every error stops here.
  try {
    handler();
  } catch (const std::exception& error) {
    ShowError(error.what());
  } catch (...) {
    ShowError(std::string(msg::kUnknownError));
  }
  ShowModel();
}

void TForma::ShowModel() {
  const WindowModel& model = workbench_->Model();
  QWidget* const hadFocus = focusWidget();
  // Under the formula area the cells and operators keep their state, but
  // they leave the Tab chain, so that no key reaches a Schema the user
  // cannot see.
  const Qt::FocusPolicy cellFocus = model.Libe.visible ? Qt::ClickFocus : Qt::StrongFocus;
  const Qt::FocusPolicy opFocus = model.Libe.visible ? Qt::NoFocus : Qt::StrongFocus;
  for (int k = 0; k < kCellCount; ++k) {
    const QString text = QString::fromStdString(model.Ed[k].Text());
    if (Ed[k]->text() != text) Ed[k]->setText(text);
    Ed[k]->setEnabled(model.Ed[k].enabled);
    if (Ed[k]->focusPolicy() != cellFocus) Ed[k]->setFocusPolicy(cellFocus);
  }
  for (int i = 0; i < kOperatorCount; ++i) {
    Show(Bo[i], model.Bo[i]);
    if (Bo[i]->focusPolicy() != opFocus) Bo[i]->setFocusPolicy(opFocus);
  }
  Show(Operaz, model.Operaz);
  Show(MaxN, model.MaxN);
  Show(RandOp, model.RandOp);
  Show(Button1, model.Button1);
  TheM->Show();
  SetVisible(TheM, model.TheM.visible);
  Libe->Show();
  SetVisible(Libe, model.Libe.visible);
  Show(Label7, model.Label7);
  Show(SolLab, model.SolLab);
  Show(Giro, model.Giro);
  Show(NoPoss, model.NoPoss);
  Show(Copia, model.Copia);
  Show(Canc, model.Canc);
  Show(HButt, model.HButt);
  const bool schemaCommands = workbench_->SchemaCommandsAvailable();
  for (QAction* action : {Spiega, Gioca, Suggerimento, Livello, Stampa}) action->setEnabled(schemaCommands);
  GeneraRelazione->setEnabled(workbench_->WordPuzzleAvailable());
  SpiegaRelazione->setEnabled(workbench_->WordPuzzleAvailable());
  PlaceStretchingControls();
  ShowFocus(hadFocus);
}

// Stop disables the focused Vai, and a job disables a focused operator or
// command; Qt passes the focus on to the next control, where a second Space
// would type into the results or a cell. The focus goes back when its
// control is enabled again, unless the user has put it somewhere else in
// the meantime.
void TForma::ShowFocus(QWidget* hadFocus) {
  if (hadFocus && !hadFocus->isEnabled()) {
    focusOwner_ = hadFocus;
    focusTakenTo_ = focusWidget();
  } else if (focusOwner_ && focusOwner_->isEnabled()) {
    if (focusWidget() == focusTakenTo_) focusOwner_->setFocus(Qt::OtherFocusReason);
    focusOwner_ = nullptr;
    focusTakenTo_ = nullptr;
  }
}

// Shown without a nested event loop, so the jobs' hand-overs and the timer go
// on while the message is up.
void TForma::ShowError(const std::string& text) {
  auto* box = new QMessageBox(QMessageBox::Critical, Q(msg::kProgramTitle), QString::fromStdString(text),
                              QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

}  // namespace zifrel
