#pragma once
// Framing of the Epson native protocol: the control bytes, the request frame with
// its checksum, and the parts of a reply frame. Frames and replies are byte
// strings: one char per byte on the line.

#include <string>
#include <string_view>

namespace epson {

inline constexpr char STX = 0x02;
inline constexpr char ETX = 0x03;
inline constexpr char ACK = 0x06;
inline constexpr char NAK = 0x0F;  // this printer's "send again", not ASCII NAK
inline constexpr char WAIT = 0x11;

// Last two decimal digits of the sum of the byte values, zero-padded.
std::string CalcChecksum(std::string_view message);

// STX, the last two digits of the counter, "E", the four-digit command, the data,
// the checksum of everything between STX and the checksum, ETX.
std::string BuildFrame(int frameCounter, std::string_view command, std::string_view data);

// A whole reply frame: STX first, ETX last.
bool IsReplyFrame(std::string_view answer);
// The reply frame without its STX and ETX.
std::string_view ReplyPayload(std::string_view frame);

// Reply code and reply data: payload characters 4 to length - 2 (the trailing
// checksum and the three leading characters are dropped).
std::string FullResponseData(std::string_view payload);
// Reply data alone: payload characters 8 to length - 2.
std::string ResponseData(std::string_view payload);

// An error reply carries "ERR" at payload characters 4 to 6.
bool IsErrorReply(std::string_view payload);
// The two-digit error code at payload characters 9 and 10. Throws
// std::runtime_error when they are not a number.
int ErrorReplyCode(std::string_view payload);

// Characters from..to (1-based, inclusive) of a reply text; the part that exists
// when the text is shorter, empty when it does not reach `from`.
std::string ReplyField(std::string_view text, size_t from, size_t to);

}  // namespace epson
