#include "sim/PtyHost.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "core/util/SafeFile.h"
#include "sim/StateFile.h"

namespace brv3::sim {
namespace {

constexpr Nanos kIdlePoll = 200 * kMillisecond;
constexpr Nanos kBatch = kMillisecond;
constexpr Nanos kSaveQuiet = 20 * kMillisecond;
// With baud pacing, the last stretch before a paced byte is due is busy-waited: a timed sleep
// wakes tens of microseconds late, a large share of a 87 us byte time.
constexpr Nanos kSpin = 50'000;
constexpr Nanos kSaveAtLatest = 500 * kMillisecond;
constexpr size_t kMaxCommandLine = 256;

int64_t MonotonicNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool MakeRaw(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  cfsetispeed(&tio, B115200);
  cfsetospeed(&tio, B115200);
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

std::string Errno(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

PtyHost::PtyHost(HostOptions options) : options_(std::move(options)) {}

PtyHost::~PtyHost() {
  Shutdown();
}

bool PtyHost::Start(std::string* error) {
  FlashMemory flash = FlashMemory::Defaults();
  if (!options_.statePath.empty()) {
    auto loaded = LoadStateFile(options_.statePath, error);
    if (!loaded) return false;
    flash = *loaded;
    if (!CanWriteFile(options_.statePath)) {
      *error = options_.statePath + ": cannot be written";
      return false;
    }
  }
  // Paced output wants wake-ups close to the byte times asked for.
  prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
  startNs_ = MonotonicNs();
  EngineOptions engineOptions;
  engineOptions.pacing = options_.baudPacing;
  engine_ = std::make_unique<Engine>(std::make_unique<Board>(flash, 0), engineOptions);
  engine_->SetFaults(options_.faults);
  if (!options_.tracePath.empty() && !trace_.Open(options_.tracePath, error)) return false;

  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) {
    *error = Errno("posix_openpt");
    return false;
  }
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    *error = Errno("grantpt/unlockpt");
    return false;
  }
  const char* name = ptsname(master_);
  if (!name) {
    *error = Errno("ptsname");
    return false;
  }
  slavePath_ = name;
  slave_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (slave_ < 0) {
    *error = Errno("open " + slavePath_);
    return false;
  }
  MakeRaw(slave_);
  MakeRaw(master_);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

  if (!options_.linkPath.empty()) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path link(options_.linkPath);
    if (fs::is_symlink(fs::symlink_status(link, ec))) {
      fs::remove(link, ec);
    } else if (fs::exists(fs::symlink_status(link, ec))) {
      *error = options_.linkPath + " exists and is not a symbolic link";
      return false;
    }
    fs::create_symlink(slavePath_, link, ec);
    if (ec) {
      *error = options_.linkPath + ": " + ec.message();
      return false;
    }
    linkMade_ = true;
  }
  if (options_.commands) fcntl(0, F_SETFL, fcntl(0, F_GETFL) | O_NONBLOCK);
  stdinOpen_ = options_.commands;
  return true;
}

int PtyHost::UnreadBytes() const {
  int count = 0;
  if (slave_ < 0 || ioctl(slave_, FIONREAD, &count) != 0) return 0;
  return count;
}

Nanos PtyHost::Elapsed() const {
  return MonotonicNs() - startNs_;
}

int PtyHost::Run(const volatile std::sig_atomic_t& stop) {
  while (!stop) {
    Nanos now = Elapsed();
    FeedDue(now);
    engine_->AdvanceTo(now);
    WriteOutput(now);
    SaveIfDue(now, false);
    if (engine_->Disconnected() && engine_->NextOutputTime() < 0 && input_.empty()) {
      // Closing the master drops what the client has not read yet; give it a moment.
      // The pty moves written bytes to the client's side a little later, hence the first pause.
      usleep(50000);
      for (int i = 0; i < 100 && UnreadBytes() > 0; ++i) usleep(10000);
      std::cerr << "qvb3-sim: disconnected after " << engine_->FramesReceived() << " frames\n";
      Shutdown();
      return 0;
    }

    // Paced bytes are handled in batches of up to a millisecond (waking for each byte time
    // would cost more in wake-up latency than it gains), always waking for the last one.
    Nanos wait = kIdlePoll;
    if (!input_.empty()) {
      wait = std::min(wait, std::min(input_.back().time, input_.front().time + kBatch) - now);
    }
    if (engine_->NextOutputTime() >= 0) {
      const Nanos batchEnd =
          std::min(engine_->LastOutputTime(), engine_->NextOutputTime() + kBatch);
      wait = std::min(wait, batchEnd - now);
    }
    if (engine_->board().Playing() ||
        (engine_->board().Working().modeWord & (kModeAnalogReport | kModeReceiverReport))) {
      wait = std::min(wait, kTick);
    }
    if (dirtySince_ >= 0) wait = std::min(wait, kSaveQuiet);
    wait = std::max<Nanos>(wait, 0);
    const bool pacedByteDue = !input_.empty() || engine_->NextOutputTime() >= 0;
    if (options_.baudPacing && pacedByteDue) wait = wait <= kSpin ? 0 : wait - kSpin;
    const timespec timeout{static_cast<time_t>(wait / 1'000'000'000),
                           static_cast<long>(wait % 1'000'000'000)};

    pollfd fds[2] = {{master_, POLLIN, 0}, {0, POLLIN, 0}};
    const nfds_t count = stdinOpen_ ? 2 : 1;
    const int ready = ppoll(fds, count, &timeout, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;
      std::cerr << "qvb3-sim: " << Errno("poll") << "\n";
      return 1;
    }
    now = Elapsed();
    if (fds[0].revents & POLLIN) {
      ReadInput(now);
    } else if (fds[0].revents & (POLLHUP | POLLERR)) {
      // Cannot normally happen while the host holds the slave; avoid spinning if it does.
      usleep(10000);
    }
    if (stdinOpen_ && (fds[1].revents & (POLLIN | POLLHUP))) ReadCommands(now);
  }
  SaveIfDue(Elapsed(), true);
  Shutdown();
  return 0;
}

void PtyHost::ReadInput(Nanos now) {
  uint8_t buffer[4096];
  const ssize_t n = read(master_, buffer, sizeof buffer);
  if (n <= 0) return;
  trace_.Write(static_cast<double>(now) / 1e9, '>', buffer, static_cast<size_t>(n));
  lastInput_ = now;
  for (ssize_t i = 0; i < n; ++i) {
    if (options_.baudPacing) {
      // Each byte reaches the board one byte time after the one before it.
      lastArrival_ = std::max(lastArrival_, now) + kByteTimeNs;
      input_.push_back({lastArrival_, buffer[i]});
    } else {
      input_.push_back({now, buffer[i]});
    }
  }
  FeedDue(now);
}

void PtyHost::FeedDue(Nanos now) {
  while (!input_.empty() && input_.front().time <= now) {
    const InByte in = input_.front();
    input_.pop_front();
    engine_->AdvanceTo(in.time);
    engine_->Receive(&in.value, 1);
  }
  if (engine_->board().FlashChanged()) {
    engine_->board().ClearFlashChanged();
    if (dirtySince_ < 0) dirtySince_ = now;
  }
}

void PtyHost::WriteOutput(Nanos now) {
  const Bytes out = engine_->TakeOutput(now);
  if (out.empty() || master_ < 0) return;
  size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = write(master_, out.data() + done, out.size() - done);
    if (n < 0 && errno == EINTR) continue;
    // A full pty buffer means nobody is reading: the bytes are lost, as on a line with no
    // listener.
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  trace_.Write(static_cast<double>(now) / 1e9, '<', out.data(), done);
}

void PtyHost::ReadCommands(Nanos now) {
  char buffer[512];
  const ssize_t n = read(0, buffer, sizeof buffer);
  if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
    stdinOpen_ = false;
    return;
  }
  if (n < 0) return;
  commandBuffer_.append(buffer, static_cast<size_t>(n));
  size_t eol;
  while ((eol = commandBuffer_.find('\n')) != std::string::npos) {
    if (!skippingLongLine_) HandleCommand(commandBuffer_.substr(0, eol), now);
    skippingLongLine_ = false;
    commandBuffer_.erase(0, eol + 1);
  }
  // No command is this long: the rest of such a line is dropped up to its end, so that input
  // without line ends cannot fill the memory.
  if (commandBuffer_.size() > kMaxCommandLine) {
    if (!skippingLongLine_)
      std::cerr << "qvb3-sim: a command line longer than " << kMaxCommandLine
                << " bytes is ignored\n";
    skippingLongLine_ = true;
    commandBuffer_.clear();
  }
}

void PtyHost::HandleCommand(const std::string& line, Nanos now) {
  std::istringstream in(line);
  std::string verb;
  in >> verb;
  if (verb.empty()) return;
  long values[5] = {0, 0, 0, 0, 0};
  int count = 0;
  while (count < 5 && in >> values[count]) ++count;
  const bool trailing = !in.eof();
  auto inRange = [&](int from, int to, long min, long max) {
    for (int i = from; i < to; ++i) {
      if (values[i] < min || values[i] > max) return false;
    }
    return true;
  };
  engine_->AdvanceTo(now);
  if (verb == "remote" && !trailing && (count == 1 || count == 5) && inRange(0, 1, 0, 65535) &&
      inRange(1, count, 0, 255)) {
    std::array<uint8_t, 4> t{};
    for (int i = 1; i < count; ++i) t[i - 1] = static_cast<uint8_t>(values[i]);
    engine_->board().InjectRemote(static_cast<uint16_t>(values[0]), t, now);
  } else if (verb == "analog" && !trailing && count == 4 && inRange(0, 4, 0, 16383)) {
    engine_->board().SetAnalogValues(
        {static_cast<uint16_t>(values[0]), static_cast<uint16_t>(values[1]),
         static_cast<uint16_t>(values[2]), static_cast<uint16_t>(values[3])});
  } else if (verb == "move" && !trailing && count == 2 && inRange(0, 1, 1, kChannels) &&
             inRange(1, 2, 1, 0x7FFF)) {
    if (!engine_->board().MoveFreeServo(static_cast<int>(values[0]) - 1,
                                        static_cast<uint16_t>(values[1]), now)) {
      std::cerr << "qvb3-sim: servo " << values[0]
                << " is held, not free: only a free servo can be moved by hand\n";
      return;
    }
  } else {
    std::cerr << "qvb3-sim: cannot use the command '" << line
              << "' (use: remote CODE [T1 T2 T3 T4] | analog SUPPLY AD1 AD2 AD3 | move CH VALUE; "
                 "CODE 0..65535, T 0..255, SUPPLY and AD 0..16383, CH 1..24, VALUE 1..32767)\n";
    return;
  }
  engine_->Receive(nullptr, 0);
}

void PtyHost::SaveIfDue(Nanos now, bool force) {
  if (dirtySince_ < 0 || options_.statePath.empty()) {
    dirtySince_ = -1;
    return;
  }
  if (!force && now - lastInput_ < kSaveQuiet && now - dirtySince_ < kSaveAtLatest) return;
  std::string error;
  if (!SaveStateFile(options_.statePath, engine_->board().Flash(), &error)) {
    std::cerr << "qvb3-sim: cannot save the state: " << error << "\n";
  }
  dirtySince_ = -1;
}

void PtyHost::Shutdown() {
  if (engine_ && dirtySince_ >= 0) SaveIfDue(Elapsed(), true);
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
  slave_ = master_ = -1;
  // The link goes last, so a client that sees it gone finds the port closed too.
  if (linkMade_) {
    std::error_code ec;
    namespace fs = std::filesystem;
    if (fs::read_symlink(options_.linkPath, ec) == fs::path(slavePath_)) {
      fs::remove(options_.linkPath, ec);
    }
    linkMade_ = false;
  }
}

}  // namespace brv3::sim
