#pragma once
// Faults the link injects on request: each kind is armed for a number of frames
// and used up frame by frame. Chaos mode picks faults at random from a seeded
// generator, so the same seed and the same traffic give the same faults.

#include <cstdint>
#include <map>
#include <random>
#include <string>

// What the link does with one well-formed frame.
struct FaultDecision {
  enum class Action { Answer, Nak, Silence } action = Action::Answer;
  int waits = 0;           // WAIT bytes before the reply
  bool loseReply = false;  // run the command, send ACK, drop the reply
  int garbage = 0;         // random bytes before the ACK
  std::string replyCode;   // replaces the reply code of an ordinary reply when not empty
  int error = 0;           // answer with this printer error instead of running the command
};

class Faults {
public:
  explicit Faults(uint32_t seed) : fRandom(seed) {}

  void Seed(uint32_t seed) { fRandom.seed(seed); }
  void Nak(int frames) { fNak = frames; }
  void Wait(int replies, int count) { fWaitReplies = replies; fWaitCount = count; }
  void Silence(int frames) { fSilence = frames; }
  void Lose(int replies) { fLose = replies; }
  void Garbage(int replies, int bytes) { fGarbageReplies = replies; fGarbageBytes = bytes; }
  void ReplyCode(const std::string& command, int replies, const std::string& code);
  void Error(const std::string& command, int error, int times);
  // Probability in millionths that a frame meets a random fault; 0 turns chaos off.
  void Chaos(uint32_t perMillion) { fChaos = perMillion; }
  void Baud(int baud) { fBaud = baud; }
  void Clear();

  // Line speed for paced output; 0 sends at full speed.
  int Baud() const { return fBaud; }
  // Decides, and uses up, the faults for the next frame with this command code.
  FaultDecision Next(const std::string& command);
  // Bytes that are none of the control characters of the link.
  std::string RandomBytes(int count);
  // One line describing the armed faults.
  std::string Describe() const;

private:
  struct CodeFault {
    int remaining = 0;
    std::string value;
  };

  void AddChaos(FaultDecision& decision);

  std::mt19937 fRandom;
  int fNak = 0, fSilence = 0, fLose = 0;
  int fWaitReplies = 0, fWaitCount = 0;
  int fGarbageReplies = 0, fGarbageBytes = 0;
  std::map<std::string, CodeFault> fReplyCodes;  // by command code, "*" for every command
  std::map<std::string, CodeFault> fErrors;      // by command code, "*" for every command
  uint32_t fChaos = 0;
  int fBaud = 0;
};
