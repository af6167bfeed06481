#pragma once

#include <QDockWidget>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/chart/ChartEvents.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionPreview.h"
#include "core/robot/RobotChecks.h"
#include "ui/robot/RobotPoser.h"

class QLabel;
class QToolButton;

namespace brv3 {

class Chart;
class MarkedSlider;
class RobotCheckRunner;
class RobotView;

// Where the robot's pose comes from, strongest first.
enum class RobotPoseSource { None, Preview, Editor, Selection };

// The dock "Robot": the robot in 3D in the pose of, in this order, the preview being played, the
// position editor's pose while it is open, or the selected position object. Play, Pause, Stop
// and a time slider play the open motion chart as the board would. While hidden it only notes
// that something changed; it catches up when shown.
// With a model, every change of the chart is checked against the robot (joint limits and links
// hitting each other) on a worker once the edits pause: the moments of its warnings are marked
// on the time slider, and links in contact or beyond a limit turn red at those moments of the
// preview.
class RobotDock : public QDockWidget {
  Q_OBJECT
 public:
  explicit RobotDock(Chart& chart, QWidget* parent = nullptr);

  // Loads a robot description; on failure the model in place stays and `error` says why. A model
  // loaded is the user's robot until SetUsersRobot(false) says it only stands in.
  bool LoadModel(const std::string& path, std::string* error);
  // Whether the model is the user's robot (chosen, not the shipped one shown for want of one):
  // only then do its warnings join the chart's before a write.
  void SetUsersRobot(bool users) { usersRobot_ = users; }
  bool UsersRobot() const { return usersRobot_ && robot_ != nullptr; }
  const std::string& ModelPath() const { return modelPath_; }
  // Shows no robot: nothing is posed or checked until a model is loaded again.
  void ClearModel();
  const std::shared_ptr<const robot::RobotModel>& Model() const { return poser_.Model(); }
  // The model with the link pairs its semantic file leaves out of the collision check; null
  // without a model.
  const std::shared_ptr<const robot::CheckedRobot>& CheckedModel() const { return robot_; }

  // The position editor's pose while it is open; nullopt once it closes.
  void SetEditorPose(const std::optional<ChannelWords>& words);
  // The chart changed; `content` is false when only its selection did.
  void ChartChanged(bool content = true);

  // The preview: Play starts (or resumes) from the slider's time; Stop returns to the start.
  void Play();
  void Pause();
  void Stop();
  // What the preview's board reads (analog inputs, a remote button, the loop counter at the
  // start); a change plays the motion again from the start. Inputs... opens them for the user.
  void SetPreviewSettings(const PreviewSettings& settings);
  const PreviewSettings& PreviewSettingsUsed() const { return settings_; }
  void EditPreviewInputs();
  // Shows the preview at `seconds` (pausing a running preview).
  void Seek(double seconds);
  bool Playing() const { return playing_; }
  double PreviewTime() const { return time_; }
  double PreviewDuration() const { return preview_ ? preview_->Duration() : 0; }
  // The step of the preview shown (1-based; 0 before the first), and the chart object it came
  // from (-1 when none).
  int PreviewStep() const { return step_; }
  int PreviewObject() const;

  RobotPoseSource Source() const { return source_; }
  // The pose the robot was last put in (noted also while hidden).
  const RobotPoser& Poser() const { return poser_; }
  RobotView* View() const { return view_; }
  // Poses worked out since the start; a hidden dock works none out.
  int PosesApplied() const { return posesApplied_; }
  // The message under the controls (a failed compile, a missing model), empty when none.
  QString Note() const;

  // The robot's warnings for the chart as last checked on the worker (empty without a model),
  // and whether a check is waiting or running.
  const std::vector<ChartWarning>& RobotWarnings() const { return warnings_; }
  bool CheckPending() const;
  bool CheckScheduled() const { return checkSoon_.isActive(); }
  const RobotCheckRunner& Checker() const { return *checker_; }
  // The links shown red now, by name, in the model's order.
  std::vector<std::string> RedLinks() const;
  MarkedSlider* TimeSlider() const { return timeSlider_; }

 signals:
  // The preview shows step `step` (1-based) from chart object `object` (-1: none); 0, -1 when
  // the preview stops.
  void PreviewStepChanged(int step, int object);
  // A check of the chart against the robot finished: RobotWarnings() holds its warnings.
  void RobotWarningsChanged();

 protected:
  bool event(QEvent* event) override;

 private:
  void BuildControls(QWidget* box);
  // Works out the pose from the strongest source and moves the robot, unless hidden.
  void Refresh();
  // Compiles the open chart for the preview; `quiet` says nothing of an empty chart.
  bool EnsurePreview(bool quiet = false);
  void ShowPreviewAt(double seconds);
  void Tick();
  void SetNote(const QString& text);
  void UpdateButtons();
  // Checks the chart against the robot on the worker, unless hidden.
  void StartCheck();
  void ChecksFinished(const std::vector<ChartWarning>& warnings);
  // Puts the warnings' moments on the slider.
  void MarkSlider();
  // Paints red the links with a warning at the preview's time (none when no preview is shown).
  void PaintWarnings();

  Chart& doc_;
  RobotView* view_ = nullptr;
  QToolButton* playBtn_ = nullptr;
  QToolButton* pauseBtn_ = nullptr;
  QToolButton* stopBtn_ = nullptr;
  QToolButton* angleBtn_ = nullptr;
  MarkedSlider* timeSlider_ = nullptr;
  QLabel* timeLabel_ = nullptr;
  QLabel* note_ = nullptr;

  std::string modelPath_;
  std::shared_ptr<const robot::CheckedRobot> robot_;
  PreviewSettings settings_;
  bool usersRobot_ = false;
  RobotPoser poser_;
  std::optional<ChannelWords> editorPose_;
  RobotPoseSource source_ = RobotPoseSource::None;
  bool stale_ = true;  // something changed while hidden
  int posesApplied_ = 0;

  // The preview: compiled when first needed after a change of the chart.
  std::optional<MotionPreview> preview_;
  std::vector<StepEntry> steps_;
  bool previewActive_ = false;  // played, paused or scrubbed since the last Stop
  bool playing_ = false;
  double time_ = 0;
  double playedFrom_ = 0;  // preview time when the clock started
  int step_ = 0;
  ChannelWords previewWords_{};
  bool settingSlider_ = false;
  QElapsedTimer clock_;
  QTimer ticker_;
  QTimer prepare_;  // compiles the preview soon after a change, so the slider spans the motion

  // The checks against the robot: started once the edits pause; a hidden dock only notes that
  // it is behind.
  QTimer checkSoon_;
  bool checkStale_ = false;
  RobotCheckRunner* checker_ = nullptr;
  std::vector<ChartWarning> warnings_;
};

}  // namespace brv3
