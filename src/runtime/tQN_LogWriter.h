#pragma once
// Asynchronous trace-file writer: Write formats a line and queues it; one worker
// thread per writer appends queued lines to the file, rotating it past a size limit.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

enum tQN_MessageType : uint8_t { let_info = 0, let_error = 1 };

class tQN_LogWriter {
public:
  // aFileName without extension; the daily form appends "_yyyymmdd". Creates the
  // directory chain; throws std::runtime_error when the directory is empty or cannot be created.
  tQN_LogWriter(const std::string& aFileName, const std::string& aDirectory, int32_t aMaxMessageLength, bool aDaily);
  // Returns only after every queued line has been written (or dropped after its attempts).
  ~tQN_LogWriter();
  tQN_LogWriter(const tQN_LogWriter&) = delete;
  tQN_LogWriter& operator=(const tQN_LogWriter&) = delete;

  // Formats "yyyy-mm-dd hh:nn:ss:zzz - message" (" - ERROR - " for errors) and queues it.
  // Never touches the disk, never waits for it.
  void Write(tQN_MessageType aEntryType, std::string_view aMessage);

  std::string Directory() const;
  void SetDirectory(const std::string& aDirectory);
  std::string FileName() const;
  int32_t MaxMessageLength() const { return fMaxMessageLength; }
  bool Daily() const { return fDaily; }
  int32_t MaxLogFileSize() const { return fMaxLogfileSize; }
  void SetMaxLogFileSize(int32_t aKiB) { fMaxLogfileSize = aKiB; }

  // Size of the current file in bytes, -1 when it cannot be read.
  int64_t GetLogFileSize() const;
  bool CheckLogfileSize() const { return true; }

  // Waits until the queue is empty or the bound passes; true when empty. For callers
  // that must see the file complete (tests, shutdown of a device).
  bool WaitUntilWritten(std::chrono::milliseconds aBound) const;

private:
  void Run();
  void WriteToFile(const std::string& aLine);

  std::string fDirectory;
  int32_t fMaxMessageLength = 0;
  std::string fFileName;
  bool fDaily = false;
  std::atomic<int32_t> fMaxLogfileSize = 5000;  // read by the worker before every line
  int32_t fCounter = 0;
  bool fFileUnwritable = false;  // used by the worker thread only

  mutable std::mutex fMutex;
  mutable std::condition_variable fChanged;
  std::deque<std::string> fQueue;
  bool fTerminate = false;
  std::thread fThread;
};
