// How the shell ends the process: normally after the window closes, through the fatal
// error report otherwise, and with one line on standard error when there is no display.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

namespace {

struct Ended {
  QProcess::ExitStatus status;
  int code;
  QString out;
  QString err;
};

Ended Run(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(program, args);
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
  }
  return {process.exitStatus(), process.exitCode(),
          QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void EndsWithReportOrNormally_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("boxText");  // empty: no box may appear

    QTest::newRow("closing the window returns 0 without a box") << "window-closed" << 0 << "";
    QTest::newRow("window factory throws: report, 255")
        << "factory-throws" << 255 << "主窗口无法创建，程序将退出。  form resource missing";
    QTest::newRow("window factory builds nothing: report, 255")
        << "factory-returns-nothing" << 255 << "主窗口无法创建，程序将退出。";
    QTest::newRow("exception leaves an event handler: report, 255")
        << "handler-throws" << 255 << "程序内部出错，将退出。  handler failed";
    QTest::newRow("failed memory request in a handler: report, 255")
        << "handler-runs-out-of-memory" << 255 << "内存不足，程序将退出。";
    QTest::newRow("non-standard exception in a handler: report, 255")
        << "handler-throws-non-standard" << 255 << "程序内部出错，将退出。";
  }

  void EndsWithReportOrNormally() {
    QFETCH(QString, scenario);
    QFETCH(int, exitCode);
    QFETCH(QString, boxText);
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");

    const Ended ended = Run(TAVRILO_PROBE, {scenario}, env);

    QCOMPARE(ended.status, QProcess::NormalExit);
    QCOMPARE(ended.code, exitCode);
    const QStringList lines = ended.out.split('\n', Qt::SkipEmptyParts);
    if (boxText.isEmpty()) {
      QVERIFY2(!ended.out.contains("box"), qPrintable(ended.out));
      QVERIFY(lines.contains("returned 0"));
      QVERIFY(lines.contains("closing shown window"));
    } else {
      // One box, owned by no window, modal, one button; the handler never resumed.
      QCOMPARE(lines.size(), 2);
      QCOMPARE(lines[0], QString("box parent=none modal=1 buttons=1"));
      QVERIFY2(lines[1].startsWith("box text=" + boxText), qPrintable(lines[1]));
    }
  }

  void NoDisplayEndsWithOneLineOnStderr_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");  // empty: unset

    QTest::newRow("unreachable X display") << "xcb" << ":65000";
    QTest::newRow("no display named") << "xcb" << "";
    QTest::newRow("unknown platform plugin") << "no-such-platform" << ":65000";
  }

  void NoDisplayEndsWithOneLineOnStderr() {
    QFETCH(QString, platform);
    QFETCH(QString, display);
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", platform);
    env.remove("WAYLAND_DISPLAY");
    if (display.isEmpty())
      env.remove("DISPLAY");
    else
      env.insert("DISPLAY", display);

    const Ended ended = Run(TAVRILO_BINARY, {}, env);

    QCOMPARE(ended.status, QProcess::NormalExit);  // no abort, no core dump
    QVERIFY(ended.code != 0);
    QVERIFY(ended.out.isEmpty());
    QVERIFY2(ended.err.startsWith("tavrilo: cannot open a display: ") && ended.err.count('\n') == 1,
             qPrintable(ended.err));
  }
};

QTEST_GUILESS_MAIN(ShellTest)
#include "shell_test.moc"
