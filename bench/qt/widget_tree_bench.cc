// Figures of the Qt profile tree: the first fill and a full re-report of
// every profile through ActiveProfilesWidget, shown (offscreen when there is
// no display), fed by a loopback server exactly as the alarm server feeds it.
// A re-report moves every node to the end of the control's tree order and
// takes each row out of the view and back in its place by name (the rows
// are shown by name, found by binary search); the figures are taken
// with no current node, with the first row clicked (current and selected),
// and with the first row current but not selected, as keyboard focus leaves
// it. Each size is measured
// beside a tenth of it, so that the growth with the count shows in one run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTreeView>

#include <algorithm>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "model/profile/profile.h"
#include "protocol/frame.h"
#include "protocol/profile_message.h"
#include "qt/active_profiles_widget.h"
#include "qt/qt_timer.h"
#include "qt/qt_tree_view.h"

namespace quindo {
namespace {

constexpr int kProfiles = 9991;
constexpr int16_t kSentinel = 0;  // reported last, removed to mark the end

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

QByteArray Bytes(const std::string& bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QByteArray ProfileFrame(int16_t number) {
  cProfile profile;
  profile.m_DiskIdentity = number;
  profile.m_Enabled = number % 3 == 0 ? 0 : -1;
  std::string name = "Profile number " + std::to_string(number);
  name.resize(20, '.');
  profile.SetName(name);
  profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  return Bytes(ComposeFrame(kProfileUpdate, ComposeProfileMessage(profile)));
}

QByteArray Reports(int count) {
  QByteArray all;
  for (int i = 1; i <= count; ++i) all += ProfileFrame(static_cast<int16_t>(i));
  return all;
}

// Runs the event loop until the condition holds, then once more so that the
// layout and painting the last change asked for are counted too.
void RunUntil(const std::function<bool()>& done) {
  while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  QCoreApplication::processEvents();
}

struct Times {
  double fill = 0;
  double rereport = 0;
};

enum class Current { kNone = 0, kClicked = 1, kFocused = 2 };

// One connected, shown widget: fills it with `count` profiles, makes the
// first row current as asked, then reports every profile again.
Times FillAndRereport(int count, Current current) {
  QTcpServer server;
  server.listen(QHostAddress::LocalHost, 0);
  ActiveProfilesWidget widget("/ServerAddress:127.0.0.1 /ServerPort:" + std::to_string(server.serverPort()));
  widget.Timer_Reconnect().SetTickPeriod(5);
  widget.resize(320, 480);
  widget.show();
  RunUntil([&] { return server.hasPendingConnections(); });
  QTcpSocket* peer = server.nextPendingConnection();
  RunUntil([&] { return widget.IsConnectedToServer() == 1; });
  peer->write(QByteArray::fromHex("010000000200") + char(8));

  const QByteArray reports = Reports(count);
  const QtTreeView& nodes = widget.TreeNodes();
  Times times;
  double start = ThreadSeconds();
  peer->write(reports + ProfileFrame(kSentinel));
  RunUntil([&] { return nodes.Count() == count + 1; });
  times.fill = ThreadSeconds() - start;

  QTreeView* tree = widget.TreeView_Profiles();
  const QModelIndex first = tree->model()->index(0, 0);
  if (current == Current::kClicked) tree->setCurrentIndex(first);
  if (current == Current::kFocused) tree->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  QCoreApplication::processEvents();

  const QByteArray removal = Bytes(ComposeFrame(kProfileRemoved, std::string(4, '\0')));
  start = ThreadSeconds();
  peer->write(reports + removal);
  RunUntil([&] { return nodes.Count() == count; });
  times.rereport = ThreadSeconds() - start;
  return times;
}

void BM_WidgetTree(benchmark::State& state) {
  const auto current = static_cast<Current>(state.range(0));
  Times small{1e9, 1e9};
  Times large{1e9, 1e9};
  for (auto _ : state) {
    const Times s = FillAndRereport(kProfiles / 10, current);
    const Times l = FillAndRereport(kProfiles, current);
    small = {std::min(small.fill, s.fill), std::min(small.rereport, s.rereport)};
    large = {std::min(large.fill, l.fill), std::min(large.rereport, l.rereport)};
    state.SetIterationTime(l.rereport);
  }
  state.counters["fill_ms"] = large.fill * 1e3;
  state.counters["rereport_ms"] = large.rereport * 1e3;
  state.counters["rereport_over_fill"] = large.rereport / large.fill;
  state.counters["fill_10x_over_1x"] = large.fill / small.fill;
  state.counters["rereport_10x_over_1x"] = large.rereport / small.rereport;
}
BENCHMARK(BM_WidgetTree)->ArgName("current_none_clicked_focused")->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quindo

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
