#include "Paper.h"

#include <stdexcept>

namespace {

void AppendLatin1(std::string& out, unsigned char c) {
  if (c == 0x7F || c < 0x20) {
    out += ' ';
  } else if (c < 0x80) {
    out += static_cast<char>(c);
  } else {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string RenderPrintedLine(std::string_view text, int size, int width) {
  const bool doubleWidth = size == 3 || size == 4;
  const std::size_t characters = static_cast<std::size_t>(doubleWidth ? width / 2 : width);
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < characters; ++i) {
    AppendLatin1(out, static_cast<unsigned char>(text[i]));
    if (doubleWidth) out += ' ';
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

Paper::Paper(std::ostream& out) : fOut(out) {}

Paper::Paper(const std::string& path) : fFile(path, std::ios::app | std::ios::binary), fOut(fFile) {
  if (!fFile) throw std::runtime_error("Cannot open the paper file " + path);
}

void Paper::PrintLine(std::string_view text, int size) { Write(RenderPrintedLine(text, size, Width())); }

void Paper::Cut() {
  Write(std::string(static_cast<std::size_t>(Width()), '='));
  Write("");
}

void Paper::Write(const std::string& rendered) {
  fOut << rendered << '\n';
  fOut.flush();
}
