// The yardstick for Tavrilo's start-up time and memory: the least a Qt 6 Widgets program
// needs to show a window of the same size, started the same way (the toolkit gets no
// arguments). With --label it also shows one line of Chinese text, which separates the cost
// of text rendering and a CJK font from the cost of the program itself.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
  const bool withLabel = argc > 1 && std::strcmp(argv[1], "--label") == 0;
  static char name[] = "minimal_window";
  static int toolkitArgc = 1;
  static char* toolkitArgv[] = {name, nullptr};
  QApplication app(toolkitArgc, toolkitArgv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Minimal"));
  window.setFixedSize(453, 423);
  if (withLabel) (new QLabel(QStringLiteral("随机抽号"), &window))->move(96, 168);
  window.show();
  return QApplication::exec();
}
