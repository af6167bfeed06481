#pragma once

#include <termios.h>

#include "platform/CommTypes.h"

namespace brv3::platform {

// Raw mode: no line editing, no echo, no character translation, breaks ignored (they are counted
// by the driver and reported as events instead of turning into bytes), reads non-blocking.
void MakeRawLine(termios& settings);

// Each returns false when the value cannot be expressed, leaving `settings` unchanged.
bool SetLineBitRate(termios& settings, int bitRate);
bool SetLineCharSize(termios& settings, int charSize);
bool SetLineParity(termios& settings, TCommParityBits parity);
// 1.5 stop bits has no termios form and becomes 2.
bool SetLineStopBits(termios& settings, TCommStopBits stopBits);
bool SetLineFlowControl(termios& settings, TCommFlowCtrls flow);
void SetLineXonXoffChars(termios& settings, char xonChar, char xoffChar);

// Whether DTR and RTS are raised while idle under `flow`.
bool IdleDtr(TCommFlowCtrls flow);
bool IdleRts(TCommFlowCtrls flow);
bool IsHalfDuplex(TCommFlowCtrls flow);

// Time of one character (start, 8 data, stop bits) in whole ms, plus one.
int CharTimeMs(int bitRate);

// Raises or lowers a modem line (TIOCM_RTS, TIOCM_DTR). Devices without modem lines (a pty)
// refuse the request; that is not an error, but it returns false.
bool SetModemLine(int fd, int line, bool on);

}  // namespace brv3::platform
