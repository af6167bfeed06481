#pragma once

#include <QDockWidget>
#include <QTimer>
#include <vector>

#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionCurves.h"

class QBarSet;
class QChart;
class QGraphicsSimpleTextItem;
class QListWidget;
class QListWidgetItem;
class QChartView;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QStackedWidget;
class QValueAxis;

namespace brv3 {

class Chart;
class ChannelLook;

// A dock beside the canvas plotting the open motion chart as compiled: each channel's servo
// position (offset from 16384) per step, the step speeds as thin bars below, and the Set,
// Compare, jump and end steps marked along the top (stacked where they would overlap). The
// channels are listed beside the plot, each in its own colour; a click there hides or shows one.
// Follows the chart: Update() schedules a recompile within a display frame, one for any number
// of changes meanwhile, which is skipped when nothing plotted changed.
class CurvesDock : public QDockWidget {
  Q_OBJECT
 public:
  CurvesDock(Chart& chart, const ChannelLook* look, QWidget* parent = nullptr);

  // Motions longer than this are not plotted: far beyond what a motion holds, and every point
  // of a plot is an item of its own.
  static constexpr size_t kMostPlottedSteps = 1000;

  // The chart changed (or its selection did): replot soon, or once shown again while hidden.
  void Update();
  // Replots now.
  void Rebuild();
  // A replot is scheduled and has not run yet.
  bool ReplotPending() const { return debounce_.isActive(); }

  const std::vector<CurveStep>& Steps() const { return steps_; }
  // The message shown instead of curves, empty while curves are shown.
  QString Message() const;
  QChart* Curves() const { return chart_; }
  QChart* Speeds() const { return speedChart_; }
  // The series of a channel (its first run of steps); null while it has no position.
  QLineSeries* ChannelSeries(int channel) const;
  bool ChannelShown(int channel) const { return shown_[static_cast<size_t>(channel - 1)]; }
  void SetChannelShown(int channel, bool shown);
  // The steps highlighted because their objects are selected.
  std::vector<int> HighlightedSteps() const;
  // The step a preview is playing (1-based; 0 for none), marked on every shown channel.
  void SetPlayedStep(int step);
  int PlayedStep() const { return playedStep_; }
  QScatterSeries* PlayedMarks() const { return played_; }

 protected:
  bool event(QEvent* event) override;

 signals:
  // A point of step `step` (1-based) was clicked: its object should be selected.
  void StepClicked(int step, int object);

 private:
  void ShowMessage(const QString& text);
  // Builds the axes, one empty series per run of steps, the highlight and the speed bars.
  void BuildPlot();
  // Puts the steps' values into the series BuildPlot made; with the steps plotted `before` (of
  // the same shape), only the points that changed.
  void FillPoints(const std::vector<CurveStep>* before = nullptr);
  void StepPointClicked(const QPointF& point);
  // Gives the speed bars the curves' plot width, so each bar stands under its step.
  void AlignSpeedBars();
  // Puts the marker labels over their steps, a label that would overlap one row higher.
  void PlaceMarkers();
  void FillLegend();
  void FillPlayed();
  void LegendClicked(QListWidgetItem* item);

  Chart& doc_;
  const ChannelLook* look_;
  QTimer debounce_;
  bool stale_ = false;  // changes came while closed
  QStackedWidget* stack_ = nullptr;
  QLabel* message_ = nullptr;
  QChartView* view_ = nullptr;
  QChart* chart_ = nullptr;
  QListWidget* legend_ = nullptr;
  QChartView* speedView_ = nullptr;
  QChart* speedChart_ = nullptr;
  std::vector<CurveStep> steps_;
  std::vector<PoseRecord> plotted_;
  std::vector<uint8_t> plottedSelection_;
  std::vector<std::vector<QLineSeries*>> runs_;  // per channel, one series per run of steps
  std::vector<QGraphicsSimpleTextItem*> markers_;
  int markerRows_ = 0;
  QScatterSeries* highlight_ = nullptr;
  QScatterSeries* played_ = nullptr;
  int playedStep_ = 0;
  QValueAxis* axisY_ = nullptr;
  QBarSet* speeds_ = nullptr;
  std::array<bool, kChannels> shown_{};
};

}  // namespace brv3
