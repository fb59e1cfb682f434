#pragma once

// Reads one whole text file (at most 50000 bytes) into a fixed buffer and hands
// out its lines in place, without allocating. A line ends at CR LF, at a lone LF
// or at a lone CR; a last line without a line end is still a line, and a file
// that ends with a line end yields no empty last line.

#include <cstdint>
#include <exception>
#include <string>

// The error the line reader raises: a message of at most 199 characters.
class ELineError : public std::exception {
public:
  explicit ELineError(const char* message);
  const char* what() const noexcept override { return message; }
  char message[200];
};

class TLineIterator {
public:
  static constexpr int32_t BufferSize = 50000;

  // Reads fileName and positions on its first line. Raises ELineError "No file" when
  // the file cannot be opened and "Zero length" when its size cannot be determined.
  // A file larger than the buffer shows the message "File too large for buffer" and
  // reads as empty.
  explicit TLineIterator(const std::string& fileName);
  TLineIterator(const TLineIterator&) = delete;
  TLineIterator& operator=(const TLineIterator&) = delete;

  // True while a current line exists.
  bool valid() const { return FValid; }
  // The zero-terminated current line, inside the buffer.
  const char* current() const { return FCurrent; }
  void advance() { Position(FNext); }

private:
  void Position(char* start);

  char* FCurrent = nullptr;
  char* FNext = nullptr;
  char FData[BufferSize + 1];
  int32_t FSize = 0;
  bool FValid = false;
};
