#pragma once

#include <cstdint>
#include <string_view>

namespace brv3 {

class BoardLink;
class NotificationBuffer;
class Prompter;
struct AnalogReport;
struct RemoteReport;

// What the main window's board buttons, the 0x8000 message and the serial receive event start.
// The main window only forwards; the sequences themselves live elsewhere and are plugged in with
// TBrivane3::SetBoardButtons. Every call does nothing by default.
class BoardButtons {
 public:
  virtual ~BoardButtons() = default;

  // Tools toolbar.
  virtual void HomeBtnClick() {}
  virtual void OptionBtnClick() {}
  virtual void AdBtnClick() {}
  virtual void SVLBtnClick() {}
  virtual void OptionMenu3Click() {}
  virtual void TableBtnClick() {}

  // Command toolbar and the compile button.
  virtual void CompileBtnClick() {}
  virtual void HomePosBtnClick() {}
  virtual void SpeedButton2Click() {}  // trim position
  virtual void MotWriteBtnClick() {}
  virtual void MotReadBtnClick() {}
  virtual void MotDelBtnClick() {}
  virtual void MotStpBtnClick() {}
  virtual void SpeedButton1Click() {}  // pause / resume
  virtual void MotRunBtnClick() {}

  // Message 0x8000 from another program.
  virtual void PlayMessage(int64_t w, int64_t l) {
    (void)w;
    (void)l;
  }
  // Bytes the board sent on its own are waiting in the serial component.
  virtual void CommX1Receive(int count) { (void)count; }
  // The main window became active: the modeless object editors hide.
  virtual void HideObjectEditors() {}
  // Whether the dialog behind a Tools button (HomeBtn, OptionBtn, AdBtn, SVLBtn, OptionMenu3)
  // exists; the window disables the buttons of the others.
  virtual bool OffersDialog(std::string_view button) const {
    (void)button;
    return false;
  }
};

// The actions that need no dialog of their own, done here over the window's board link: Home
// and Trim position, Stop, Pause, the 0x8000 message and the board's own notifications (a finished
// playback shows its status lines). The rest stay empty until a full implementation replaces or
// extends this.
class BasicBoardButtons : public BoardButtons {
 public:
  BasicBoardButtons(BoardLink& link, Prompter& prompter, NotificationBuffer& notifications)
      : link_(link), prompter_(prompter), notifications_(notifications) {}

  void HomePosBtnClick() override;
  void SpeedButton2Click() override;
  void MotStpBtnClick() override;
  void SpeedButton1Click() override;
  void PlayMessage(int64_t w, int64_t l) override;
  void CommX1Receive(int count) override;

  // Reports for the analog and transmitter dialogs and the remote-code counter.
  virtual void AnalogReportArrived(const AnalogReport& report) { (void)report; }
  virtual void RemoteReportArrived(const RemoteReport& report) { (void)report; }

 protected:
  Prompter& Prompts() { return prompter_; }

 private:
  BoardLink& link_;
  Prompter& prompter_;
  NotificationBuffer& notifications_;
};

}  // namespace brv3
