#include "toolkit/rtf/RtfDocument.h"

std::string TRtfDocument::PlainText() const {
  std::string text;
  for (const TRtfParagraph& paragraph : Paragraphs) {
    for (const TRtfRun& run : paragraph.Runs) text += run.Text;
    text += '\n';
  }
  return text;
}
