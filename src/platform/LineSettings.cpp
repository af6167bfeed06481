#include "platform/LineSettings.h"

#include <sys/ioctl.h>

#include <iterator>

namespace brv3::platform {

namespace {

struct SpeedEntry {
  int bitRate;
  speed_t code;
};

constexpr SpeedEntry kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

}  // namespace

void MakeRawLine(termios& settings) {
  cfmakeraw(&settings);
  settings.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | PARMRK | IGNPAR | BRKINT);
  settings.c_iflag |= IGNBRK;
  settings.c_cflag |= CLOCAL | CREAD;
  // VMIN 1 makes a read with nothing waiting fail with EAGAIN on the non-blocking descriptor, so
  // a read of 0 bytes can only mean the line was hung up.
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
}

bool SetLineBitRate(termios& settings, int bitRate) {
  for (const auto& entry : kSpeeds) {
    if (entry.bitRate == bitRate) {
      cfsetispeed(&settings, entry.code);
      cfsetospeed(&settings, entry.code);
      return true;
    }
  }
  return false;
}

bool SetLineCharSize(termios& settings, int charSize) {
  tcflag_t bits;
  switch (charSize) {
    case 5:
      bits = CS5;
      break;
    case 6:
      bits = CS6;
      break;
    case 7:
      bits = CS7;
      break;
    case 8:
      bits = CS8;
      break;
    default:
      return false;
  }
  settings.c_cflag = (settings.c_cflag & ~CSIZE) | bits;
  return true;
}

bool SetLineParity(termios& settings, TCommParityBits parity) {
  // Parity is generated and counted by the driver, but a byte that fails the check is still
  // delivered as received (no INPCK), and the error is reported as a line error.
  switch (parity) {
    case cpbNone:
      settings.c_cflag &= ~(PARENB | PARODD);
      return true;
    case cpbOdd:
      settings.c_cflag |= PARENB | PARODD;
      return true;
    case cpbEven:
      settings.c_cflag = (settings.c_cflag & ~PARODD) | PARENB;
      return true;
  }
  return false;
}

bool SetLineStopBits(termios& settings, TCommStopBits stopBits) {
  switch (stopBits) {
    case csb1:
      settings.c_cflag &= ~CSTOPB;
      return true;
    case csb1p5:
    case csb2:
      settings.c_cflag |= CSTOPB;
      return true;
  }
  return false;
}

bool SetLineFlowControl(termios& settings, TCommFlowCtrls flow) {
  if (flow < cfcRtsCts || flow > cfcNone) return false;
  settings.c_cflag &= ~CRTSCTS;
  settings.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (flow == cfcRtsCts) settings.c_cflag |= CRTSCTS;
  if (flow == cfcXonXoff) settings.c_iflag |= IXON | IXOFF;
  // DTR/DSR handshaking has no termios form; the port runs without flow control then.
  return true;
}

void SetLineXonXoffChars(termios& settings, char xonChar, char xoffChar) {
  settings.c_cc[VSTART] = static_cast<cc_t>(xonChar);
  settings.c_cc[VSTOP] = static_cast<cc_t>(xoffChar);
}

bool IdleDtr(TCommFlowCtrls) {
  return true;
}

bool IdleRts(TCommFlowCtrls flow) {
  return flow != cfcHalfHigh;
}

bool IsHalfDuplex(TCommFlowCtrls flow) {
  return flow == cfcHalfHigh || flow == cfcHalfLow;
}

int CharTimeMs(int bitRate) {
  int charsPerSecond = bitRate / 10;
  if (charsPerSecond < 1) charsPerSecond = 1;
  return 1000 / charsPerSecond + 1;
}

bool SetModemLine(int fd, int line, bool on) {
  if (fd < 0) return false;
  int bits = line;
  return ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0;
}

}  // namespace brv3::platform
