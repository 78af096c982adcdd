#include "tests/ui/main_window_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

#include "engine/draw_batch.h"
#include "engine/random.h"
#include "engine/tick_count.h"
#include "ui/form.h"
#include "ui/gb18030.h"
#include "ui/live_draw_view.h"
#include "ui/main_window.h"
#include "ui/results_box.h"

using tavrilo::ControlId;
using namespace tavrilo::ui;

namespace {

// Timestamps of what the label shows are taken by a 1 ms poll, so each may lag by a few ms.
constexpr qint64 kSampleSlack = 5;

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// 0x00BBGGRR as the test reads it, independent of the builder.
QColor Rgb(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

std::unique_ptr<MainWindow> Ready() {
  auto window = BuildMainWindow();
  HandleWindowCreated(*window);
  return window;
}

// Shows the window as the shell does and waits until it is the active window.
bool ShownAndActive(MainWindow& window) {
  ShowCentred(window);
  return QTest::qWaitForWindowActive(&window);
}

template <typename Widget>
Widget* Get(const MainWindow& window, ControlId control) {
  return qobject_cast<Widget*>(window.Control(control));
}

QString TextOf(QWidget* widget) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) return box->toPlainText();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  if (auto* tabs = qobject_cast<QTabWidget*>(widget)) return tabs->count() == 1 ? tabs->tabText(0) : QString();
  return {};
}

const char* QtClassOf(const ControlDescriptor& form) {
  switch (form.type) {
    case ControlType::EditBox: return form.multiLine ? "QPlainTextEdit" : "QLineEdit";
    case ControlType::CheckBox: return "QCheckBox";
    case ControlType::Button: return "QPushButton";
    case ControlType::Label:
    case ControlType::TransLabel: return "QLabel";
    case ControlType::GroupBox: return "QGroupBox";
    case ControlType::Tab: return "QTabWidget";
  }
  return "";
}

// Where each control must land in the window's client area.
QRect ExpectedClientRect(ControlId control) {
  switch (control) {
    case ControlId::分组框1: return {0, 240, 448, 176};
    case ControlId::编辑框3: return {8, 256, 432, 152};
    case ControlId::标签1: return {570, 104, 224, 192};
    case ControlId::选择框2: return {328, 128, 104, 32};
    case ControlId::编辑框5: return {240, 128, 48, 32};
    case ControlId::透明标签4: return {296, 120, 56, 48};
    case ControlId::透明标签3: return {168, 120, 80, 48};
    case ControlId::选择框1: return {56, 128, 104, 32};
    case ControlId::按钮2: return {280, 192, 96, 40};
    case ControlId::按钮1: return {96, 168, 136, 64};
    case ControlId::编辑框2: return {288, 64, 80, 48};
    case ControlId::透明标签2: return {224, 64, 56, 48};
    case ControlId::编辑框1: return {128, 64, 80, 48};
    case ControlId::透明标签1: return {64, 64, 56, 48};
    case ControlId::选择夹1: return {0, 8, 448, 232};
    default: return {};
  }
}

// A generator that remembers the seeds it is given.
class SeedRecorder final : public tavrilo::RandomSource {
 public:
  explicit SeedRecorder(std::uint32_t seed) : inner_(seed) {}
  std::uint64_t Next() override { return inner_.Next(); }
  void Seed(std::uint32_t seed) override {
    seeds.push_back(seed);
    inner_.Seed(seed);
  }
  std::vector<std::uint32_t> seeds;

 private:
  tavrilo::SeededRandom inner_;
};

struct LabelSample {
  qint64 at;
  bool visible;
  QString text;
  QColor colour;
};

}  // namespace

void MainWindowTest::initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

void MainWindowTest::init() {
  tavrilo::ReplaceProcessRandom(std::make_unique<tavrilo::SeededRandom>(20240601));
  tavrilo::DrawBusy = 0;
}

void MainWindowTest::ControlsMatchForm_data() {
  QTest::addColumn<int>("index");
  for (std::size_t i = 0; i < kControlForms.size(); ++i) {
    const QByteArray tag(kControlForms[i].name.data(), static_cast<qsizetype>(kControlForms[i].name.size()));
    QTest::newRow(tag.constData()) << static_cast<int>(i);
  }
}

void MainWindowTest::ControlsMatchForm() {
  QFETCH(int, index);
  const ControlDescriptor& form = kControlForms[static_cast<std::size_t>(index)];
  const auto window = BuildMainWindow();  // as built, before the creation handler moves the label
  QWidget* widget = window->Control(form.id);
  QVERIFY(widget != nullptr);
  QCOMPARE(widget->objectName(), Utf8(form.name));
  QVERIFY2(widget->inherits(QtClassOf(form)), widget->metaObject()->className());

  QWidget* parent = form.parent == ControlId::MainWindow ? window.get() : window->Control(form.parent);
  QCOMPARE(widget->parentWidget(), parent);
  QCOMPARE(QRect(widget->mapTo(window.get(), QPoint(0, 0)), widget->size()), ExpectedClientRect(form.id));

  QCOMPARE(TextOf(widget), Utf8(form.text));
  QCOMPARE(widget->accessibleName(), Utf8(form.accessibleName));
  if (auto* box = qobject_cast<QCheckBox*>(widget)) QCOMPARE(box->isChecked(), form.checked);

  auto* tabs = qobject_cast<QTabWidget*>(widget);
  const QFont font = tabs != nullptr ? tabs->tabBar()->font() : widget->font();
  if (form.fontHeight < 0) {
    QCOMPARE(font.pixelSize(), -form.fontHeight);
    QCOMPARE(font.weight(), QFont::Normal);
  } else {
    QCOMPARE(font, QApplication::font());
  }

  const bool edit = form.type == ControlType::EditBox;
  if (form.textColour) {
    const QColor expected = *form.textColour == tavrilo::kDefaultColour ? QColor(Qt::black) : Rgb(*form.textColour);
    QCOMPARE(widget->palette().color(edit ? QPalette::Text : QPalette::WindowText), expected);
  }
  if (form.background) {
    const QColor expected = *form.background == tavrilo::kDefaultColour
                                ? QApplication::palette().color(QPalette::Window)
                                : Rgb(*form.background);
    QCOMPARE(widget->palette().color(edit ? QPalette::Base : QPalette::Window), expected);
  }
  if (form.type == ControlType::Label || form.type == ControlType::TransLabel) {
    QCOMPARE(widget->autoFillBackground(), form.opaque);
  }

  QCOMPARE(widget->isVisibleTo(window.get()), form.visible);
  QCOMPARE(bool(widget->focusPolicy() & Qt::TabFocus), form.tabStop);
  if (tabs != nullptr) QVERIFY(!(tabs->tabBar()->focusPolicy() & Qt::TabFocus));

  // The first of two siblings in the form lies above the second.
  for (std::size_t next = static_cast<std::size_t>(index) + 1; next < kControlForms.size(); ++next) {
    if (kControlForms[next].parent != form.parent) continue;
    const QObjectList& stack = parent->children();  // bottom to top
    QVERIFY(stack.indexOf(widget) > stack.indexOf(window->Control(kControlForms[next].id)));
    break;
  }
}

void MainWindowTest::WindowShowsCentredAtFormOuterSize() {
  const auto window = Ready();
  QVERIFY(!window->isVisible());
  ShowCentred(*window);
  QVERIFY(QTest::qWaitForWindowExposed(window.get()));

  QCOMPARE(window->windowTitle(), QStringLiteral("Tavrilo"));
  QCOMPARE(window->frameGeometry().size(), QSize(455, 444));
  QCOMPARE(window->minimumSize(), window->maximumSize());
  const QRect screen = window->screen()->geometry();
  QCOMPARE(window->frameGeometry().topLeft(),
           screen.topLeft() + QPoint((screen.width() - 455) / 2, (screen.height() - 444) / 2));
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QCOMPARE(QApplication::focusWidget(), window->Control(ControlId::编辑框1));
  const Qt::WindowFlags flags = window->windowFlags();
  QVERIFY(flags & Qt::WindowMinimizeButtonHint);
  QVERIFY(flags & Qt::WindowCloseButtonHint);
  QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
}

void MainWindowTest::WindowCreatedSeedsAndHidesLabelOverTabs() {
  // The two draws that precede the seed, from a generator in the same state.
  tavrilo::ReplaceProcessRandom(std::make_unique<tavrilo::SeededRandom>(99));
  const std::int64_t first = tavrilo::RandomBetween(123456, 976345);
  const std::int64_t second = tavrilo::RandomBetween(123456, 976345);
  auto recorder = std::make_unique<SeedRecorder>(99);
  SeedRecorder* seeds = recorder.get();
  tavrilo::ReplaceProcessRandom(std::move(recorder));

  const auto window = BuildMainWindow();
  tavrilo::DrawBusy = 1;
  const auto before = static_cast<std::uint32_t>(static_cast<std::int32_t>(tavrilo::TickCount()));
  HandleWindowCreated(*window);
  const auto after = static_cast<std::uint32_t>(static_cast<std::int32_t>(tavrilo::TickCount()));

  QCOMPARE(tavrilo::DrawBusy, 0);
  QCOMPARE(seeds->seeds.size(), std::size_t{1});
  const std::uint32_t ticks = seeds->seeds[0] - static_cast<std::uint32_t>(first + second);
  QVERIFY(ticks - before <= after - before);

  auto* label = Get<QLabel>(*window, ControlId::标签1);
  QCOMPARE(label->geometry(), QRect(0, 28, 448, 212));
  QVERIFY(!label->isVisibleTo(window.get()));
  QCOMPARE(Get<QTabWidget>(*window, ControlId::选择夹1)->currentIndex(), 0);
  QCOMPARE(Get<QGroupBox>(*window, ControlId::分组框1)->title(), QStringLiteral("结果  "));
}

void MainWindowTest::TabOrderFollowsFormAndWraps() {
  const auto window = Ready();
  QVERIFY(ShownAndActive(*window));
  const ControlId order[] = {ControlId::编辑框1, ControlId::编辑框2, ControlId::按钮1,   ControlId::按钮2,
                             ControlId::选择框1, ControlId::编辑框5, ControlId::选择框2, ControlId::编辑框3};
  constexpr int n = static_cast<int>(std::size(order));
  window->Control(order[0])->setFocus(Qt::TabFocusReason);
  for (int step = 1; step <= n; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->Control(order[step % n]));
  }
  for (int step = 1; step <= n; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), window->Control(order[(n - step) % n]));
  }
}

void MainWindowTest::FocusReturnsAfterReactivation() {
  const auto window = Ready();
  QVERIFY(ShownAndActive(*window));
  window->Control(ControlId::按钮2)->setFocus(Qt::TabFocusReason);

  QWidget other;
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QCOMPARE(QApplication::focusWidget(), window->Control(ControlId::按钮2));
}

void MainWindowTest::KeysTriggerNoWindowAction_data() {
  QTest::addColumn<uint>("focus");
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("before");
  QTest::addColumn<QString>("after");
  const auto id = [](ControlId control) { return static_cast<uint>(control); };
  QTest::newRow("Enter on the draw button draws nothing") << id(ControlId::按钮1) << int(Qt::Key_Return) << "" << "";
  QTest::newRow("Enter on the restart button keeps the record")
      << id(ControlId::按钮2) << int(Qt::Key_Return) << "7/" << "7/";
  QTest::newRow("Esc keeps the window open") << id(ControlId::编辑框1) << int(Qt::Key_Escape) << "7/" << "7/";
  QTest::newRow("F1 opens nothing") << id(ControlId::编辑框1) << int(Qt::Key_F1) << "7/" << "7/";
  QTest::newRow("Enter in the results box breaks the line")
      << id(ControlId::编辑框3) << int(Qt::Key_Return) << "7/" << "7/\n";
}

void MainWindowTest::KeysTriggerNoWindowAction() {
  QFETCH(uint, focus);
  QFETCH(int, key);
  QFETCH(QString, before);
  QFETCH(QString, after);
  const auto window = Ready();
  QVERIFY(ShownAndActive(*window));
  auto* box = Get<QPlainTextEdit>(*window, ControlId::编辑框3);
  box->setPlainText(before);
  box->moveCursor(QTextCursor::End);
  QWidget* target = window->Control(static_cast<ControlId>(focus));
  target->setFocus(Qt::TabFocusReason);

  QTest::keyClick(target, static_cast<Qt::Key>(key));
  QTest::qWait(20);
  QCOMPARE(box->toPlainText(), after);
  QVERIFY(window->isVisible());
  QVERIFY(!window->Closed());
  QCOMPARE(QApplication::activeWindow(), window.get());
}

void MainWindowTest::DrawWithoutEffectFillsRecordAndCaption() {
  const auto window = Ready();
  QVERIFY(ShownAndActive(*window));
  Get<QLineEdit>(*window, ControlId::编辑框2)->setText(QStringLiteral("3"));
  Get<QLineEdit>(*window, ControlId::编辑框5)->setText(QStringLiteral("4"));
  QTest::mouseClick(window->Control(ControlId::选择框2), Qt::LeftButton);
  QVERIFY(!Get<QCheckBox>(*window, ControlId::选择框2)->isChecked());

  QTest::mouseClick(window->Control(ControlId::按钮1), Qt::LeftButton);

  // No repeats in 1 ... 3: the three numbers in some order, then the empty pool ends the batch.
  const QStringList items = Get<QPlainTextEdit>(*window, ControlId::编辑框3)->toPlainText().split(u'/');
  QCOMPARE(items.size(), 4);
  QCOMPARE(items.last(), QString());
  QCOMPARE((std::set<QString>(items.begin(), items.end() - 1)), (std::set<QString>{"1", "2", "3"}));
  QCOMPARE(Get<QGroupBox>(*window, ControlId::分组框1)->title(), QStringLiteral("抽号结果  已抽取:3个"));
  QVERIFY(!window->Control(ControlId::标签1)->isVisible());
  QCOMPARE(tavrilo::DrawBusy, 0);
}

void MainWindowTest::RestartClearsRecordAndCaptionOnly() {
  const auto window = Ready();
  QVERIFY(ShownAndActive(*window));
  Get<QPlainTextEdit>(*window, ControlId::编辑框3)->setPlainText(QStringLiteral("7/23/"));
  Get<QLineEdit>(*window, ControlId::编辑框1)->setText(QStringLiteral("5"));

  QTest::mouseClick(window->Control(ControlId::按钮2), Qt::LeftButton);

  QCOMPARE(Get<QPlainTextEdit>(*window, ControlId::编辑框3)->toPlainText(), QString());
  QCOMPARE(Get<QGroupBox>(*window, ControlId::分组框1)->title(), QStringLiteral("抽号结果"));
  QCOMPARE(Get<QLineEdit>(*window, ControlId::编辑框1)->text(), QStringLiteral("5"));
  QCOMPARE(Get<QLineEdit>(*window, ControlId::编辑框2)->text(), QStringLiteral("44"));
  QCOMPARE(Get<QLineEdit>(*window, ControlId::编辑框5)->text(), QStringLiteral("1"));
  QVERIFY(Get<QCheckBox>(*window, ControlId::选择框1)->isChecked());
  QVERIFY(Get<QCheckBox>(*window, ControlId::选择框2)->isChecked());
}

void MainWindowTest::DrawKeepsForeignCharactersAndCaret() {
  const auto window = Ready();
  QVERIFY(ShownAndActive(*window));
  QTest::mouseClick(window->Control(ControlId::选择框2), Qt::LeftButton);
  auto* box = Get<QPlainTextEdit>(*window, ControlId::编辑框3);
  // An emoji and a CJK extension B character lie outside code page 936; a no-break space
  // would turn into a plain one if the record were read back through toPlainText.
  const QString typed = QStringLiteral("😀抽\u00A0\U00020000 7/\n");
  box->setPlainText(typed);
  QTextCursor caret = box->textCursor();
  caret.setPosition(2);
  box->setTextCursor(caret);

  QTest::mouseClick(window->Control(ControlId::按钮1), Qt::LeftButton);
  QTest::mouseClick(window->Control(ControlId::按钮1), Qt::LeftButton);

  const QString record = box->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
  QVERIFY2(record.startsWith(typed), qPrintable(record));
  QCOMPARE(record.mid(typed.size()).count(u'/'), 2);
  QCOMPARE(box->textCursor().position(), 2);
  QCOMPARE(Get<QGroupBox>(*window, ControlId::分组框1)->title(), QStringLiteral("抽号结果  已抽取:3个"));
}

void MainWindowTest::DrawWithEffectRollsShowsRedResultAndHides() {
  const auto window = Ready();
  QVERIFY(ShownAndActive(*window));
  auto* label = Get<QLabel>(*window, ControlId::标签1);
  auto* draw = window->Control(ControlId::按钮1);
  auto* restart = window->Control(ControlId::按钮2);
  auto* box = Get<QPlainTextEdit>(*window, ControlId::编辑框3);
  box->setPlainText(QStringLiteral("7/23/"));

  std::vector<LabelSample> samples;
  bool labelCoversDraw = false;
  bool clickedAgain = false;
  bool restarted = false;
  QElapsedTimer clock;
  QTimer poll;
  poll.setTimerType(Qt::PreciseTimer);
  poll.setInterval(1);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    LabelSample now{clock.elapsed(), label->isVisible(), label->text(), label->palette().color(QPalette::WindowText)};
    if (!samples.empty()) {
      const LabelSample& last = samples.back();
      if (last.visible == now.visible && last.text == now.text && last.colour == now.colour) return;
    }
    samples.push_back(now);
    if (now.visible && !labelCoversDraw) {
      labelCoversDraw = window->childAt(draw->mapTo(window.get(), draw->rect().center())) == label;
    }
    if (!now.text.isEmpty() && !clickedAgain) {
      clickedAgain = true;
      QTest::mouseClick(draw, Qt::LeftButton);
    }
    if (now.colour == QColor(Qt::red) && !restarted) {
      restarted = true;
      restart->setFocus(Qt::TabFocusReason);
      QTest::keyClick(restart, Qt::Key_Space);
    }
  });
  clock.start();
  poll.start();
  QTest::mouseClick(draw, Qt::LeftButton);
  const qint64 end = clock.elapsed();
  poll.stop();

  QCOMPARE(tavrilo::DrawBusy, 0);
  QVERIFY(!label->isVisible());
  QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
  QVERIFY(labelCoversDraw);
  QVERIFY(clickedAgain);
  QVERIFY(restarted);

  const auto find = [&](auto predicate) {
    return static_cast<std::size_t>(std::find_if(samples.begin(), samples.end(), predicate) - samples.begin());
  };
  const auto shown = find([](const LabelSample& s) { return s.visible; });
  const auto firstRoll = find([](const LabelSample& s) { return !s.text.isEmpty(); });
  const auto result = find([](const LabelSample& s) { return s.colour == QColor(Qt::red); });
  QVERIFY(shown < firstRoll && firstRoll < result && result < samples.size());
  QVERIFY(samples[firstRoll].at - samples[shown].at >= 270 - kSampleSlack);
  QVERIFY(samples[result].at - samples[shown].at >= 270 + 240 + 210 + 180 + 150 - kSampleSlack);
  QVERIFY(end - samples[result].at >= 1500 - kSampleSlack);

  // Rolling positions 1 ... 44 in black; the fifth is replaced by the result before it shows.
  const auto rolls = result - firstRoll;
  QVERIFY(rolls >= 1 && rolls <= 4);
  for (auto i = firstRoll; i < result; ++i) {
    const int position = samples[i].text.toInt();
    QVERIFY(samples[i].visible && position >= 1 && position <= 44);
    QCOMPARE(samples[i].colour, QColor(Qt::black));
  }
  const int drawn = samples[result].text.toInt();
  QVERIFY(drawn >= 1 && drawn <= 44);

  // The restart during the result cleared "7/23/"; the second click added nothing.
  QCOMPARE(box->toPlainText(), QString::number(drawn) + u'/');
  QCOMPARE(Get<QGroupBox>(*window, ControlId::分组框1)->title(), QStringLiteral("抽号结果  已抽取:1个"));
}

void MainWindowTest::CloseDuringEffectEndsBatchQuietly() {
  const auto window = Ready();
  QVERIFY(ShownAndActive(*window));
  auto* label = window->Control(ControlId::标签1);
  QElapsedTimer clock;
  qint64 closedAt = -1;
  QTimer poll;
  poll.setInterval(1);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (label->isVisible() && closedAt < 0) {
      closedAt = clock.elapsed();
      window->close();
    }
  });
  clock.start();
  poll.start();
  QTest::mouseClick(window->Control(ControlId::按钮1), Qt::LeftButton);
  const qint64 end = clock.elapsed();
  poll.stop();

  QVERIFY(closedAt >= 0);
  QVERIFY(window->Closed());
  // The batch ends at the close instead of running the 2.55 s effect to its end.
  QVERIFY2(end - closedAt < 1000, qPrintable(QString::number(end - closedAt)));
  QCOMPARE(tavrilo::DrawBusy, 0);
  QCOMPARE(Get<QPlainTextEdit>(*window, ControlId::编辑框3)->toPlainText(), QString());
}

void MainWindowTest::DelayWithEventsLastsItsLength_data() {
  QTest::addColumn<int>("ms");
  QTest::addColumn<bool>("handlesEvents");
  QTest::newRow("negative returns without handling events") << -5 << false;
  QTest::newRow("zero returns without handling events") << 0 << false;
  QTest::newRow("short pause lasts its length and handles events") << 7 << true;
  QTest::newRow("effect pause lasts its length and handles events") << 150 << true;
}

void MainWindowTest::DelayWithEventsLastsItsLength() {
  QFETCH(int, ms);
  QFETCH(bool, handlesEvents);
  const auto window = Ready();
  LiveDrawView view(*window);
  bool handled = false;
  QTimer::singleShot(0, [&handled] { handled = true; });

  QElapsedTimer clock;
  clock.start();
  view.DelayWithEvents(ms);
  const qint64 elapsed = clock.elapsed();

  QCOMPARE(handled, handlesEvents);
  if (ms > 0) QVERIFY2(elapsed >= ms, qPrintable(QString::number(elapsed)));
  QCoreApplication::processEvents();
}

void MainWindowTest::QuitDuringPauseReachesMainLoop() {
  const auto window = Ready();
  QVERIFY(ShownAndActive(*window));
  LiveDrawView view(*window);
  bool handlerFinished = false;
  QTimer pause;
  pause.setSingleShot(true);
  QObject::connect(&pause, &QTimer::timeout, [&] {
    view.DelayWithEvents(2000);
    handlerFinished = true;
  });
  QTimer quit;
  quit.setSingleShot(true);
  QObject::connect(&quit, &QTimer::timeout, [] { QCoreApplication::quit(); });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  pause.start(0);
  quit.start(30);
  guard.start(10000);

  QElapsedTimer clock;
  clock.start();
  const int code = QCoreApplication::exec();

  // Qt's quit closes the window first, which ends the pause; the handler still runs to its
  // end before the main loop takes the quit.
  QCOMPARE(code, 0);
  QVERIFY(handlerFinished);
  QVERIFY(window->Closed());
  QVERIFY(clock.elapsed() < 2000);
}

void MainWindowTest::LabelRectWritesAreClamped_data() {
  QTest::addColumn<QRect>("written");
  QTest::addColumn<QRect>("expected");
  QTest::newRow("inside the limits unchanged") << QRect(-5, 28, 448, 212) << QRect(-5, 28, 448, 212);
  QTest::newRow("beyond the limits clamped") << QRect(-40000, 40000, 40000, 32628)
                                             << QRect(-32627, 32627, 32627, 32627);
  QTest::newRow("negative size becomes empty") << QRect(0, 0, -3, -1) << QRect(0, 0, 0, 0);
}

void MainWindowTest::LabelRectWritesAreClamped() {
  QFETCH(QRect, written);
  QFETCH(QRect, expected);
  const auto window = Ready();
  LiveDrawView view(*window);
  view.WriteRect(ControlId::标签1, written.x(), written.y(), written.width(), written.height());
  QCOMPARE(view.ReadRect(ControlId::标签1), expected);
}

void MainWindowTest::ResultsBoxWriteKeepsCaret_data() {
  QTest::addColumn<QString>("before");
  QTest::addColumn<int>("anchor");
  QTest::addColumn<int>("position");
  QTest::addColumn<QString>("written");
  QTest::addColumn<int>("expectedAnchor");
  QTest::addColumn<int>("expectedPosition");
  QTest::newRow("append keeps a caret inside") << "7/23/" << 2 << 2 << "7/23/5/" << 2 << 2;
  QTest::newRow("append keeps a caret at the end") << "7/23/" << 5 << 5 << "7/23/5/" << 5 << 5;
  QTest::newRow("append keeps a selection") << "7/23/" << 4 << 1 << "7/23/5/" << 4 << 1;
  QTest::newRow("replacement keeps the caret where it fits") << "7/23/" << 3 << 3 << "abcdef" << 3 << 3;
  QTest::newRow("clearing moves the caret to the start") << "7/23/" << 5 << 5 << "" << 0 << 0;
  QTest::newRow("appended line breaks read back as written") << "7/" << 1 << 1 << "7/\r\n5/\n" << 1 << 1;
}

void MainWindowTest::ResultsBoxWriteKeepsCaret() {
  QFETCH(QString, before);
  QFETCH(int, anchor);
  QFETCH(int, position);
  QFETCH(QString, written);
  QFETCH(int, expectedAnchor);
  QFETCH(int, expectedPosition);
  ResultsBox box;
  box.resize(200, 60);
  box.setPlainText(before);
  QTextCursor caret = box.textCursor();
  caret.setPosition(anchor);
  caret.setPosition(position, QTextCursor::KeepAnchor);
  box.setTextCursor(caret);

  box.WriteBytes(ToGb18030(written));

  QCOMPARE(box.toPlainText(), QString(written).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  QCOMPARE(box.Bytes(), ToGb18030(box.toPlainText()));
  QCOMPARE(box.textCursor().anchor(), expectedAnchor);
  QCOMPARE(box.textCursor().position(), expectedPosition);
  QVERIFY(!box.document()->isUndoAvailable());
}

void MainWindowTest::ResultsBoxWriteKeepsScroll_data() {
  QTest::addColumn<bool>("extends");
  QTest::newRow("append") << true;
  QTest::newRow("replacement") << false;
}

void MainWindowTest::ResultsBoxWriteKeepsScroll() {
  QFETCH(bool, extends);
  ResultsBox box;
  box.resize(200, 60);
  QString lines;
  for (int i = 0; i < 100; ++i) lines += QString::number(i) + QStringLiteral("/\n");
  box.setPlainText(lines);
  box.show();
  QVERIFY(QTest::qWaitForWindowExposed(&box));
  box.moveCursor(QTextCursor::End);  // scrolls to the bottom
  box.verticalScrollBar()->setValue(10);

  box.WriteBytes(ToGb18030(extends ? lines + QStringLiteral("5/") : QStringLiteral("x\n") + lines));

  QCOMPARE(box.verticalScrollBar()->value(), 10);
  QCOMPARE(box.textCursor().position(), static_cast<int>(lines.size()));
}

void MainWindowTest::ResultsBoxInputStaysWithinLimit_data() {
  QTest::addColumn<QString>("before");
  QTest::addColumn<bool>("selectAll");
  QTest::addColumn<QString>("typed");  // typed key by key
  QTest::addColumn<QString>("pasted");
  QTest::addColumn<QString>("expected");
  QTest::newRow("typing into a full box is refused") << "1234567/" << false << "8" << "" << "1234567/";
  QTest::newRow("Enter into a full box is refused") << "1234567/" << false << "\n" << "" << "1234567/";
  QTest::newRow("typing over a selection may refill it") << "1234567/" << true << "x" << "" << "x";
  QTest::newRow("typing stops at the limit") << "123/" << false << "45678" << "" << "123/4567";
  QTest::newRow("paste is cut to what fits") << "123/" << false << "" << "抽号结果" << "123/抽号";
  QTest::newRow("paste never splits a character") << "1234/" << false << "" << "抽号" << "1234/抽";
  QTest::newRow("paste of an emoji counts four bytes") << "12/" << false << "" << "😀😀" << "12/😀";
}

void MainWindowTest::ResultsBoxInputStaysWithinLimit() {
  QFETCH(QString, before);
  QFETCH(bool, selectAll);
  QFETCH(QString, typed);
  QFETCH(QString, pasted);
  QFETCH(QString, expected);
  ResultsBox box;
  box.SetMaxBytes(8);
  box.setPlainText(before);
  box.moveCursor(QTextCursor::End);
  if (selectAll) box.selectAll();

  for (const QChar c : typed) {
    if (c == u'\n') {
      QTest::keyClick(&box, Qt::Key_Return);
    } else {
      QTest::keyClicks(&box, QString(c));
    }
  }
  if (!pasted.isEmpty()) {
    QGuiApplication::clipboard()->setText(pasted);
    box.paste();
  }

  QCOMPARE(box.toPlainText(), expected);
  QVERIFY(box.Bytes().size() <= box.MaxBytes());
}

QTEST_MAIN(MainWindowTest)
