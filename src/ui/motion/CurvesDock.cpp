#include "ui/motion/CurvesDock.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QListWidget>
#include <QPixmap>
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

// One display frame.
constexpr int kFrameMs = 16;

// The colour a channel's panel was dressed in; none while it keeps the standard colour.
std::optional<Rgb> OwnColor(const ChannelLook* look, int channel) {
  const uint32_t color = look ? look->ChannelColor(channel) : kColorButtonFace;
  if ((color & 0xFF000000) != 0 || color == kColorWhite) return std::nullopt;
  return Rgb{static_cast<uint8_t>(color & 0xFF), static_cast<uint8_t>(color >> 8 & 0xFF),
             static_cast<uint8_t>(color >> 16 & 0xFF)};
}

QColor ToQColor(Rgb rgb) {
  return QColor(rgb.R, rgb.G, rgb.B);
}

QIcon Swatch(const QColor& color) {
  QPixmap pixmap(12, 12);
  pixmap.fill(color);
  return QIcon(pixmap);
}

constexpr int kMarkerGap = 4;  // pixels between two marker labels of a row
constexpr int kLegendWidth = 120;
constexpr int kChannelRole = Qt::UserRole;

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
    : QDockWidget(tr("Curves"), parent), doc_(chart), look_(look) {
  setObjectName("CurvesDock");
  shown_.fill(true);
  stack_ = new QStackedWidget(this);
  message_ = new QLabel(stack_);
  message_->setObjectName("CurvesMessage");
  message_->setAlignment(Qt::AlignCenter);
  message_->setWordWrap(true);
  auto* plots = new QWidget(stack_);
  auto* columns = new QHBoxLayout(plots);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->setSpacing(2);
  auto* layout = new QVBoxLayout;
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  columns->addLayout(layout, 1);
  chart_ = new QChart;
  // The channels are listed in a list of their own, which scrolls however many there are.
  chart_->legend()->hide();
  chart_->setMargins(QMargins(2, 2, 2, 2));
  view_ = new QChartView(chart_, plots);
  view_->setObjectName("CurvesView");
  view_->setRenderHint(QPainter::Antialiasing);
  // Narrower, the steps of a longer motion would crowd into each other.
  view_->setMinimumSize(400, 240);
  legend_ = new QListWidget(plots);
  legend_->setObjectName("CurvesLegend");
  legend_->setFixedWidth(kLegendWidth);
  legend_->setSelectionMode(QAbstractItemView::NoSelection);
  legend_->setToolTip(tr("Click a channel to hide or show its line"));
  columns->addWidget(legend_);
  connect(legend_, &QListWidget::itemClicked, this, &CurvesDock::LegendClicked);
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
  connect(chart_, &QChart::plotAreaChanged, this, &CurvesDock::PlaceMarkers);
  connect(speedChart_, &QChart::plotAreaChanged, this, &CurvesDock::AlignSpeedBars);

  // At most one rebuild per display frame, however fast the chart changes (a slider drag
  // changes it a thousand times a second).
  debounce_.setSingleShot(true);
  debounce_.setInterval(kFrameMs);
  connect(&debounce_, &QTimer::timeout, this, &CurvesDock::Rebuild);
  Rebuild();
}

// A closed dock only notes that it is behind; it catches up once when it is opened again.
void CurvesDock::Update() {
  if (isHidden()) {
    stale_ = true;
    return;
  }
  // Not restarted: a steady stream of changes must not hold the plot back until it ends.
  if (!debounce_.isActive()) debounce_.start();
}

bool CurvesDock::event(QEvent* event) {
  if (event->type() == QEvent::ShowToParent && stale_) debounce_.start();
  return QDockWidget::event(event);
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
  played_ = nullptr;
  axisY_ = nullptr;
  speeds_ = nullptr;
  qDeleteAll(markers_);
  markers_.clear();
  legend_->clear();
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
  // The list entry stays, struck out, so the channel can be shown again.
  for (int row = 0; row < legend_->count(); ++row) {
    QListWidgetItem* item = legend_->item(row);
    if (item->data(kChannelRole).toInt() != channel) continue;
    item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
    QFont font = item->font();
    font.setStrikeOut(!shown);
    item->setFont(font);
  }
}

void CurvesDock::LegendClicked(QListWidgetItem* item) {
  const int channel = item->data(kChannelRole).toInt();
  SetChannelShown(channel, !ChannelShown(channel));
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
  stale_ = false;
  if (doc_.Type == kScenarioChart) return ShowMessage(tr("A scenario chart has no curves"));
  if (doc_.Objects.empty()) return ShowMessage(tr("The chart has no objects"));
  const MotionCompileResult compiled = CompileMotionChart(doc_);
  if (!compiled.ok)
    return ShowMessage(compiled.failure.text.empty()
                           ? tr("The chart does not compile")
                           : QString::fromStdString(compiled.failure.text));
  if (compiled.steps.size() > kMostPlottedSteps)
    return ShowMessage(tr("The motion has %1 steps, too many to plot (a motion holds %2)")
                           .arg(compiled.steps.size())
                           .arg(kMaxMotionSteps));
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
  std::vector<CurveStep> before = sameShape ? std::move(steps_) : std::vector<CurveStep>{};
  steps_ = std::move(steps);
  if (!sameShape) BuildPlot();
  FillPoints(sameShape ? &before : nullptr);
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
  axisX->setTitleText(tr("step"));
  axisY_ = new QValueAxis;
  axisY_->setTitleText(tr("offset"));
  chart_->addAxis(axisX, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  qDeleteAll(markers_);
  markers_.clear();
  for (const CurveStep& step : steps_) {
    const std::string marker = CurveStepMarker(step);
    if (marker.empty()) continue;
    auto* label = new QGraphicsSimpleTextItem(
        QString("%1 %2").arg(QString::fromStdString(marker)).arg(step.Number), chart_);
    label->setData(0, step.Number);
    markers_.push_back(label);
  }

  // Colours that differ among the channels on the plot, a panel's own colour where it has one.
  std::array<bool, kChannels> plotted{};
  std::array<std::optional<Rgb>, kChannels> own{};
  for (int c = 1; c <= kChannels; ++c) {
    const size_t i = static_cast<size_t>(c - 1);
    own[i] = OwnColor(look_, c);
    for (const CurveStep& step : steps_) plotted[i] = plotted[i] || step.Offsets[i].has_value();
  }
  const std::array<Rgb, kChannels> colors = DistinctChannelColors(own, plotted);

  // One series per run of steps that drive the channel; a gap starts a new one.
  runs_.assign(kChannels, {});
  for (int c = 1; c <= kChannels; ++c) {
    bool inRun = false;
    for (const CurveStep& step : steps_) {
      const bool drives = step.Offsets[static_cast<size_t>(c - 1)].has_value();
      if (drives && !inRun) {
        auto* run = new QLineSeries;
        run->setName(ChannelName(look_, c));
        run->setColor(ToQColor(colors[static_cast<size_t>(c - 1)]));
        run->setPointsVisible(true);
        chart_->addSeries(run);
        run->attachAxis(axisX);
        run->attachAxis(axisY_);
        connect(run, &QLineSeries::clicked, this, &CurvesDock::StepPointClicked);
        runs_[static_cast<size_t>(c - 1)].push_back(run);
      }
      inRun = drives;
    }
  }
  FillLegend();
  for (int c = 1; c <= kChannels; ++c) SetChannelShown(c, ChannelShown(c));
  PlaceMarkers();

  highlight_ = new QScatterSeries;
  highlight_->setName(tr("selected"));
  highlight_->setMarkerSize(11);
  highlight_->setColor(QColor(255, 200, 0, 160));
  highlight_->setBorderColor(Qt::black);
  chart_->addSeries(highlight_);
  highlight_->attachAxis(axisX);
  highlight_->attachAxis(axisY_);
  played_ = new QScatterSeries;
  played_->setName(tr("played"));
  played_->setMarkerSize(13);
  played_->setColor(QColor(0, 170, 80, 170));
  played_->setBorderColor(Qt::black);
  chart_->addSeries(played_);
  played_->attachAxis(axisX);
  played_->attachAxis(axisY_);

  // The speed bars stay while the number of steps does: their values are filled in below.
  if (speeds_ && speeds_->count() == count) return;
  ClearChart(speedChart_);
  speeds_ = new QBarSet(tr("speed"));
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
  speedY->setTitleText(tr("speed"));
  speedChart_->addAxis(speedX, Qt::AlignBottom);
  speedChart_->addAxis(speedY, Qt::AlignLeft);
  bars->attachAxis(speedX);
  bars->attachAxis(speedY);
}

void CurvesDock::FillPoints(const std::vector<CurveStep>* before) {
  int low = 0, high = 0;
  for (const CurveStep& step : steps_)
    for (const auto& offset : step.Offsets)
      if (offset) low = std::min(low, *offset), high = std::max(high, *offset);
  if (axisY_->min() != low - 20 || axisY_->max() != high + 20)
    axisY_->setRange(low - 20, high + 20);

  for (int c = 1; c <= kChannels; ++c) {
    const size_t channel = static_cast<size_t>(c - 1);
    const auto& runs = runs_[channel];
    if (before) {
      // The same steps and gaps as plotted: move only the points whose value changed (a pose
      // edit moves one step's points, not the series of the whole motion).
      size_t run = 0;
      int at = 0;
      for (size_t i = 0; i < steps_.size(); ++i) {
        const auto& offset = steps_[i].Offsets[channel];
        if (!offset) {
          if (at > 0) ++run, at = 0;
          continue;
        }
        if (offset != (*before)[i].Offsets[channel] && run < runs.size())
          runs[run]->replace(at, QPointF(steps_[i].Number, *offset));
        ++at;
      }
      continue;
    }
    size_t run = 0;
    QList<QPointF> points;
    const auto flush = [&] {
      if (points.isEmpty()) return;
      if (run < runs.size()) runs[run]->replace(points);
      ++run;
      points.clear();
    };
    for (const CurveStep& step : steps_) {
      if (const auto& offset = step.Offsets[channel])
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
  FillPlayed();

  for (int i = 0; i < static_cast<int>(steps_.size()); ++i)
    if (speeds_->at(i) != steps_[static_cast<size_t>(i)].Speed)
      speeds_->replace(i, steps_[static_cast<size_t>(i)].Speed);
}

void CurvesDock::SetPlayedStep(int step) {
  if (step == playedStep_) return;
  playedStep_ = step;
  FillPlayed();
}

void CurvesDock::FillPlayed() {
  if (!played_) return;
  QList<QPointF> marks;
  if (playedStep_ >= 1 && static_cast<size_t>(playedStep_) <= steps_.size()) {
    const CurveStep& step = steps_[static_cast<size_t>(playedStep_ - 1)];
    for (int c = 1; c <= kChannels; ++c)
      if (const auto& offset = step.Offsets[static_cast<size_t>(c - 1)]; offset && ChannelShown(c))
        marks.append(QPointF(playedStep_, *offset));
  }
  played_->replace(marks);
}

void CurvesDock::FillLegend() {
  legend_->clear();
  for (int c = 1; c <= kChannels; ++c) {
    const auto& runs = runs_[static_cast<size_t>(c - 1)];
    if (runs.empty()) continue;
    auto* item = new QListWidgetItem(Swatch(runs.front()->color()), ChannelName(look_, c), legend_);
    item->setData(kChannelRole, c);
    item->setFlags(Qt::ItemIsEnabled);
    item->setCheckState(Qt::Checked);
  }
}

void CurvesDock::PlaceMarkers() {
  const QRectF area = chart_->plotArea();
  const int count = static_cast<int>(steps_.size());
  if (count <= 0 || area.width() <= 0) return;
  std::vector<LabelSpan> spans;
  spans.reserve(markers_.size());
  double lineHeight = 0;
  for (QGraphicsSimpleTextItem* label : markers_) {
    const double step = label->data(0).toInt();
    const double x = area.left() + (step - 0.5) / count * area.width();
    const QRectF box = label->boundingRect();
    spans.push_back({x - box.width() / 2, x + box.width() / 2});
    lineHeight = std::max(lineHeight, box.height());
  }
  const std::vector<int> rows = StackLabels(spans, kMarkerGap);
  const int rowCount = rows.empty() ? 0 : *std::max_element(rows.begin(), rows.end()) + 1;
  for (size_t i = 0; i < markers_.size(); ++i)
    markers_[i]->setPos(spans[i].Left, area.top() - (rows[i] + 1) * lineHeight - 2);
  // Room above the plot for every row of labels; the new plot area places them again.
  QMargins margins = chart_->margins();
  const int top = 2 + static_cast<int>(std::ceil(rowCount * lineHeight));
  if (margins.top() != top) {
    margins.setTop(top);
    chart_->setMargins(margins);
  }
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
