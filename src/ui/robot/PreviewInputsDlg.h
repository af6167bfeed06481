#pragma once

#include <QDialog>

#include "core/motion/MotionPreview.h"

class QCheckBox;
class QSpinBox;

namespace brv3 {

// What the preview's board reads while it plays: analog inputs 1..3, the remote-control button
// held, and the loop counter at the start. Set and Compare steps branch on them as on the board.
class TPreviewInputsDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPreviewInputsDlg(QWidget* parent = nullptr);

  void Load(const PreviewSettings& settings);
  // `settings` with the dialog's values in place of those it shows.
  PreviewSettings Store(PreviewSettings settings) const;

 private:
  std::array<QSpinBox*, 3> analog_{};
  QCheckBox* remoteHeld_ = nullptr;
  QSpinBox* remoteCode_ = nullptr;
  QSpinBox* loopCounter_ = nullptr;
};

}  // namespace brv3
