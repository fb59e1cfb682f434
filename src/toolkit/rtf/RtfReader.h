#pragma once

// Reads rich text (RTF, as word processors and people write it) into a
// TRtfDocument. Data that does not begin with "{\rtf" is plain text. Reading never
// fails: unknown or broken parts are skipped, and any byte sequence gives a
// document.

#include <string_view>

#include "toolkit/rtf/RtfDocument.h"

class TRtfReader {
public:
  // True when data begins with "{\rtf", the mark of rich text.
  static bool IsRtf(std::string_view data);
  // Rich text, or plain text when IsRtf is false.
  static TRtfDocument Read(std::string_view data);
  // Plain text: one paragraph per line (CR LF, LF or CR ends a line; a final line
  // end adds no empty paragraph). The bytes are UTF-8 when the data starts with
  // the UTF-8 byte order mark or is well-formed UTF-8 beyond ASCII (text editors
  // write that), else Windows-1252, the program's code page.
  static TRtfDocument ReadPlainText(std::string_view data);
};
