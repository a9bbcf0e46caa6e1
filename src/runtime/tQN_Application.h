#pragma once
// The process-wide application object: the application log, the version information,
// a settings store, a message table, a stopwatch and the single-instance guard. The
// library creates one when it is loaded; the class itself keeps no global instance.
// Windows-only parts (tray icon, please-wait window, message boxes) have no Linux
// counterpart: messages for the user go to the application log.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/DateTime.h"
#include "runtime/tQN_ApplicationInfo.h"
#include "runtime/tQN_InstanceLock.h"
#include "runtime/tQN_LogWriter.h"
#include "runtime/tQN_Setup.h"

// What the application object takes from its process; tests pass their own.
struct tQN_ApplicationEnvironment {
  std::string AppName;               // names the log file and the single-instance lock
  std::string LogRoot;               // the log goes to LogRoot/LogFiles/AppName.log
  std::vector<std::string> Params;   // command-line parameters (/BATCH, /DEBUG)
  tQN_StringSource Strings;          // the version-history table

  // GetAppName(), GetLogRoot(), the real command line and the library's own history.
  static tQN_ApplicationEnvironment FromProcess();
};

class tQN_Application {
public:
  tQN_Application();
  // A LogFiles folder that cannot be created leaves the object without a log (see
  // LogError); a version table with an invalid release date throws std::runtime_error.
  explicit tQN_Application(tQN_ApplicationEnvironment aEnvironment);
  tQN_Application(const tQN_Application&) = delete;
  tQN_Application& operator=(const tQN_Application&) = delete;

  // let_error entries are remembered in LastError first. Without a log only that happens.
  void Log(tQN_MessageType aEntryType, std::string_view aMessage);
  const std::string& LastError() const { return fLastError; }
  // Why the application log could not be created; empty while there is a log.
  const std::string& LogError() const { return fLogError; }
  // The log's directory and file path; empty without a log.
  std::string GetLogDirectory() const;
  std::string GetLogFileName() const;
  // A relative aNewDir is taken below LogRoot/LogFiles, an absolute one as it is. Creates
  // the folder; throws std::runtime_error when it cannot be created (the log stays put).
  void ChangeLogDirectory(const std::string& aNewDir);

  // The text of aMessageId in Language, else DefaultLanguage, else "Message <id> not
  // found"; each "%s" is replaced by the next value ("%%" gives "%").
  std::string GetMessage(std::string_view aMessageId, const std::vector<std::string>& aValues = {}) const;
  // Adds "key:text" lines (key as "<id>.<language>") to the message table.
  void LoadMessages(std::string_view aText);
  const std::string& Language() const { return fLanguage; }
  void SetLanguage(std::string aLanguage) { fLanguage = std::move(aLanguage); }
  const std::string& DefaultLanguage() const { return fDefaultLanguage; }
  void SetDefaultLanguage(std::string aLanguage) { fDefaultLanguage = std::move(aLanguage); }

  // Stopwatch: StopTimer pops the latest start and returns the elapsed milliseconds,
  // both ends taken as milliseconds since midnight. Throws when no timer runs.
  void StartTimer();
  int64_t StopTimer();
  size_t GetTimerCount() const { return fTimers.size(); }

  // Switching on takes a lock named after the application; when another process holds
  // it, "Impossible to enter single instance mode." is shown and the guard stays off.
  bool SingleInstance() const { return fInstanceLock != nullptr; }
  void SetSingleInstance(bool aValue);

  // Without a desktop every message for the user is logged as an error.
  void ShowAppMessage(tQN_MessageType aType, std::string_view aText);

  bool IsBatch() const { return fIsBatch; }
  bool IsDebug() const { return fIsDebug; }
  tQN_Setup& Setup() { return fSetup; }
  const tQN_ApplicationInfo& Info() const { return fInfo; }
  const std::string& AppName() const { return fAppName; }

private:
  std::string LogFilesDirectory() const;
  std::string InstanceLockPath() const;

  std::string fAppName;
  std::string fLogRoot;
  tQN_Setup fSetup;
  std::unique_ptr<tQN_LogWriter> fLogger;
  std::string fLogError;
  std::string fLastError;
  bool fIsBatch = false;
  bool fIsDebug = false;
  std::unique_ptr<tQN_InstanceLock> fInstanceLock;
  std::string fDefaultLanguage;
  std::string fLanguage;
  std::map<std::string, std::string> fMessages;
  tQN_ApplicationInfo fInfo;
  std::vector<DateTime> fTimers;
};
