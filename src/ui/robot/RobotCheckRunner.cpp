#include "ui/robot/RobotCheckRunner.h"

#include <QMetaObject>

#include "core/motion/MotionCompiler.h"

namespace brv3 {

RobotCheckRunner::RobotCheckRunner(QObject* parent) : QObject(parent) {}

RobotCheckRunner::~RobotCheckRunner() {
  Cancel();
}

void RobotCheckRunner::Cancel() {
  if (!worker_.joinable()) return;
  if (running_) ++superseded_;
  // The check looks for the request between two samples, so the wait is short.
  worker_.request_stop();
  worker_.join();
  ++generation_;  // a result already on its way is dropped
  running_ = false;
}

void RobotCheckRunner::Start(const Chart& chart, std::shared_ptr<const robot::CheckedRobot> robot) {
  Cancel();
  if (!robot) return;
  const int generation = ++generation_;
  ++started_;
  running_ = true;
  worker_ = std::jthread([this, generation, chart = Chart(chart),
                          robot = std::move(robot)](std::stop_token stop) {
    auto result = std::make_shared<robot::RobotCheckResult>();
    if (chart.Type != kScenarioChart)
      *result = robot::CheckRobotMotion(robot->model, robot->disabled, chart,
                                        CompileMotionChart(chart), {}, stop);
    if (stop.stop_requested() || result->stopped) return;
    // Posted to this object's thread; a runner destroyed first waits for this thread, and the
    // posted call goes with it.
    QMetaObject::invokeMethod(
        this, [this, generation, result] { Deliver(generation, *result); }, Qt::QueuedConnection);
  });
}

void RobotCheckRunner::Deliver(int generation, const robot::RobotCheckResult& result) {
  if (generation != generation_) return;
  if (worker_.joinable()) worker_.join();
  running_ = false;
  emit Finished(result.warnings, result.notes);
}

}  // namespace brv3
