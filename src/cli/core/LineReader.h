// SPDX-License-Identifier: MIT
// Lines of a file or of the standard input, read in large blocks: a list of
// ten million lines is never held whole, and no line is copied.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace Parlamine {

class TLineReader {
 public:
  // Fills `buffer` with up to `size` bytes: the count read, 0 at the end of
  // the text, -1 when reading failed (errno says why).
  using TRead = std::function<ssize_t(char* buffer, size_t size)>;
  explicit TLineReader(TRead read, size_t blockSize = size_t{1} << 20);

  // The next line without its end (LF, CR LF or CR), valid until the next
  // call; false at the end of the text or when reading failed. A UTF-8
  // byte-order mark before the first line is skipped.
  bool Next(std::string_view& line);
  // The number of the line Next gave last, from 1.
  int64_t LineNumber() const { return FLineNumber; }
  // The errno of a failed read, 0 when the text was read to its end.
  int FailureCode() const { return FFailureCode; }

 private:
  bool Refill();
  bool NextPiece(std::string_view& line);

  TRead FRead;
  std::vector<char> FBuffer;
  size_t FBegin = 0;  // unread text is FBuffer[FBegin, FEnd)
  size_t FEnd = 0;
  bool FAtEnd = false;
  bool FMarkChecked = false;
  // What is left of a line that holds CRs: each CR ends a line of its own.
  std::string_view FPieces;
  bool FInPieces = false;
  int64_t FLineNumber = 0;
  int FFailureCode = 0;
};

// Readers: a file descriptor (retries interrupted reads) and a stream.
TLineReader::TRead FileDescriptorRead(int fd);
TLineReader::TRead StreamRead(std::istream& in);

// Refuses a file the command cannot read, with the system's reason, as a
// usage error of FILE.
[[noreturn]] void RefuseFile(const std::string& path, int code);

// A file of the command line, open for reading, closed however the reading
// ends. A missing, unreadable or folder path is refused (RefuseFile).
class TOpenFile {
 public:
  explicit TOpenFile(const std::string& path);
  ~TOpenFile();
  TOpenFile(const TOpenFile&) = delete;
  TOpenFile& operator=(const TOpenFile&) = delete;
  int Descriptor() const { return FDescriptor; }

 private:
  int FDescriptor;
};

// The whole text of a file (standard input: `in`) as its lines, each ended
// by a line feed: CR LF and CR ends become LF, a byte-order mark is dropped.
std::string ReadFileLines(const std::string& path);
std::string ReadStreamLines(std::istream& in);

}  // namespace Parlamine
