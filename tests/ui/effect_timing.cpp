// Measures the draw effect on the live window: how far each pause overruns its deadline
// and the share of one core the process uses while the effect runs.
//   tavrilo-effect-timing [NUMBERS] [Qt options, e.g. -platform xcb]
// CPU time is read with std::clock, which counts the process's CPU time on Linux.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QString>

#include "engine/draw_batch.h"
#include "ui/live_draw_view.h"
#include "ui/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

// Passes every operation on to the live view and times the pauses.
class TimedView final : public tavrilo::DrawView {
 public:
  explicit TimedView(tavrilo::DrawView& live) : live_(live) {}
  std::string ReadText(tavrilo::ControlId c) override { return live_.ReadText(c); }
  void WriteText(tavrilo::ControlId c, std::string_view t) override { live_.WriteText(c, t); }
  int ReadChecked(tavrilo::ControlId c) override { return live_.ReadChecked(c); }
  void WriteVisible(tavrilo::ControlId c, bool v) override { live_.WriteVisible(c, v); }
  void WriteCaption(tavrilo::ControlId c, std::string_view t) override { live_.WriteCaption(c, t); }
  void WriteTextColour(tavrilo::ControlId c, std::uint32_t colour) override { live_.WriteTextColour(c, colour); }
  bool WindowExists() override { return live_.WindowExists(); }
  void DelayWithEvents(std::int32_t ms) override {
    const auto start = Clock::now();
    live_.DelayWithEvents(ms);
    const auto took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    overrunsMs.push_back(took - ms);
  }
  std::vector<double> overrunsMs;

 private:
  tavrilo::DrawView& live_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int numbers = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;

  auto window = tavrilo::ui::BuildMainWindow();
  tavrilo::ui::HandleWindowCreated(*window);
  tavrilo::ui::ShowCentred(*window);
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 500) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  if (auto* count = qobject_cast<QLineEdit*>(window->Control(tavrilo::ControlId::编辑框5))) {
    count->setText(QString::number(numbers));
  }

  tavrilo::ui::LiveDrawView live(*window);
  TimedView timed(live);
  const std::clock_t cpuStart = std::clock();
  const auto wallStart = Clock::now();
  tavrilo::HandleDrawClick(timed);
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - wallStart).count();

  const auto& overruns = timed.overrunsMs;
  if (overruns.empty()) return 1;
  double sum = 0;
  for (const double o : overruns) sum += o;
  const auto [least, most] = std::minmax_element(overruns.begin(), overruns.end());
  std::printf("platform %s, %d numbers, %zu pauses\n", qPrintable(QGuiApplication::platformName()), numbers,
              overruns.size());
  std::printf("pause overrun ms: min %.3f  mean %.3f  max %.3f\n", *least, sum / static_cast<double>(overruns.size()),
              *most);
  std::printf("effect: %.0f ms wall, %.1f ms CPU, %.2f%% of one core\n", wallMs, cpuMs, 100.0 * cpuMs / wallMs);
  return 0;
}
