#pragma once

#include <QObject>
#include <memory>
#include <thread>
#include <vector>

#include "core/chart/Chart.h"
#include "core/robot/RobotChecks.h"

namespace brv3 {

// Checks what a motion chart does to a robot on a thread of its own, so the window stays
// responsive while it runs. Starting a check stops the one still running; only the newest
// check's warnings are delivered, on the thread the runner lives on.
class RobotCheckRunner : public QObject {
  Q_OBJECT
 public:
  explicit RobotCheckRunner(QObject* parent = nullptr);
  // Stops the check running and waits for it.
  ~RobotCheckRunner() override;

  // Checks a copy of `chart` against `robot` (a scenario chart has nothing to check).
  void Start(const Chart& chart, std::shared_ptr<const robot::CheckedRobot> robot);
  // Stops the check running; its warnings are not delivered.
  void Cancel();
  bool Running() const { return running_; }
  // Checks started, and checks stopped before their end by a newer one.
  int Started() const { return started_; }
  int Superseded() const { return superseded_; }

 signals:
  void Finished(const std::vector<ChartWarning>& warnings, const std::vector<std::string>& notes);

 private:
  void Deliver(int generation, const robot::RobotCheckResult& result);

  std::jthread worker_;
  int generation_ = 0;
  bool running_ = false;
  int started_ = 0;
  int superseded_ = 0;
};

}  // namespace brv3
