// Jobs started, stopped and abandoned from the real window.
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "suites.h"
#include "window_driver.h"

namespace zifrel::test {
namespace {

using namespace std::chrono_literals;

// Writes into the output area as fast as it can until it is told to stop.
class FloodingJob : public Genera {
 public:
  using Genera::Genera;
  static inline std::atomic<bool> ended{false};
  void Execute() override {
    while (!session().StopRequested.Poll()) AppendLine("riga");
    ended = true;
  }
};

class FailingJob : public Genera {
 public:
  using Genera::Genera;
  void Execute() override {
    AppendLine("prima del guasto");
    throw std::runtime_error("guasto nel lavoro");
  }
};

template <class Job>
void UseJobs(TForma& window) {
  window.Bench().SetJobFactory(JobsOf<Job>());
}

bool Idle(WindowDriver& ui) { return ui.Button("Button1")->text() == QLatin1String("Vai"); }

}  // namespace

class JobsGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void AnErrorIsShownAndTheProgramGoesOn() {
    WindowDriver ui;
    UseJobs<FailingJob>(ui.Window());
    ui.Click(ui.Button("Button1"));
    QTRY_VERIFY(ui.Window().findChild<QMessageBox*>() != nullptr);
    QMessageBox* box = ui.Window().findChild<QMessageBox*>();
    QCOMPARE(box->windowTitle(), QStringLiteral("Zifrel 2"));
    QCOMPARE(box->text(), QStringLiteral("guasto nel lavoro"));
    QVERIFY(Idle(ui));
    QCOMPARE(ui.Lines("TheM"), QStringList{"prima del guasto"});
    box->accept();
    ui.Click(ui.Button("HButt"));
    QCOMPARE(ui.Lines("TheM").size(), 64);
  }

  // The window goes while the job is writing into it, also while a stop is
  // under way: the job is told to stop, cut off from the window, and ends
  // by itself.
  void ClosingTheWindowDuringAJob_data() {
    QTest::addColumn<bool>("stopFirst");
    QTest::newRow("searching") << false;
    QTest::newRow("stopping") << true;
  }

  void ClosingTheWindowDuringAJob() {
    QFETCH(bool, stopFirst);
    FloodingJob::ended = false;
    WindowDriver ui;
    UseJobs<FloodingJob>(ui.Window());
    ui.Click(ui.Button("Button1"));
    QTRY_VERIFY(ui.Lines("TheM").size() > 10);
    if (stopFirst) ui.Click(ui.Button("Button1"));
    ui.Close();
    QTRY_VERIFY(FloodingJob::ended);
  }

  // A keyboard user starts a job with Enter and stops it with Space on Vai:
  // when it has ended, the focus is on Vai again, not in the results.
  void VaiHasTheFocusAgainAfterAJob() {
    FloodingJob::ended = false;
    WindowDriver ui;
    UseJobs<FloodingJob>(ui.Window());
    QPushButton* go = ui.Button("Button1");
    go->setFocus();
    QTest::keyClick(go, Qt::Key_Return);
    QCOMPARE(go->text(), QStringLiteral("Stop"));
    QTRY_VERIFY(!ui.Lines("TheM").isEmpty());
    QTest::keyClick(go, Qt::Key_Space);
    QTRY_VERIFY(Idle(ui));
    QCOMPARE(QApplication::focusWidget(), go);
    QVERIFY(FloodingJob::ended);
  }

  // A new relation takes the place of the user's formulas in one edit, which
  // Ctrl+Z takes back; the logic reads what the area shows again.
  void GeneraRelazioneIsUndoneWithCtrlZ() {
    WindowDriver ui;
    ui.Choose("Operaz", "Libero");
    QTextEdit* libe = ui.Area("Libe");
    ui.Click(libe);
    QTest::keyClicks(libe, "uno+uno=due");
    QTest::keyClick(libe, Qt::Key_Return);
    QTest::keyClicks(libe, "A+B=C");
    const QStringList typed = {"uno+uno=due", "A+B=C"};
    QCOMPARE(ui.Lines("Libe"), typed);
    QTest::keyClick(libe, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY_WITH_TIMEOUT(Idle(ui) && ui.Lines("Libe") != typed, 60000);
    QCOMPARE(ui.Lines("Libe").size(), 1);
    QTest::keyClick(libe, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.Lines("Libe"), typed);
    QCOMPARE(ui.Window().Bench().Model().Libe.Lines(), (std::vector<std::string>{"uno+uno=due", "A+B=C"}));
  }

  // Ctrl+Shift+S explains the Schema in the modes Genera and Risolvi and the
  // relation of the formula area in mode Libero: one key, never ambiguous.
  void SpiegaInModeLiberoExplainsTheRelation() {
    WindowDriver ui;
    ui.Choose("Operaz", "Libero");
    QTextEdit* libe = ui.Area("Libe");
    ui.Click(libe);
    QTest::keyClicks(libe, "SEND+MORE=MONEY");
    QTest::keyClick(libe, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY_WITH_TIMEOUT(Idle(ui) && !ui.Lines("TheM").isEmpty(), 60000);
    QCOMPARE(ui.Lines("TheM").back(), QStringLiteral("Livello: 2 (medio)"));
    QCOMPARE(ui.Lines("Libe"), QStringList{"SEND+MORE=MONEY"});
  }

  void StopAndWaitOnALongLiberoSearch() {
    WindowDriver ui;
    ui.Choose("Operaz", "Libero");
    // Twenty relations that nearly every assignment of ten letters
    // satisfies, that no range can settle, and whose values pass 128 bits:
    // seconds of work even in an optimised build.
    const QString relation = QStringLiteral("A^20*B^20*C^20*D^20+E*F*G*H*I*J<>7");
    QGuiApplication::clipboard()->setText(QStringList(20, relation).join(QLatin1Char('\n')));
    ui.Click(ui.Area("Libe"));
    QTest::keyClick(ui.Area("Libe"), Qt::Key_V, Qt::ControlModifier);
    QPushButton* go = ui.Button("Button1");
    ui.Click(go);
    QCOMPARE(go->text(), QStringLiteral("Stop"));
    QVERIFY(go->isEnabled());
    for (const char* locked : {"Operaz", "Canc", "HButt"}) QVERIFY(!ui.Control(locked)->isEnabled());

    // The count in SolLab grows while the search runs, and the spinner turns.
    QTRY_VERIFY(ui.Label("SolLab")->text().toInt() > 0);
    const int early = ui.Label("SolLab")->text().toInt();
    QTRY_VERIFY(ui.Label("SolLab")->text().toInt() > early);
    QString spun;  // the spinner's captions, one per change
    const auto turns = [&] {
      const QString shown = ui.Label("Giro")->text();
      if (!spun.endsWith(shown)) spun += shown;
      return spun.size() >= 3;
    };
    QTRY_VERIFY(turns());
    QVERIFY(ui.Label("Giro")->isVisible());

    ui.Click(go);  // Stop asks, Wait shows that the job is finishing
    QCOMPARE(go->text(), QStringLiteral("Wait"));
    QVERIFY(!go->isEnabled());
    QTRY_VERIFY(Idle(ui));
    QVERIFY(go->isEnabled());
    QCOMPARE(ui.Lines("TheM").last(), QStringLiteral("(Ricerca interrotta)"));
    QCOMPARE(ui.Label("SolLab")->text(), QString::number(ui.Window().Bench().SharedState().LiberoSolutionCount.load()));
    QTRY_VERIFY(!ui.Label("Giro")->isVisible());
  }
};

std::unique_ptr<QObject> MakeJobsGuiTest() { return std::make_unique<JobsGuiTest>(); }

}  // namespace zifrel::test

#include "jobs_gui_test.moc"
