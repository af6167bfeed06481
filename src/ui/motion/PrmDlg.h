#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/board/PoseBoardLink.h"
#include "core/motion/PanelLayout.h"
#include "core/motion/PoseEditor.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QSlider;
class QToolButton;

namespace brv3 {

class BoardLink;
class Chart;
class EventPump;
class FocusReturn;
class PatternStore;
class Prompter;
class TPortDlg;

// The position editor: one panel per channel over an optional picture of the robot, the speed
// panel, the button bar and the link list. A thin view of PoseEditor (the pose) and PanelLayout
// (where the panels stand), created once and shown for the Position object double-clicked.
class TPrmDlg : public QWidget {
  Q_OBJECT
 public:
  // `sync` reads the main window's SYNC box; `settingsPath` is BRV3.ini.
  TPrmDlg(BoardLink& link, Prompter& prompter, std::function<bool()> sync, EventPump* pump,
          std::string settingsPath, QWidget* parent = nullptr);
  ~TPrmDlg() override;

  // Shows the editor for object `index` of `chart`; `target` (optional) replaces the plain chart
  // target, so the edits go through the caller's undo path.
  void Open(Chart& chart, int index, std::unique_ptr<PoseTarget> target = {});
  PoseEditor& Editor() { return editor_; }
  PanelLayout& Layout() { return layout_; }
  // The per-channel entry dialog and the link store it keeps (for names, scales and links).
  void SetPortDialog(TPortDlg* dialog) { portDlg_ = dialog; }
  // Writes the layout keys into BRV3.ini (keeping every other line).
  bool SaveLayout();
  // Reads the picture at `path` (JPEG through libjpeg, .bmp through Qt) as the background.
  bool LoadPicture(const std::string& path);
  // Mirrors the model into every control.
  void Refresh();
  // Fills `LinkList` from the store: the link names and "New Link".
  void FillLinkList(const PatternStore& store);
  // Called when the pose changed from outside (undo, a conversion): shows the object again.
  void ReloadObject();
  // The main window became active: true when the editor keeps showing, because that activation
  // only followed the close of a dialog opened from the editor.
  bool ReclaimFocus();
  // After a link was deleted: "New Link" is the choice and no link is in effect.
  void SelectNewLink();

  QFrame* ChannelPanel(int channel) const { return panels_[static_cast<size_t>(channel - 1)]; }

 signals:
  // The pose in the chart changed (the canvas and other views follow).
  void PoseChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  struct ChannelControls {
    QLabel* label = nullptr;
    QLineEdit* edit = nullptr;
    QSlider* scroll = nullptr;
    QSlider* ssl = nullptr;
    QLabel* slb = nullptr;
    std::array<QRadioButton*, kChannelRadios> radios{};
  };

  void BuildChannelPanel(int channel);
  void BuildSpeedPanel();
  void BuildButtonBar();
  void BuildLinkPanel();
  void BuildMenu();
  void ApplyLayout();
  void ApplyPanelColor(int panel);
  void RefreshChannel(int channel);
  void Changed();
  void OpenMenu(int tag, const QPoint& globalPos);
  void ChangeNames();
  void ChangeScales();
  void ChooseBackground();
  void RestPoseClicked(bool trim);
  void LinkChosen(int index);
  QToolButton* AddButton(const char* name, const QString& hint, const QIcon& icon);

  BoardLink& link_;
  Prompter& prompter_;
  PoseBoardLink board_;
  PoseEditor editor_;
  PanelLayout layout_;
  std::string settingsPath_;
  std::unique_ptr<PoseTarget> target_;
  Chart* chart_ = nullptr;
  int index_ = -1;
  TPortDlg* portDlg_ = nullptr;
  FocusReturn* focusReturn_ = nullptr;
  QImage background_;
  std::array<QFrame*, kEditorPanels> panels_{};
  std::array<ChannelControls, kChannels> channels_{};
  QLineEdit* speedEdit_ = nullptr;
  QSlider* speedBar_ = nullptr;
  QComboBox* linkList_ = nullptr;
  QMenu* prmMenu_ = nullptr;
  int menuTag_ = 0;
  int dragPanel_ = 0;
  QPoint grab_;
  bool mirroring_ = false;
};

}  // namespace brv3
