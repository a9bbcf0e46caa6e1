#include "runtime/tQN_Application.h"

#include <unistd.h>

#include <stdexcept>

#include "runtime/CommandLine.h"
#include "runtime/FieldFormat.h"
#include "runtime/Paths.h"
#include "runtime/Text.h"
#include "runtime/VersionHistory.h"

namespace {

// Replaces each "%s" by the next value and "%%" by "%"; a "%s" without a value stays.
std::string FormatWithValues(std::string_view text, const std::vector<std::string>& values) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
      out += '%';
      ++i;
    } else if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's' && next < values.size()) {
      out += values[next++];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

tQN_ApplicationEnvironment tQN_ApplicationEnvironment::FromProcess() {
  return {GetAppName(), GetLogRoot(), GetCommandLineParams(), LoadVersionHistoryString};
}

tQN_Application::tQN_Application() : tQN_Application(tQN_ApplicationEnvironment::FromProcess()) {}

tQN_Application::tQN_Application(tQN_ApplicationEnvironment aEnvironment)
    : fAppName(std::move(aEnvironment.AppName)), fLogRoot(std::move(aEnvironment.LogRoot)) {
  try {
    fLogger = std::make_unique<tQN_LogWriter>(fAppName, LogFilesDirectory(), 0, false);
  } catch (const std::exception& e) {
    fLogError = e.what();  // the host keeps running; commands that need the folder report this
  }
  fIsBatch = !GetParamValue("/BATCH", true, aEnvironment.Params).empty();
  fIsDebug = !GetParamValue("/DEBUG", true, aEnvironment.Params).empty();
  fInfo.Load(aEnvironment.Strings);
}

std::string tQN_Application::LogFilesDirectory() const { return JoinPath(fLogRoot, "LogFiles"); }

void tQN_Application::Log(tQN_MessageType aEntryType, std::string_view aMessage) {
  if (aEntryType == let_error) fLastError = aMessage;
  if (fLogger) fLogger->Write(aEntryType, aMessage);
}

std::string tQN_Application::GetLogDirectory() const { return fLogger ? fLogger->Directory() : ""; }

std::string tQN_Application::GetLogFileName() const { return fLogger ? fLogger->FileName() : ""; }

void tQN_Application::ChangeLogDirectory(const std::string& aNewDir) {
  std::string directory = aNewDir.starts_with('/') ? aNewDir : JoinPath(LogFilesDirectory(), aNewDir);
  if (fLogger) {
    fLogger->SetDirectory(directory);
  } else {
    fLogger = std::make_unique<tQN_LogWriter>(fAppName, directory, 0, false);
    fLogError.clear();
  }
}

std::string tQN_Application::GetMessage(std::string_view aMessageId,
                                        const std::vector<std::string>& aValues) const {
  const std::string id(aMessageId);
  auto found = fMessages.find(id + "." + fLanguage);
  if (found == fMessages.end()) found = fMessages.find(id + "." + fDefaultLanguage);
  std::string text = found != fMessages.end() ? found->second : "Message " + id + " not found";
  return FormatWithValues(text, aValues);
}

void tQN_Application::LoadMessages(std::string_view aText) {
  for (const std::string& line : SplitLines(aText)) {
    fMessages[ExtractToken(line, 1, ':')] = ExtractToken(line, 2, ':');
  }
}

void tQN_Application::StartTimer() { fTimers.push_back(DateTime::Now()); }

int64_t tQN_Application::StopTimer() {
  if (fTimers.empty()) throw std::runtime_error("No timer started");
  DateTime started = fTimers.back();
  fTimers.pop_back();
  return TimeOfDayMs(DateTime::Now()) - TimeOfDayMs(started);
}

// In the log root when it is writable, else in /tmp, so that every instance of the
// same program finds the same file.
std::string tQN_Application::InstanceLockPath() const {
  bool rootUsable = !fLogRoot.empty() && access(fLogRoot.c_str(), W_OK) == 0;
  return JoinPath(rootUsable ? fLogRoot : "/tmp", fAppName + ".lock");
}

void tQN_Application::SetSingleInstance(bool aValue) {
  if (aValue == SingleInstance()) return;
  if (!aValue) {
    fInstanceLock.reset();
    return;
  }
  auto lock = std::make_unique<tQN_InstanceLock>(InstanceLockPath());
  if (lock->Held()) {
    fInstanceLock = std::move(lock);
  } else {
    ShowAppMessage(let_error, "Impossible to enter single instance mode.");
  }
}

void tQN_Application::ShowAppMessage(tQN_MessageType, std::string_view aText) { Log(let_error, aText); }
