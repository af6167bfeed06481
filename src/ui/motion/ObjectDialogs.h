#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "core/motion/ObjectDialogs.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace brv3 {

class Chart;
class ChannelLook;
class NotifyingCombo;
class SlotLists;
class TableReadNote;

// The Set object's dialog: modeless, its choice stored into the object when it hides.
class TSetDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TSetDlg(QWidget* parent = nullptr);

  // `triggers` and `slotItems` dress the sensor boxes and the slot lists.
  void Open(Chart& chart, int index, const SensorTriggers& triggers,
            const std::vector<std::string>& slotItems, std::unique_ptr<PoseTarget> target = {});
  SetDialog& Model() { return model_; }
  void Refresh();
  // The offer to read the table while rows are unread; the slot lists follow a read.
  void SetSlotLists(SlotLists* lists);

 signals:
  void ObjectChanged();

 protected:
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRadioButton* Radio(SetOption option) const;
  NotifyingCombo* List(SetOption option) const;

  SetDialog model_;
  std::unique_ptr<PoseTarget> target_;
  QButtonGroup* group_ = nullptr;
  std::array<QRadioButton*, 9> radios_{};  // by SetOption - 1
  QSlider* numBar_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  NotifyingCombo* adList_ = nullptr;
  NotifyingCombo* cycleList_ = nullptr;
  NotifyingCombo* djpList_ = nullptr;
  NotifyingCombo* callList_ = nullptr;
  std::array<QCheckBox*, SetDialog::kSensorBoxes> sck_{};
  SlotLists* lists_ = nullptr;
  TableReadNote* tableNote_ = nullptr;
};

// The Compare object's dialog: a click stores the condition at once.
class TCompDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TCompDlg(QWidget* parent = nullptr);
  void Open(Chart& chart, int index, std::unique_ptr<PoseTarget> target = {});
  CompareDialog& Model() { return model_; }

 signals:
  void ObjectChanged();

 private:
  CompareDialog model_;
  std::unique_ptr<PoseTarget> target_;
  QButtonGroup* group_ = nullptr;
  std::array<QRadioButton*, kCompareOptionCount> radios_{};
};

// The Mix object's dialog: every closed list rewrites the object's words (and sends them with
// SYNC).
class TMixDlg : public QWidget {
  Q_OBJECT
 public:
  TMixDlg(LinkBoard& board, std::function<bool()> sync, const ChannelLook* look,
          QWidget* parent = nullptr);
  void Open(Chart& chart, int index, std::unique_ptr<PoseTarget> target = {});
  MixDialog& Model() { return model_; }
  void Refresh();

 signals:
  void ObjectChanged();

 private:
  MixDialog model_;
  const ChannelLook* look_;
  std::unique_ptr<PoseTarget> target_;
  std::array<QLabel*, kChannels> labels_{};
  std::array<NotifyingCombo*, kChannels> sources_{};
  std::array<NotifyingCombo*, kChannels> factors_{};
};

}  // namespace brv3
