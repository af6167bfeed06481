#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/CommX.h"
#include "platform/LineSettings.h"
#include "platform/PtyBoard.h"
#include "support/StubTranslator.h"
#include "support/TestSupport.h"

namespace brv3::platform {
namespace {

using test::PtyBoard;

std::string OpenError(TCommX& comm) {
  try {
    comm.Open();
  } catch (const ECommError& e) {
    return e.what();
  }
  return "";
}

TEST(CommX, ClosedPortHasDefaultsAndRefusesTransfers) {
  TCommX comm;
  EXPECT_EQ(comm.PortNo(), 1);
  EXPECT_EQ(comm.BitRate(), 9600);
  EXPECT_EQ(comm.CharSize(), 8);
  EXPECT_EQ(comm.ParityBit(), cpbNone);
  EXPECT_EQ(comm.StopBit(), csb1);
  EXPECT_EQ(comm.FlowCtrl(), cfcRtsCts);
  EXPECT_EQ(comm.TimeOutTrans(), 3000);
  EXPECT_EQ(comm.TimeOutReceive(), 3000);
  EXPECT_EQ(comm.XonChar(), 17);
  EXPECT_EQ(comm.XoffChar(), 19);
  EXPECT_EQ(comm.BufLenTrans(), 2048);
  EXPECT_EQ(comm.BufLenReceive(), 2048);
  EXPECT_EQ(comm.Handle(), -1);
  EXPECT_FALSE(comm.IsOpen());

  uint8_t buffer[4];
  EXPECT_EQ(comm.ReadBytes(buffer, 4), -1);
  EXPECT_FALSE(comm.WriteByte(1));
  EXPECT_TRUE(comm.WriteBytes(buffer, 0));
  EXPECT_TRUE(comm.WriteString(""));
  EXPECT_EQ(comm.InQueueCount(), 0);
  comm.PurgeReceive();
  comm.PurgeTransmit();
  comm.SetRts(true);
  comm.Close();
  // Setters on a closed port only store, even values the line could not take.
  comm.SetCharSize(9);
  comm.SetBitRate(12345);
  EXPECT_EQ(comm.CharSize(), 9);
  EXPECT_EQ(comm.BitRate(), 12345);

  EXPECT_EQ(CharTimeMs(115200), 1);
  EXPECT_EQ(CharTimeMs(9600), 2);
  EXPECT_EQ(CharTimeMs(0), 1001);
}

TEST(CommX, OpenAppliesTheLineSettingsAndSettersChangeTheOpenLine) {
  PtyBoard board;
  TCommX comm;
  comm.SetDevicePath(board.SlavePath());
  comm.SetBitRate(115200);
  comm.SetFlowCtrl(cfcNone);
  comm.Open();
  ASSERT_TRUE(comm.IsOpen());
  EXPECT_GE(comm.Handle(), 0);

  termios line{};
  ASSERT_EQ(tcgetattr(board.SlaveFd(), &line), 0);
  EXPECT_EQ(cfgetospeed(&line), B115200);
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL), 0u);

  // A pty keeps 8 data bits and no parity whatever it is told, so those two are checked on the
  // settings record below; stop bits do reach it.
  comm.SetStopBit(csb1p5);
  ASSERT_EQ(tcgetattr(board.SlaveFd(), &line), 0);
  EXPECT_TRUE(line.c_cflag & CSTOPB);
  comm.SetStopBit(csb1);
  ASSERT_EQ(tcgetattr(board.SlaveFd(), &line), 0);
  EXPECT_FALSE(line.c_cflag & CSTOPB);

  // Values outside the members are kept by the property and leave the line alone.
  comm.SetStopBit(csb2);
  comm.SetParityBit(static_cast<TCommParityBits>(7));
  comm.SetStopBit(static_cast<TCommStopBits>(-1));
  EXPECT_EQ(comm.ParityBit(), 7);
  EXPECT_EQ(comm.StopBit(), -1);
  ASSERT_EQ(tcgetattr(board.SlaveFd(), &line), 0);
  EXPECT_TRUE(line.c_cflag & CSTOPB);

  try {
    comm.SetCharSize(7);
    ADD_FAILURE() << "the pty took 7 data bits";
  } catch (const ECommError& e) {
    EXPECT_STREQ(e.what(), "An error occurred while setting the number of data bits");
  }
  try {
    comm.SetBitRate(12345);
    ADD_FAILURE() << "12345 bit/s was accepted";
  } catch (const ECommError& e) {
    EXPECT_STREQ(e.what(), "An error occurred while setting the bit rate");
  }
  ASSERT_EQ(tcgetattr(board.SlaveFd(), &line), 0);
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(cfgetospeed(&line), B115200);
  EXPECT_TRUE(comm.IsOpen());

  comm.SetXonChar(0x01);
  comm.SetFlowCtrl(cfcXonXoff);
  ASSERT_EQ(tcgetattr(board.SlaveFd(), &line), 0);
  EXPECT_EQ(line.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
  EXPECT_EQ(line.c_cc[VSTART], 0x01);
  EXPECT_EQ(line.c_cc[VSTOP], 19);
  comm.SetFlowCtrl(cfcRtsCts);
  ASSERT_EQ(tcgetattr(board.SlaveFd(), &line), 0);
  EXPECT_TRUE(line.c_cflag & CRTSCTS);
  EXPECT_EQ(line.c_iflag & (IXON | IXOFF), 0u);

  // A pty has no modem lines; asking for them is not an error.
  EXPECT_NO_THROW(comm.SetDtr(true));
  EXPECT_NO_THROW(comm.SetRts(false));
  EXPECT_NO_THROW(comm.SetDtr(false));
  EXPECT_NO_THROW(comm.SetRts(true));
  EXPECT_NO_THROW(comm.SetFlowCtrl(cfcHalfHigh));
  EXPECT_TRUE(comm.WriteString("half"));
  auto sent = board.Receive(4, 2000);
  EXPECT_EQ(std::string(sent.begin(), sent.end()), "half");
}

TEST(CommX, OpenFailuresRaiseTheirMessagesAndLeaveThePortAsItWas) {
  PtyBoard board;
  TCommX comm;
  comm.SetDevicePath(board.SlavePath());
  comm.SetFlowCtrl(cfcNone);
  comm.Open();
  int handle = comm.Handle();
  EXPECT_EQ(OpenError(comm), "The port is already open");
  EXPECT_EQ(comm.Handle(), handle);
  EXPECT_TRUE(comm.WriteString("ok"));
  auto sent = board.Receive(2, 2000);
  EXPECT_EQ(std::string(sent.begin(), sent.end()), "ok");

  // Not shared: a second component cannot open the same device until the first closes it.
  TCommX other;
  other.SetDevicePath(board.SlavePath());
  EXPECT_EQ(OpenError(other),
            "Could not open the port: the port is busy (another program is using it)");
  EXPECT_FALSE(other.IsOpen());
  comm.Close();
  EXPECT_EQ(OpenError(other), "");
  EXPECT_TRUE(other.IsOpen());
  other.Close();

  TCommX missing;
  missing.SetDevicePath("/dev/brv3-no-such-device");
  EXPECT_EQ(OpenError(missing), "Could not open the port: no such device");
  EXPECT_FALSE(missing.IsOpen());

  test::TempDir dir;
  test::WriteFile(dir.File("plain"), "not a terminal");
  TCommX plain;
  plain.SetDevicePath(dir.File("plain"));
  EXPECT_EQ(OpenError(plain), "Could not open the port: not a serial device");
  EXPECT_FALSE(plain.IsOpen());

  // A setting the line cannot take fails the open, and the port is closed again.
  TCommX badRate;
  badRate.SetDevicePath(board.SlavePath());
  badRate.SetBitRate(12345);
  EXPECT_EQ(OpenError(badRate), "An error occurred while setting the bit rate");
  EXPECT_FALSE(badRate.IsOpen());
  badRate.SetBitRate(115200);
  badRate.SetBufLenTrans(0);
  EXPECT_EQ(OpenError(badRate), "Could not prepare the buffers of the port");
  badRate.SetBufLenTrans(2048);
  EXPECT_EQ(OpenError(badRate), "");
}

TEST(CommX, LineSettingsRecordTakesEveryMember) {
  termios line{};
  MakeRawLine(line);
  EXPECT_TRUE(SetLineCharSize(line, 7));
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
  EXPECT_FALSE(SetLineCharSize(line, 9));
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
  EXPECT_TRUE(SetLineParity(line, cpbOdd));
  EXPECT_EQ(line.c_cflag & (PARENB | PARODD), static_cast<tcflag_t>(PARENB | PARODD));
  EXPECT_TRUE(SetLineParity(line, cpbEven));
  EXPECT_EQ(line.c_cflag & (PARENB | PARODD), static_cast<tcflag_t>(PARENB));
  EXPECT_FALSE(SetLineParity(line, static_cast<TCommParityBits>(3)));
  EXPECT_EQ(line.c_cflag & (PARENB | PARODD), static_cast<tcflag_t>(PARENB));
  EXPECT_TRUE(SetLineParity(line, cpbNone));
  EXPECT_EQ(line.c_cflag & PARENB, 0u);
  // Received bytes are passed on as they came, errors are counted rather than marked in-band.
  EXPECT_EQ(line.c_iflag & (INPCK | PARMRK | IGNPAR), 0u);
  EXPECT_TRUE(SetLineStopBits(line, csb1p5));
  EXPECT_TRUE(line.c_cflag & CSTOPB);
  EXPECT_FALSE(SetLineBitRate(line, 0));
  EXPECT_TRUE(SetLineBitRate(line, 9600));
  EXPECT_EQ(cfgetispeed(&line), B9600);
  EXPECT_FALSE(SetLineFlowControl(line, static_cast<TCommFlowCtrls>(6)));
  EXPECT_FALSE(IdleRts(cfcHalfHigh));
  EXPECT_TRUE(IdleRts(cfcHalfLow));
}

TEST(CommX, PortNoOpensTheResolvedDeviceAndReopensWhenChangedWhileOpen) {
  PtyBoard first;
  PtyBoard second;
  setenv("BRV3_COM7", first.SlavePath().c_str(), 1);
  setenv("BRV3_COM8", second.SlavePath().c_str(), 1);
  TCommX comm;
  comm.SetFlowCtrl(cfcNone);
  comm.SetPortNo(7);
  EXPECT_FALSE(comm.IsOpen());
  comm.Open();
  EXPECT_TRUE(comm.WriteString("one"));
  EXPECT_EQ(first.Receive(3, 2000).size(), 3u);
  comm.SetPortNo(8);
  EXPECT_TRUE(comm.IsOpen());
  EXPECT_TRUE(comm.WriteString("two"));
  auto sent = second.Receive(3, 2000);
  EXPECT_EQ(std::string(sent.begin(), sent.end()), "two");
  EXPECT_TRUE(first.Receive(1, 50).empty());
  comm.Close();
  unsetenv("BRV3_COM7");
  unsetenv("BRV3_COM8");
}

TEST(CommX, OpenFailuresKeepTheTextAndNameTheReason) {
  const std::string text = "Could not open the port: ";
  EXPECT_EQ(CannotOpenMessage(EBUSY), text + "the port is busy (another program is using it)");
  EXPECT_EQ(CannotOpenMessage(ENXIO), text + "no such device");
  EXPECT_EQ(CannotOpenMessage(ENODEV), text + "no such device");
  for (int error : {EACCES, EPERM}) {
    const std::string message = CannotOpenMessage(error);
    EXPECT_EQ(message.rfind(text + "permission denied", 0), 0u) << message;
    EXPECT_NE(message.find("dialout"), std::string::npos) << message;
  }
  // Any other error still says what the system said.
  EXPECT_EQ(CannotOpenMessage(EIO), text + std::generic_category().message(EIO));

  // A device this user may not open (only where the user is not allowed everything).
  if (geteuid() != 0) {
    PtyBoard board;
    ASSERT_EQ(chmod(board.SlavePath().c_str(), 0), 0);
    TCommX locked;
    locked.SetDevicePath(board.SlavePath());
    EXPECT_NE(OpenError(locked).find("permission denied: " + board.SlavePath()), std::string::npos);
  }
}

// In Japanese the port's failures read as the board's makers wrote them.
TEST(CommX, OpenFailuresComeFromTheCatalogue) {
  test::StubTranslator translator({
      {{"CommX", "The port is already open"}, "ポートは、すでにオープンされています"},
      {{"CommX", "Could not open the port: %1"}, "ポートをオープンできませんでした: %1"},
      {{"CommX", "no such device"}, "デバイスがありません"},
      {{"CommX", "An error occurred while setting the bit rate"},
       "通信速度の設定でエラーが発生しました"},
  });
  EXPECT_EQ(CannotOpenMessage(ENODEV), "ポートをオープンできませんでした: デバイスがありません");

  PtyBoard board;
  TCommX comm;
  comm.SetDevicePath(board.SlavePath());
  comm.SetFlowCtrl(cfcNone);
  comm.Open();
  EXPECT_EQ(OpenError(comm), "ポートは、すでにオープンされています");
  comm.Close();
  comm.SetBitRate(12345);
  EXPECT_EQ(OpenError(comm), "通信速度の設定でエラーが発生しました");

  EXPECT_FALSE(comm.IsOpen());
}

TEST(CommX, ClosingALineWithoutModemControlDoesNotWaitForDtrToSettle) {
  PtyBoard board;
  TCommX comm;
  comm.SetDevicePath(board.SlavePath());
  comm.SetFlowCtrl(cfcNone);
  comm.Open();
  // A pseudo-terminal has no DTR to lower.
  EXPECT_FALSE(SetModemLine(comm.Handle(), TIOCM_DTR, false));
  const auto start = test::Clock::now();
  comm.Close();
  // Waiting for DTR alone would take 100 ms.
  EXPECT_LT(test::MsSince(start), 100);
  EXPECT_FALSE(comm.IsOpen());
}

}  // namespace
}  // namespace brv3::platform
