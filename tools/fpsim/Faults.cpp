#include "Faults.h"

#include "Frame.h"


namespace {

// Uses one from the counter when it is armed.
bool Take(int& remaining) {
  if (remaining <= 0) return false;
  --remaining;
  return true;
}


bool IsLinkControl(char c) {
  return c == Control::kStx || c == Control::kEtx || c == Control::kAck || c == Control::kNak ||
         c == Control::kWait;
}

}  // namespace

void Faults::ReplyCode(const std::string& command, int replies, const std::string& code) {
  fReplyCodes[command] = CodeFault{replies, code};
}

void Faults::Error(const std::string& command, int error, int times) {
  fErrors[command] = CodeFault{times, std::to_string(error)};
}

void Faults::Clear() {
  fNak = fSilence = fLose = 0;
  fWaitReplies = fWaitCount = 0;
  fGarbageReplies = fGarbageBytes = 0;
  fReplyCodes.clear();
  fErrors.clear();
  fChaos = 0;
  fBaud = 0;
}

FaultDecision Faults::Next(const std::string& command) {
  FaultDecision decision;
  if (Take(fSilence)) {
    decision.action = FaultDecision::Action::Silence;
    return decision;
  }
  if (Take(fNak)) {
    decision.action = FaultDecision::Action::Nak;
    return decision;
  }
  const auto takeFor = [&command](std::map<std::string, CodeFault>& faults) -> std::string {
    for (const std::string& key : {command, std::string("*")}) {
      const auto found = faults.find(key);
      if (found != faults.end() && Take(found->second.remaining)) return found->second.value;
    }
    return {};
  };
  if (const std::string error = takeFor(fErrors); !error.empty()) decision.error = std::stoi(error);
  decision.replyCode = takeFor(fReplyCodes);
  if (Take(fWaitReplies)) decision.waits = fWaitCount;
  if (Take(fGarbageReplies)) decision.garbage = fGarbageBytes;
  decision.loseReply = Take(fLose);
  if (fChaos > 0 && fRandom() % 1000000 < fChaos) AddChaos(decision);
  return decision;
}

void Faults::AddChaos(FaultDecision& decision) {
  switch (fRandom() % 5) {
    case 0: decision.action = FaultDecision::Action::Nak; break;
    case 1: decision.action = FaultDecision::Action::Silence; break;
    case 2: decision.waits += 1 + static_cast<int>(fRandom() % 3); break;
    case 3: decision.loseReply = true; break;
    default: decision.garbage += 1 + static_cast<int>(fRandom() % 8); break;
  }
}

std::string Faults::RandomBytes(int count) {
  std::string bytes;
  while (static_cast<int>(bytes.size()) < count) {
    const char c = static_cast<char>(fRandom() % 256);
    if (!IsLinkControl(c)) bytes += c;
  }
  return bytes;
}

std::string Faults::Describe() const {
  std::string text = "nak=" + std::to_string(fNak) + " silence=" + std::to_string(fSilence) +
                     " lose=" + std::to_string(fLose) + " wait=" + std::to_string(fWaitReplies) + "x" +
                     std::to_string(fWaitCount) + " garbage=" + std::to_string(fGarbageReplies) + "x" +
                     std::to_string(fGarbageBytes) + " chaos=" + std::to_string(fChaos) +
                     " baud=" + std::to_string(fBaud);
  for (const auto& [command, fault] : fErrors)
    if (fault.remaining > 0) text += " error:" + command + "=" + fault.value + "x" + std::to_string(fault.remaining);
  for (const auto& [command, fault] : fReplyCodes)
    if (fault.remaining > 0) text += " code:" + command + "=" + fault.value + "x" + std::to_string(fault.remaining);
  return text;
}
