#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/comm/BoardLayout.h"
#include "core/comm/Port.h"
#include "core/comm/TableEntry.h"
#include "core/comm/Transact.h"
#include "core/util/Bytes.h"

namespace brv3 {

class ConnectionWatch;
class LiveLane;
class Prompter;

// Area bit of the settings commands: the board's working copy or its stored copy.
enum class Area : uint8_t { Working = 0, Stored = 1 };
// Area bit of the pose commands: the live pose buffer or motion memory.
enum class PoseArea : uint8_t { Live = 0, Memory = 1 };
// What a mode-word wrapper does with its bit: set it, clear it, or flip the board's value.
enum class ModeSwitch { On, Off, Toggle };

// Told when a table entry was written, so the motion table's row can follow.
class TableEntryObserver {
 public:
  virtual ~TableEntryObserver() = default;
  // `entry` holds the 42 entry bytes.
  virtual void ShowTableEntry(const Bytes& entry, int index, bool add) = 0;
};

// The host side of the board protocol: layer settings, the busy caption and one operation per
// board command. Every operation returns false on failure and then leaves its reply empty; a data
// reply is the payload alone (its checksum byte is checked and dropped). With no port every command
// fails and live commands are not sent.
class BoardLink {
 public:
  static constexpr int kDefaultAttemptLimit = 5;
  static constexpr int kReceiveTimeOut = 300;
  static constexpr int kLongReceiveTimeOut = 500;

  explicit BoardLink(Port* port = nullptr, Prompter* prompter = nullptr);
  ~BoardLink();
  BoardLink(const BoardLink&) = delete;
  BoardLink& operator=(const BoardLink&) = delete;

  // Live frames (servo, trim and calibration values) go out from a thread of their own, as fast as
  // the line takes them, only the newest per channel; every other command first waits for them,
  // so the board receives everything in the order it was asked for. For a port with an
  // ExchangeLock only. How a live frame went is told to the connection watch at the next command
  // or live frame.
  void SendLiveFramesInBackground();
  // Returns once every live frame asked for has gone out.
  void FlushLiveFrames();

  void SetPort(Port* port);
  Port* CurrentPort() const { return port_; }
  void SetTableObserver(TableEntryObserver* observer) { observer_ = observer; }
  // Told before and after every command (it may reopen a lost port first); null for none.
  void SetConnectionWatch(ConnectionWatch* watch) { watch_ = watch; }
  void SetApplicationTitle(std::string title) { title_ = std::move(title); }
  // A read (a command with a data reply) that fails on the line (no answer, a short reply, a bad
  // checksum) is sent again up to `retries` more times: it changes nothing on the board, so one
  // spoilt reply need not fail a long transfer. 0 (the default) sends each command once.
  void SetReadRetries(int retries) { readRetries_ = retries < 0 ? 0 : retries; }
  int AttemptLimit() const { return attemptLimit_; }
  void SetAttemptLimit(int limit) { attemptLimit_ = limit < 1 ? 1 : limit; }
  // Month, day, hour, minute of "now" for the date stamp of written table entries.
  void SetClock(std::function<std::array<uint8_t, 4>()> clock) { clock_ = std::move(clock); }
  std::array<uint8_t, 4> Now() const;

  // One transaction over the current port with the current attempt limit.
  Bytes Transact(const Bytes& frame, size_t replyLength);
  // Why the last command failed; None after one that succeeded.
  LinkFault LastFault() const { return lastFault_; }
  // Puts back the cause of an earlier failure after a clean-up command (waking the board) that
  // succeeded, so that the cause can still be reported.
  void RestoreFault(LinkFault fault) { lastFault_ = fault; }

  // Motion memory, poses and playback.
  bool ReadTableEntry(int index, Bytes& reply);
  bool WriteTableEntry(int index, const Bytes& entry);  // 42 bytes
  bool ReadPose(PoseArea area, int slot, int record, Bytes& reply);
  bool WritePose(PoseArea area, int slot, int record, const Bytes& pose);  // 49 bytes
  bool ReadScenarioStep(int scenario, int step, Bytes& reply);
  bool WriteScenarioStep(int scenario, int step, int motion);
  bool PlayMotion(Slot slot);
  bool StopMotion();
  bool ReadStopPositions(Bytes& reply);
  bool ReadServoPositions(Bytes& reply);
  bool WriteHomePosition(const Bytes& words);                        // 48 bytes
  bool SetServoLive(int channel, uint16_t value, uint8_t mode = 1);  // always true
  bool ReadModeWord(Area area, Bytes& reply);
  bool WriteModeWord(Area area, uint16_t value);
  bool ReadVersion(Bytes& reply);
  // Payload 0x80, the two bytes of `word`, then `value` least significant byte first.
  bool SendExtendedSerial(uint16_t word, uint32_t value);

  // Configuration.
  bool ReadTrim(Area area, Bytes& reply);
  bool WriteTrim(Area area, const Bytes& words);  // 48 bytes
  bool SetTrimLive(int channel, uint16_t value);  // always true
  bool ReadChannelName(int channel, Bytes& reply);
  bool WriteChannelName(int channel, const Bytes& name);  // padded with 0x00 or cut to 32 bytes
  bool ReadSsvChannelMask(Bytes& reply);
  bool WriteSsvChannelMask(const Bytes& mask);  // 3 bytes
  bool ReadSvlChannelMask(Bytes& reply);
  bool WriteSvlChannelMask(const Bytes& mask);  // 3 bytes
  bool ReadStartMotions(Bytes& reply);
  bool WriteStartMotions(int startSwitchMotion, int powerUpMotion);
  bool ReadAlarmMotion(Bytes& reply);
  bool WriteAlarmMotion(int motion, uint16_t voltage);
  bool ReadAdSettings(Area area, Bytes& reply);
  bool WriteAdSettings(Area area, const Bytes& settings);  // 18 bytes
  bool ReadMixTable(Area area, int table, Bytes& reply);
  bool WriteMixTable(Area area, int table, const Bytes& mix);  // 24 bytes
  bool ReadAdCalibration(Area area, Bytes& reply);
  bool WriteAdCalibration(Area area, const std::array<uint16_t, 3>& values);
  bool SetAdCalibrationLive(int input, uint16_t value);  // always true
  bool ReadPropoSettings(Area area, Bytes& reply);
  bool WritePropoSettings(Area area, const Bytes& settings);  // 4 bytes
  bool ReadSvlEntryLong(int channel, Bytes& reply);
  bool WriteSvlEntryLong(int channel, const Bytes& record);  // 29 bytes
  bool ReadSvlEntryShort(int channel, Bytes& reply);
  bool WriteSvlEntryShort(int channel, const Bytes& record);  // 17 bytes
  bool ReadSpeedTable(Bytes& reply);
  bool ReadStretchTable(Bytes& reply);
  bool ReadRemoteCode(Bytes& reply);

  // Mode-word wrappers: read the word, change one bit, write it back. True when both succeeded.
  // All but the last change the working copy; remote input and the serial-servo list mode have
  // no toggle (refused without a frame).
  bool SetSleep(ModeSwitch sleep);            // bit 0: asleep (see SleepScope)
  bool SetMotionEnable(ModeSwitch enable);    // bit 1
  bool SetReceiverReport(ModeSwitch report);  // bit 2
  bool SetRemoteInput(ModeSwitch input);      // bit 5
  bool SetAnalogReport(ModeSwitch report);    // bit 8
  bool SetSvlMode(ModeSwitch mode);           // bit 14, stored copy

  // Table-entry wrappers: read, change, write back, refresh the observer's row. -1 for count,
  // value24 or code keeps that field.
  bool UpdateTableEntry(int index, int count, int value24, const std::string& nameUtf8,
                        const EntryDate& date, int code);
  bool ClearTableEntry(int index);

 private:
  enum class ReplyKind { Data, Ack, Live };
  struct Shape {
    ReplyKind kind;
    size_t replyLength;
    bool svlRecord = false;
    bool singleTry = false;
  };
  bool Run(Bytes frame, const Shape& shape, Bytes* reply);
  bool Exchange(Bytes frame, const Shape& shape, Bytes* reply);
  bool Data(Bytes frame, size_t replyLength, Bytes& reply);
  bool Ack(Bytes frame);
  bool Live(Bytes frame);
  LinkFault SendLaneFrame(Bytes frame);
  // With the exchange lock held: the live frames not yet sent go out now.
  void SendPendingLiveFrames();
  // Tells the connection watch how the last live frame went (nothing when none was sent).
  void ReportLiveOutcome(std::optional<LinkFault> fault);
  bool ChangeModeBit(Area area, uint16_t mask, ModeSwitch change, bool toggles = true);
  bool SleepOn(uint16_t word);
  void ShowPanel(int panel, const std::string& text);

  friend class CommandScope;

  Port* port_;
  Prompter* prompter_;
  TableEntryObserver* observer_ = nullptr;
  ConnectionWatch* watch_ = nullptr;
  std::string title_ = "Brivane 3";
  int attemptLimit_ = kDefaultAttemptLimit;
  int readRetries_ = 0;
  bool busy_ = false;
  LinkFault lastFault_ = LinkFault::None;
  std::function<std::array<uint8_t, 4>()> clock_;
  std::unique_ptr<LiveLane> lane_;  // last: stopped before anything it uses
};

}  // namespace brv3
