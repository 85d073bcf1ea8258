// SPDX-License-Identifier: MIT
#include "LineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "CliArguments.h"
#include "QuotedInput.h"

namespace Parlamine {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TLineReader::TLineReader(TRead read, size_t blockSize)
    : FRead(std::move(read)), FBuffer(blockSize < 16 ? 16 : blockSize) {}

bool TLineReader::Refill() {
  if (FAtEnd) return false;
  // Keep the unfinished line, at the front; a line longer than the buffer
  // makes it grow.
  std::memmove(FBuffer.data(), FBuffer.data() + FBegin, FEnd - FBegin);
  FEnd -= FBegin;
  FBegin = 0;
  if (FEnd == FBuffer.size()) FBuffer.resize(FBuffer.size() * 2);
  ssize_t count = FRead(FBuffer.data() + FEnd, FBuffer.size() - FEnd);
  if (count < 0) {
    FFailureCode = errno != 0 ? errno : EIO;
    count = 0;
  }
  if (count == 0) FAtEnd = true;
  FEnd += static_cast<size_t>(count);
  return count > 0;
}

bool TLineReader::NextPiece(std::string_view& line) {
  const size_t cr = FPieces.find('\r');
  if (cr == std::string_view::npos) {
    line = FPieces;
    FInPieces = false;
  } else {
    line = FPieces.substr(0, cr);
    FPieces.remove_prefix(cr + 1);
    // A CR that ends the line is the CR of a CR LF (or the text's last end).
    FInPieces = !FPieces.empty();
  }
  ++FLineNumber;
  return true;
}

bool TLineReader::Next(std::string_view& line) {
  if (FInPieces) return NextPiece(line);
  if (!FMarkChecked) {
    while (FEnd - FBegin < ByteOrderMark.size() && Refill()) {
    }
    if (std::string_view(FBuffer.data() + FBegin, FEnd - FBegin).starts_with(ByteOrderMark))
      FBegin += ByteOrderMark.size();
    FMarkChecked = true;
  }
  while (true) {
    const char* begin = FBuffer.data() + FBegin;
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', FEnd - FBegin));
    if (lf != nullptr) {
      FPieces = std::string_view(begin, static_cast<size_t>(lf - begin));
      FBegin += FPieces.size() + 1;
      return NextPiece(line);
    }
    if (!Refill()) break;
  }
  if (FBegin == FEnd || FFailureCode != 0) return false;
  // The last line, without an end.
  FPieces = std::string_view(FBuffer.data() + FBegin, FEnd - FBegin);
  FBegin = FEnd;
  return NextPiece(line);
}

TLineReader::TRead FileDescriptorRead(int fd) {
  return [fd](char* buffer, size_t size) {
    while (true) {
      const ssize_t count = ::read(fd, buffer, size);
      if (count >= 0 || errno != EINTR) return count;
    }
  };
}

TLineReader::TRead StreamRead(std::istream& in) {
  return [&in](char* buffer, size_t size) -> ssize_t {
    in.read(buffer, static_cast<std::streamsize>(size));
    if (in.bad()) {
      errno = EIO;
      return -1;
    }
    return static_cast<ssize_t>(in.gcount());
  };
}

void RefuseFile(const std::string& path, int code) {
  throw EUsageError("FILE", EscapedInput(path) + " cannot be read (" + std::strerror(code) + ")");
}

TOpenFile::TOpenFile(const std::string& path) : FDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
  if (FDescriptor < 0) RefuseFile(path, errno);
  struct stat status {};
  // A folder opens, and some systems even read it as empty: refuse it as
  // the missing file it is to the user.
  if (::fstat(FDescriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
    ::close(FDescriptor);
    RefuseFile(path, EISDIR);
  }
}

TOpenFile::~TOpenFile() { ::close(FDescriptor); }

namespace {

std::string AllLines(TLineReader& reader) {
  std::string text;
  std::string_view line;
  while (reader.Next(line)) {
    text += line;
    text += '\n';
  }
  return text;
}

}  // namespace

std::string ReadFileLines(const std::string& path) {
  const TOpenFile file(path);
  TLineReader reader(FileDescriptorRead(file.Descriptor()));
  std::string text = AllLines(reader);
  if (reader.FailureCode() != 0) RefuseFile(path, reader.FailureCode());
  return text;
}

std::string ReadStreamLines(std::istream& in) {
  TLineReader reader(StreamRead(in));
  std::string text = AllLines(reader);
  if (reader.FailureCode() != 0)
    throw EUsageError("standard input",
                      std::string("cannot be read (") + std::strerror(reader.FailureCode()) + ")");
  return text;
}

}  // namespace Parlamine
