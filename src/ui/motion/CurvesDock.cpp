#include "ui/motion/CurvesDock.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/chart/Chart.h"
#include "core/motion/PanelLayout.h"

namespace brv3 {
namespace {

// A channel whose panel keeps the standard colour gets one of 24 distinct hues instead, or
// every line would be the same grey.
QColor ChannelColor(const ChannelLook* look, int channel) {
  const uint32_t color = look ? look->ChannelColor(channel) : kColorButtonFace;
  if ((color & 0xFF000000) != 0 || color == kColorWhite)
    return QColor::fromHsv(((channel - 1) * 7 % 24) * 15, 210, 200);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                static_cast<int>(color >> 16 & 0xFF));
}

QString ChannelName(const ChannelLook* look, int channel) {
  return look ? QString::fromStdString(look->ChannelCaption(channel))
              : QString("CH%1").arg(channel);
}

void ClearChart(QChart* chart) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
}

}  // namespace

CurvesDock::CurvesDock(Chart& chart, const ChannelLook* look, QWidget* parent)
    : QDockWidget("Curves", parent), doc_(chart), look_(look) {
  setObjectName("CurvesDock");
  shown_.fill(true);
  stack_ = new QStackedWidget(this);
  message_ = new QLabel(stack_);
  message_->setObjectName("CurvesMessage");
  message_->setAlignment(Qt::AlignCenter);
  message_->setWordWrap(true);
  auto* plots = new QWidget(stack_);
  auto* layout = new QVBoxLayout(plots);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  chart_ = new QChart;
  chart_->legend()->setAlignment(Qt::AlignRight);
  chart_->setMargins(QMargins(2, 2, 2, 2));
  view_ = new QChartView(chart_, plots);
  view_->setObjectName("CurvesView");
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(360, 240);
  speedChart_ = new QChart;
  speedChart_->legend()->hide();
  speedChart_->setMargins(QMargins(2, 0, 2, 2));
  speedView_ = new QChartView(speedChart_, plots);
  speedView_->setObjectName("SpeedView");
  speedView_->setFixedHeight(90);
  layout->addWidget(view_, 1);
  layout->addWidget(speedView_);
  stack_->addWidget(message_);
  stack_->addWidget(plots);
  setWidget(stack_);

  connect(chart_, &QChart::plotAreaChanged, this, &CurvesDock::AlignSpeedBars);
  connect(speedChart_, &QChart::plotAreaChanged, this, &CurvesDock::AlignSpeedBars);

  debounce_.setSingleShot(true);
  debounce_.setInterval(0);
  connect(&debounce_, &QTimer::timeout, this, &CurvesDock::Rebuild);
  Rebuild();
}

void CurvesDock::Update() {
  debounce_.start();
}

QString CurvesDock::Message() const {
  return stack_->currentWidget() == message_ ? message_->text() : QString();
}

void CurvesDock::ShowMessage(const QString& text) {
  steps_.clear();
  plotted_.clear();
  plottedSelection_.clear();
  runs_.clear();
  highlight_ = nullptr;
  axisY_ = nullptr;
  speeds_ = nullptr;
  ClearChart(chart_);
  ClearChart(speedChart_);
  message_->setText(text);
  stack_->setCurrentWidget(message_);
}

QLineSeries* CurvesDock::ChannelSeries(int channel) const {
  if (channel < 1 || channel > static_cast<int>(runs_.size())) return nullptr;
  const auto& runs = runs_[static_cast<size_t>(channel - 1)];
  return runs.empty() ? nullptr : runs.front();
}

void CurvesDock::SetChannelShown(int channel, bool shown) {
  if (channel < 1 || channel > kChannels) return;
  shown_[static_cast<size_t>(channel - 1)] = shown;
  if (static_cast<size_t>(channel) <= runs_.size())
    for (QLineSeries* run : runs_[static_cast<size_t>(channel - 1)]) run->setVisible(shown);
  if (QLineSeries* first = ChannelSeries(channel)) {
    // The legend entry stays, dimmed, so the channel can be shown again.
    const auto markers = chart_->legend()->markers(first);
    if (!markers.isEmpty()) {
      markers.front()->setVisible(true);
      QFont font = markers.front()->font();
      font.setStrikeOut(!shown);
      markers.front()->setFont(font);
    }
  }
}

std::vector<int> CurvesDock::HighlightedSteps() const {
  std::vector<int> steps;
  for (const CurveStep& step : steps_)
    if (doc_.ValidObject(step.Object) && doc_.Objects[static_cast<size_t>(step.Object)].Selected)
      steps.push_back(step.Number);
  return steps;
}

namespace {

// Two step lists plot alike when only values differ: the same steps, markers and gaps.
bool SameShape(const std::vector<CurveStep>& a, const std::vector<CurveStep>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (CurveStepMarker(a[i]) != CurveStepMarker(b[i])) return false;
    for (size_t c = 0; c < a[i].Offsets.size(); ++c)
      if (a[i].Offsets[c].has_value() != b[i].Offsets[c].has_value()) return false;
  }
  return true;
}

}  // namespace

void CurvesDock::Rebuild() {
  if (doc_.Type == kScenarioChart) return ShowMessage("A scenario chart has no curves");
  if (doc_.Objects.empty()) return ShowMessage("The chart has no objects");
  const MotionCompileResult compiled = CompileMotionChart(doc_);
  if (!compiled.ok)
    return ShowMessage(QString::fromStdString(compiled.failure.text.empty()
                                                  ? std::string("The chart does not compile")
                                                  : compiled.failure.text));
  std::vector<uint8_t> selection;
  selection.reserve(doc_.Objects.size());
  for (const ChartObject& o : doc_.Objects) selection.push_back(o.Selected);
  const bool plotting = stack_->currentWidget() != message_;
  if (plotting && compiled.records == plotted_ && selection == plottedSelection_ &&
      steps_.size() == compiled.steps.size())
    return;
  plotted_ = compiled.records;
  plottedSelection_ = std::move(selection);
  std::vector<CurveStep> steps = BuildMotionCurves(doc_, compiled);
  // A pose edited or a selection changed keeps every series: only their points move, which is
  // far cheaper than building the plot again.
  const bool sameShape = plotting && SameShape(steps_, steps);
  steps_ = std::move(steps);
  if (!sameShape) BuildPlot();
  FillPoints();
}

void CurvesDock::BuildPlot() {
  ClearChart(chart_);
  stack_->setCurrentWidget(stack_->widget(1));

  const int count = static_cast<int>(steps_.size());
  auto* axisX = new QValueAxis;
  axisX->setRange(0.5, count + 0.5);
  // Ticks on whole step numbers, about ten of them at most.
  int interval = 1;
  for (int nice : {2, 5, 10, 20, 50, 100})
    if (count / interval > 10) interval = nice;
  axisX->setTickType(QValueAxis::TicksDynamic);
  axisX->setTickAnchor(0);
  axisX->setTickInterval(interval);
  axisX->setLabelFormat("%d");
  axisX->setTitleText("step");
  axisY_ = new QValueAxis;
  axisY_->setTitleText("offset");
  auto* markers = new QCategoryAxis;
  markers->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  markers->setRange(0.5, count + 0.5);
  markers->setGridLineVisible(false);
  chart_->addAxis(axisX, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  chart_->addAxis(markers, Qt::AlignTop);
  for (const CurveStep& step : steps_) {
    const std::string marker = CurveStepMarker(step);
    if (!marker.empty())
      markers->append(QString("%1 %2").arg(QString::fromStdString(marker)).arg(step.Number),
                      step.Number);
  }

  // One series per run of steps that drive the channel; a gap starts a new one.
  runs_.assign(kChannels, {});
  for (int c = 1; c <= kChannels; ++c) {
    bool inRun = false;
    for (const CurveStep& step : steps_) {
      const bool drives = step.Offsets[static_cast<size_t>(c - 1)].has_value();
      if (drives && !inRun) {
        auto* run = new QLineSeries;
        run->setName(ChannelName(look_, c));
        run->setColor(ChannelColor(look_, c));
        run->setPointsVisible(true);
        chart_->addSeries(run);
        run->attachAxis(axisX);
        run->attachAxis(axisY_);
        connect(run, &QLineSeries::clicked, this, &CurvesDock::StepPointClicked);
        const bool first = runs_[static_cast<size_t>(c - 1)].empty();
        runs_[static_cast<size_t>(c - 1)].push_back(run);
        const auto legend = chart_->legend()->markers(run);
        if (!legend.isEmpty()) {
          legend.front()->setVisible(first);
          if (first)
            connect(legend.front(), &QLegendMarker::clicked, this,
                    [this, c] { SetChannelShown(c, !ChannelShown(c)); });
        }
      }
      inRun = drives;
    }
    SetChannelShown(c, ChannelShown(c));
  }

  highlight_ = new QScatterSeries;
  highlight_->setName("selected");
  highlight_->setMarkerSize(11);
  highlight_->setColor(QColor(255, 200, 0, 160));
  highlight_->setBorderColor(Qt::black);
  chart_->addSeries(highlight_);
  highlight_->attachAxis(axisX);
  highlight_->attachAxis(axisY_);
  if (const auto legend = chart_->legend()->markers(highlight_); !legend.isEmpty())
    legend.front()->setVisible(false);

  // The speed bars stay while the number of steps does: their values are filled in below.
  if (speeds_ && speeds_->count() == count) return;
  ClearChart(speedChart_);
  speeds_ = new QBarSet("speed");
  speeds_->setColor(QColor(90, 110, 160));
  speeds_->append(QList<qreal>(count, 0));
  auto* bars = new QBarSeries;
  bars->setBarWidth(0.3);
  bars->append(speeds_);
  speedChart_->addSeries(bars);
  auto* speedX = new QValueAxis;
  speedX->setRange(-0.5, count - 0.5);
  speedX->setLabelsVisible(false);
  auto* speedY = new QValueAxis;
  speedY->setRange(0, 255);
  speedY->setTickCount(2);
  speedY->setTitleText("speed");
  speedChart_->addAxis(speedX, Qt::AlignBottom);
  speedChart_->addAxis(speedY, Qt::AlignLeft);
  bars->attachAxis(speedX);
  bars->attachAxis(speedY);
}

void CurvesDock::FillPoints() {
  int low = 0, high = 0;
  for (const CurveStep& step : steps_)
    for (const auto& offset : step.Offsets)
      if (offset) low = std::min(low, *offset), high = std::max(high, *offset);
  axisY_->setRange(low - 20, high + 20);

  for (int c = 1; c <= kChannels; ++c) {
    const auto& runs = runs_[static_cast<size_t>(c - 1)];
    size_t run = 0;
    QList<QPointF> points;
    const auto flush = [&] {
      if (points.isEmpty()) return;
      if (run < runs.size()) runs[run]->replace(points);
      ++run;
      points.clear();
    };
    for (const CurveStep& step : steps_) {
      if (const auto& offset = step.Offsets[static_cast<size_t>(c - 1)])
        points.append(QPointF(step.Number, *offset));
      else
        flush();
    }
    flush();
  }

  QList<QPointF> selected;
  for (int number : HighlightedSteps()) {
    const CurveStep& step = steps_[static_cast<size_t>(number - 1)];
    for (int c = 1; c <= kChannels; ++c)
      if (const auto& offset = step.Offsets[static_cast<size_t>(c - 1)]; offset && ChannelShown(c))
        selected.append(QPointF(number, *offset));
  }
  highlight_->replace(selected);

  for (int i = 0; i < static_cast<int>(steps_.size()); ++i)
    if (speeds_->at(i) != steps_[static_cast<size_t>(i)].Speed)
      speeds_->replace(i, steps_[static_cast<size_t>(i)].Speed);
}

void CurvesDock::AlignSpeedBars() {
  // Both charts span the dock's width, so their plot areas line up when the bar chart's side
  // margins make up for the curves' legend and any difference in the axis labels.
  const QRectF curves = chart_->plotArea();
  const QRectF bars = speedChart_->plotArea();
  if (curves.width() <= 0 || bars.width() <= 0) return;
  QMargins margins = speedChart_->margins();
  const int left =
      std::max(0, margins.left() + static_cast<int>(std::lround(curves.left() - bars.left())));
  const int right =
      std::max(0, margins.right() + static_cast<int>(std::lround(bars.right() - curves.right())));
  if (left == margins.left() && right == margins.right()) return;
  margins.setLeft(left);
  margins.setRight(right);
  speedChart_->setMargins(margins);
}

void CurvesDock::StepPointClicked(const QPointF& point) {
  const int number = static_cast<int>(std::lround(point.x()));
  if (number < 1 || number > static_cast<int>(steps_.size())) return;
  emit StepClicked(number, steps_[static_cast<size_t>(number - 1)].Object);
}

}  // namespace brv3
