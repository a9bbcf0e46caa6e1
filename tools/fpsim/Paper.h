#pragma once
// The paper roll: what the printer prints, rendered as text for a person to read,
// 40 or 46 columns wide, on standard output or appended to a file.

#include "Printer.h"

#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

class Paper : public PaperSink {
public:
  // Prints to the given stream (standard output in the program), which must outlive the paper.
  explicit Paper(std::ostream& out);
  // Appends to the file; throws std::runtime_error when it cannot be opened.
  explicit Paper(const std::string& path);
  Paper(const Paper&) = delete;
  Paper& operator=(const Paper&) = delete;

  void SetWidth(int columns) { fWidth = columns; }
  // Takes the width from the printer at every line (its columns parameter may change).
  void FollowWidth(std::function<int()> columns) { fColumns = std::move(columns); }
  int Width() const { return fColumns ? fColumns() : fWidth; }

  // One printed line: protocol bytes, cut to the width. Size codes 3 and 4 print
  // double width (each character followed by a blank, half as many characters);
  // 1 and 2 print as they are. The byte 0x7F (the printer's empty line) prints as a
  // blank, other bytes above 0x7F as the Latin-1 characters they are.
  void PrintLine(std::string_view text, int size) override;
  // The tear-off line after a document.
  void Cut() override;

private:
  void Write(const std::string& rendered);

  std::ofstream fFile;
  std::ostream& fOut;
  int fWidth = 40;
  std::function<int()> fColumns;
};

// The text of one printed line as Paper shows it, without trailing blanks (UTF-8).
std::string RenderPrintedLine(std::string_view text, int size, int width);
