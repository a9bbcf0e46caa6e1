#include "runtime/tQN_LogWriter.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "runtime/DateTime.h"
#include "runtime/Paths.h"
#include "runtime/Text.h"

namespace {

constexpr int kWriteAttempts = 10;
constexpr std::chrono::milliseconds kRetryDelay(50);

std::string BareName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void CreateDirectoryChain(const std::string& directory) {
  if (directory.empty()) throw std::runtime_error("Log directory is empty");
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (!error && !std::filesystem::is_directory(directory, error)) {
    error = std::make_error_code(std::errc::not_a_directory);
  }
  if (error) {
    throw std::runtime_error("Cannot create log directory " + directory + ": " + error.message());
  }
}

// The name a file over the size limit is moved to: name without extension, "_", time stamp.
std::string RotatedName(const std::string& fileName) {
  std::filesystem::path stem(fileName);
  stem.replace_extension();
  return stem.string() + "_" + DateTime::Now().Format("yyyymmddhhnnsszzz") + ".log";
}

// One attempt: create the file if missing, append the line with CR LF, flush and close.
bool AppendLine(const std::string& fileName, const std::string& line) {
  std::ofstream file(fileName, std::ios::binary | std::ios::app);
  file << line << "\r\n";
  file.flush();
  file.close();
  return !file.fail();
}

}  // namespace

tQN_LogWriter::tQN_LogWriter(const std::string& aFileName, const std::string& aDirectory,
                             int32_t aMaxMessageLength, bool aDaily)
    : fMaxMessageLength(aMaxMessageLength), fDaily(aDaily) {
  fFileName = aFileName + (aDaily ? "_" + DateTime::Now().Format("yyyymmdd") : "") + ".log";
  SetDirectory(aDirectory);
  fThread = std::thread(&tQN_LogWriter::Run, this);
}

tQN_LogWriter::~tQN_LogWriter() {
  {
    std::lock_guard lock(fMutex);
    fTerminate = true;
  }
  fChanged.notify_all();
  fThread.join();
}

void tQN_LogWriter::Write(tQN_MessageType aEntryType, std::string_view aMessage) {
  std::string line = DateTime::Now().Format("yyyy-mm-dd hh:nn:ss:zzz");
  line += aEntryType == let_error ? " - ERROR - " : " - ";
  if (fMaxMessageLength > 0) aMessage = aMessage.substr(0, Utf8PrefixLength(aMessage, fMaxMessageLength));
  line += aMessage;
  {
    std::lock_guard lock(fMutex);
    if (fFileName.empty()) throw std::runtime_error("Log filename is empty ");
    fQueue.push_back(std::move(line));
  }
  fChanged.notify_all();
}

std::string tQN_LogWriter::Directory() const {
  std::lock_guard lock(fMutex);
  return fDirectory;
}

// The directory is created before it is taken over, so a failure leaves the writer
// where it was.
void tQN_LogWriter::SetDirectory(const std::string& aDirectory) {
  CreateDirectoryChain(aDirectory);
  std::lock_guard lock(fMutex);
  fDirectory = aDirectory;
  fFileName = JoinPath(aDirectory, BareName(fFileName));
}

std::string tQN_LogWriter::FileName() const {
  std::lock_guard lock(fMutex);
  return fFileName;
}

int64_t tQN_LogWriter::GetLogFileSize() const {
  std::error_code error;
  auto size = std::filesystem::file_size(FileName(), error);
  return error ? -1 : static_cast<int64_t>(size);
}

bool tQN_LogWriter::WaitUntilWritten(std::chrono::milliseconds aBound) const {
  std::unique_lock lock(fMutex);
  return fChanged.wait_for(lock, aBound, [this] { return fQueue.empty(); });
}

// Takes the head line, writes it without holding the lock and only then removes it,
// so an empty queue means every line has been written or given up. The reference
// stays valid while callers append: only this thread removes lines.
void tQN_LogWriter::Run() {
  std::unique_lock lock(fMutex);
  for (;;) {
    fChanged.wait(lock, [this] { return fTerminate || !fQueue.empty(); });
    if (fQueue.empty()) return;
    const std::string& line = fQueue.front();
    lock.unlock();
    try {
      WriteToFile(line);
    } catch (...) {
      // A line that cannot even be attempted is lost; logging never fails its host.
    }
    lock.lock();
    fQueue.pop_front();
    fChanged.notify_all();
  }
}

void tQN_LogWriter::WriteToFile(const std::string& aLine) {
  const std::string fileName = FileName();
  if (CheckLogfileSize() && GetLogFileSize() > int64_t(fMaxLogfileSize) * 1024) {
    std::error_code ignored;  // a failed move leaves the lines going to the big file
    std::filesystem::rename(fileName, RotatedName(fileName), ignored);
  }
  // A file that just swallowed a whole round of attempts gets one attempt per line
  // until it takes a line again: a full disk or a lost folder must not make every
  // queued line cost half a second, which would stall the writer's shutdown.
  const int attempts = fFileUnwritable ? 1 : kWriteAttempts;
  for (int attempt = 1; attempt <= attempts; ++attempt) {
    if (AppendLine(fileName, aLine)) {
      fFileUnwritable = false;
      return;
    }
    if (attempt < attempts) std::this_thread::sleep_for(kRetryDelay);
  }
  fFileUnwritable = true;
}
