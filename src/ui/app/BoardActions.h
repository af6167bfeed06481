#pragma once

#include <cstdint>

namespace brv3 {

class BoardLink;
class Prompter;

// What the main window's board buttons, the 0x8000 message and the serial receive event start.
// The main window only forwards; the sequences themselves live elsewhere and are plugged in with
// TBrivane3::SetBoardActions. Every call does nothing by default.
class BoardActions {
 public:
  virtual ~BoardActions() = default;

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
};

// The actions that are single board commands, done here over the window's board link: Stop,
// Pause and the 0x8000 message. The rest stay empty until a full implementation replaces this.
class BasicBoardActions : public BoardActions {
 public:
  BasicBoardActions(BoardLink& link, Prompter& prompter) : link_(link), prompter_(prompter) {}

  void MotStpBtnClick() override;
  void SpeedButton1Click() override;
  void PlayMessage(int64_t w, int64_t l) override;

 private:
  BoardLink& link_;
  Prompter& prompter_;
};

}  // namespace brv3
