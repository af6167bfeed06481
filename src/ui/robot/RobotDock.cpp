#include "ui/robot/RobotDock.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/chart/Chart.h"
#include "ui/robot/MarkedSlider.h"
#include "ui/robot/PreviewInputsDlg.h"
#include "ui/robot/RobotCheckRunner.h"
#include "ui/robot/RobotView.h"

namespace brv3 {
namespace {

// The preview's clock advances at the screen's pace.
constexpr int kFrameMs = 16;
// Edits pause this long before the chart is checked against the robot.
constexpr int kCheckDelayMs = 300;
// A warning's moments are board ticks: what held at one tick holds until the next.
constexpr double kTickSeconds = 0.01;

QString TimeText(double seconds) {
  return RobotDock::tr("%1 s").arg(QLocale().toString(seconds, 'f', 2));
}

}  // namespace

RobotDock::RobotDock(Chart& chart, QWidget* parent)
    : QDockWidget(tr("Robot"), parent), doc_(chart) {
  setObjectName("RobotDock");
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(2, 2, 2, 2);
  view_ = new RobotView(box);
  layout->addWidget(view_, 1);
  BuildControls(box);
  setWidget(box);
  ticker_.setInterval(kFrameMs);
  connect(&ticker_, &QTimer::timeout, this, [this] { Tick(); });
  // Edits come in bursts (a drag): the motion is compiled once they pause.
  prepare_.setSingleShot(true);
  prepare_.setInterval(150);
  connect(&prepare_, &QTimer::timeout, this, [this] {
    if (isVisible()) EnsurePreview(true);
  });
  checker_ = new RobotCheckRunner(this);
  connect(checker_, &RobotCheckRunner::Finished, this,
          [this](const std::vector<ChartWarning>& warnings) { ChecksFinished(warnings); });
  checkSoon_.setSingleShot(true);
  checkSoon_.setInterval(kCheckDelayMs);
  connect(&checkSoon_, &QTimer::timeout, this, [this] { StartCheck(); });
  UpdateButtons();
}

void RobotDock::BuildControls(QWidget* box) {
  auto* row = new QHBoxLayout;
  auto button = [&](const char* name, const QString& hint, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(box);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setIcon(style()->standardIcon(icon));
    row->addWidget(b);
    return b;
  };
  playBtn_ = button("RobotPlayBtn", tr("Play the motion on the robot"), QStyle::SP_MediaPlay);
  pauseBtn_ = button("RobotPauseBtn", tr("Pause"), QStyle::SP_MediaPause);
  stopBtn_ = button("RobotStopBtn", tr("Stop and go back to the start"), QStyle::SP_MediaStop);
  connect(playBtn_, &QToolButton::clicked, this, [this] { Play(); });
  connect(pauseBtn_, &QToolButton::clicked, this, [this] { Pause(); });
  connect(stopBtn_, &QToolButton::clicked, this, [this] { Stop(); });
  timeSlider_ = new MarkedSlider(box);
  timeSlider_->setObjectName("RobotTimeSlider");
  timeSlider_->setRange(0, 0);
  timeSlider_->setSingleStep(10);
  timeSlider_->setPageStep(500);
  connect(timeSlider_, &QSlider::valueChanged, this, [this](int ms) {
    if (!settingSlider_) Seek(ms / 1000.0);
  });
  row->addWidget(timeSlider_, 1);
  timeLabel_ = new QLabel(TimeText(0), box);
  timeLabel_->setObjectName("RobotTimeLabel");
  row->addWidget(timeLabel_);
  auto* inputs = new QToolButton(box);
  inputs->setObjectName("RobotInputsBtn");
  inputs->setText(tr("Inputs..."));
  inputs->setToolTip(
      tr("What the preview's board reads: analog inputs, a remote button, the loop "
         "counter"));
  connect(inputs, &QToolButton::clicked, this, [this] { EditPreviewInputs(); });
  row->addWidget(inputs);
  angleBtn_ = new QToolButton(box);
  angleBtn_->setObjectName("RobotAngleBtn");
  angleBtn_->setText(tr("View"));
  angleBtn_->setPopupMode(QToolButton::InstantPopup);
  auto* angles = new QMenu(angleBtn_);
  angles->setObjectName("RobotAngleMenu");
  struct AngleChoice {
    const char* name;
    QString text;
    RobotViewAngle angle;
  };
  const AngleChoice choices[] = {{"RobotAngleFront", tr("&Front"), RobotViewAngle::Front},
                                 {"RobotAngleSide", tr("&Side"), RobotViewAngle::Side},
                                 {"RobotAngleTop", tr("&Top"), RobotViewAngle::Top}};
  for (const auto& [name, text, angle] : choices) {
    QAction* action = angles->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, angle = angle] { view_->LookFrom(angle); });
  }
  angleBtn_->setMenu(angles);
  row->addWidget(angleBtn_);
  static_cast<QVBoxLayout*>(box->layout())->addLayout(row);
  note_ = new QLabel(box);
  note_->setObjectName("RobotNote");
  note_->setWordWrap(true);
  note_->hide();
  box->layout()->addWidget(note_);
}

bool RobotDock::LoadModel(const std::string& path, std::string* error) {
  robot::CheckedRobotLoadResult loaded = robot::LoadCheckedRobot(path);
  if (!loaded.robot) {
    if (error) *error = loaded.error;
    return false;
  }
  modelPath_ = path;
  usersRobot_ = true;
  checker_->Cancel();
  robot_ = std::make_shared<const robot::CheckedRobot>(std::move(*loaded.robot));
  const std::shared_ptr<const robot::RobotModel> model(robot_, &robot_->model);
  poser_ = RobotPoser(model);
  view_->SetModel(model, poser_.Links());
  SetNote(QString());
  stale_ = true;
  warnings_.clear();
  MarkSlider();
  if (isVisible())
    checkSoon_.start();
  else
    checkStale_ = true;
  Refresh();
  return true;
}

void RobotDock::ClearModel() {
  checker_->Cancel();
  checkSoon_.stop();
  checkStale_ = false;
  modelPath_.clear();
  robot_.reset();
  poser_ = RobotPoser();
  view_->SetModel(nullptr, {});
  warnings_.clear();
  MarkSlider();
  emit RobotWarningsChanged();
}

void RobotDock::SetEditorPose(const std::optional<ChannelWords>& words) {
  editorPose_ = words;
  Refresh();
}

void RobotDock::ChartChanged(bool content) {
  if (content) {
    // The check running is of a chart that is no more.
    checker_->Cancel();
    if (isVisible())
      checkSoon_.start();
    else
      checkStale_ = true;
  }
  // The preview is compiled again when next needed; a running one keeps its motion.
  if (!previewActive_) {
    preview_.reset();
    steps_.clear();
    if (isVisible()) prepare_.start();
  }
  Refresh();
}

QString RobotDock::Note() const {
  return note_->isVisibleTo(this) ? note_->text() : QString();
}

void RobotDock::SetNote(const QString& text) {
  note_->setText(text);
  note_->setVisible(!text.isEmpty());
}

bool RobotDock::event(QEvent* event) {
  const bool result = QDockWidget::event(event);
  if (event->type() == QEvent::Show) {
    if (stale_) Refresh();
    if (!preview_) prepare_.start();
    if (checkStale_) checkSoon_.start();
  } else if (event->type() == QEvent::Hide) {
    // Nothing runs while the dock cannot be seen.
    if (playing_) Pause();
    if (checkSoon_.isActive() || checker_->Running()) {
      checkSoon_.stop();
      checker_->Cancel();
      checkStale_ = true;
    }
  }
  return result;
}

void RobotDock::Refresh() {
  if (!isVisible()) {
    stale_ = true;
    return;
  }
  stale_ = false;
  PaintWarnings();
  std::optional<ChannelWords> words;
  if (previewActive_ && preview_) {
    source_ = RobotPoseSource::Preview;
    words = previewWords_;
  } else if (editorPose_) {
    source_ = RobotPoseSource::Editor;
    words = editorPose_;
  } else {
    source_ = RobotPoseSource::None;
    for (const ChartObject& object : doc_.Objects) {
      if (object.Selected && object.Type == kPosition) {
        source_ = RobotPoseSource::Selection;
        words = object.Values;
        break;
      }
    }
  }
  if (!words || !poser_.Model()) return;
  poser_.Pose(*words);
  view_->Place(poser_.Links());
  ++posesApplied_;
}

bool RobotDock::EnsurePreview(bool quiet) {
  if (preview_) return true;
  if (quiet && doc_.Objects.empty()) return false;
  if (doc_.Type == kScenarioChart) {
    SetNote(tr("A scenario chart cannot be previewed: open a motion chart."));
    return false;
  }
  const MotionCompileResult compiled = CompileMotionChart(doc_);
  if (!compiled.ok) {
    SetNote(compiled.failure.text.empty()
                ? tr("Nothing to play: the chart has no objects.")
                : tr("The chart does not compile: %1")
                      .arg(QString::fromStdString(compiled.failure.text)));
    return false;
  }
  SetNote(QString());
  preview_.emplace(compiled.records, settings_);
  steps_ = compiled.steps;
  settingSlider_ = true;
  timeSlider_->setRange(0, static_cast<int>(std::ceil(preview_->Duration() * 1000)));
  settingSlider_ = false;
  return true;
}

int RobotDock::PreviewObject() const {
  if (step_ < 1 || static_cast<size_t>(step_) > steps_.size()) return -1;
  const int32_t kind = steps_[static_cast<size_t>(step_ - 1)].Kind;
  return kind >= 0 ? kind : -1;
}

void RobotDock::ShowPreviewAt(double seconds) {
  time_ = seconds;
  const PreviewSample sample = preview_->At(seconds);
  previewWords_ = sample.words;
  const int step = sample.step + 1;
  settingSlider_ = true;
  timeSlider_->setValue(static_cast<int>(std::lround(seconds * 1000)));
  settingSlider_ = false;
  timeLabel_->setText(TimeText(seconds));
  if (step != step_) {
    step_ = step;
    emit PreviewStepChanged(step_, PreviewObject());
  }
  Refresh();
}

void RobotDock::Play() {
  if (playing_ || !EnsurePreview()) return;
  // Played to its end: Play starts it again.
  if (!preview_->RunsForever() && time_ >= preview_->Duration()) time_ = 0;
  previewActive_ = true;
  playing_ = true;
  playedFrom_ = time_;
  clock_.start();
  ticker_.start();
  ShowPreviewAt(time_);
  UpdateButtons();
}

void RobotDock::Pause() {
  if (!playing_) return;
  Tick();
  playing_ = false;
  ticker_.stop();
  UpdateButtons();
}

void RobotDock::Stop() {
  const bool wasActive = previewActive_;
  playing_ = false;
  ticker_.stop();
  previewActive_ = false;
  time_ = 0;
  settingSlider_ = true;
  timeSlider_->setValue(0);
  settingSlider_ = false;
  timeLabel_->setText(TimeText(0));
  if (step_ != 0) {
    step_ = 0;
    emit PreviewStepChanged(0, -1);
  }
  // The chart may have changed while the preview ran.
  preview_.reset();
  prepare_.start();
  if (wasActive) Refresh();
  UpdateButtons();
}

void RobotDock::SetPreviewSettings(const PreviewSettings& settings) {
  settings_ = settings;
  Stop();  // the preview is made again, with the new inputs, from the start
}

void RobotDock::EditPreviewInputs() {
  TPreviewInputsDlg dialog(this);
  dialog.Load(settings_);
  if (dialog.exec() == QDialog::Accepted) SetPreviewSettings(dialog.Store(settings_));
}

void RobotDock::Seek(double seconds) {
  if (!EnsurePreview()) return;
  if (playing_) {
    playing_ = false;
    ticker_.stop();
  }
  previewActive_ = true;
  ShowPreviewAt(std::clamp(
      seconds, 0.0, preview_->RunsForever() ? kPreviewHorizonSeconds : preview_->Duration()));
  UpdateButtons();
}

void RobotDock::Tick() {
  if (!playing_ || !preview_) return;
  double now = playedFrom_ + clock_.elapsed() / 1000.0;
  const bool ended = !preview_->RunsForever() && now >= preview_->Duration();
  if (ended) now = preview_->Duration();
  if (preview_->RunsForever() && now > preview_->Duration()) {
    // The slider spans one round; the robot goes on repeating.
    time_ = now;
    const PreviewSample sample = preview_->At(now);
    previewWords_ = sample.words;
    if (sample.step + 1 != step_) {
      step_ = sample.step + 1;
      emit PreviewStepChanged(step_, PreviewObject());
    }
    Refresh();
    return;
  }
  ShowPreviewAt(now);
  if (ended) {
    playing_ = false;
    ticker_.stop();
    UpdateButtons();
  }
}

void RobotDock::UpdateButtons() {
  playBtn_->setEnabled(!playing_);
  pauseBtn_->setEnabled(playing_);
  stopBtn_->setEnabled(previewActive_);
}

bool RobotDock::CheckPending() const {
  return checkStale_ || checkSoon_.isActive() || checker_->Running();
}

void RobotDock::StartCheck() {
  if (!isVisible()) {
    checkStale_ = true;
    return;
  }
  checkStale_ = false;
  if (!robot_ || doc_.Type == kScenarioChart) {
    ChecksFinished({});
    return;
  }
  checker_->Start(doc_, robot_);
}

void RobotDock::ChecksFinished(const std::vector<ChartWarning>& warnings) {
  warnings_ = warnings;
  MarkSlider();
  PaintWarnings();
  emit RobotWarningsChanged();
}

void RobotDock::MarkSlider() {
  std::vector<MarkedSlider::Mark> marks;
  for (const ChartWarning& w : warnings_)
    for (const MotionMoment& m : w.Moments)
      marks.push_back({static_cast<int>(std::lround(m.From * 1000)),
                       static_cast<int>(std::lround(m.To * 1000))});
  timeSlider_->SetMarks(std::move(marks));
}

void RobotDock::PaintWarnings() {
  const robot::RobotModel* model = robot_ ? &robot_->model : nullptr;
  std::vector<bool> red(model ? model->links.size() : 0, false);
  if (model && previewActive_ && preview_) {
    double t = time_;
    // A motion that repeats shows its first round's warnings every round.
    if (preview_->RunsForever() && t > preview_->Duration() && preview_->LoopPeriod() > 0)
      t = preview_->LoopStart() + std::fmod(t - preview_->LoopStart(), preview_->LoopPeriod());
    for (const ChartWarning& w : warnings_) {
      const bool now = std::any_of(w.Moments.begin(), w.Moments.end(), [t](const MotionMoment& m) {
        return t >= m.From - 1e-6 && t < m.To + kTickSeconds;
      });
      if (!now) continue;
      for (const std::string& name : w.Links)
        if (const int l = model->LinkIndex(name); l >= 0) red[static_cast<size_t>(l)] = true;
    }
  }
  view_->SetRedLinks(std::move(red));
}

std::vector<std::string> RobotDock::RedLinks() const {
  std::vector<std::string> names;
  const std::vector<bool>& red = view_->RedLinks();
  if (!robot_) return names;
  for (size_t l = 0; l < red.size() && l < robot_->model.links.size(); ++l)
    if (red[l]) names.push_back(robot_->model.links[l].name);
  return names;
}

}  // namespace brv3
