// SPDX-License-Identifier: MIT
#include "BufferedWriter.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace Parlamine {

TBufferedWriter::TBufferedWriter(TSink sink, size_t capacity)
    : FSink(std::move(sink)), FBuffer(capacity < 256 ? 256 : capacity) {}

TBufferedWriter::~TBufferedWriter() { Flush(); }

void TBufferedWriter::Write(std::string_view text) {
  while (!text.empty()) {
    if (FUsed == FBuffer.size()) Flush();
    const size_t part = std::min(text.size(), FBuffer.size() - FUsed);
    std::memcpy(FBuffer.data() + FUsed, text.data(), part);
    FUsed += part;
    text.remove_prefix(part);
  }
}

char* TBufferedWriter::Reserve(size_t size) {
  if (size > FBuffer.size()) size = FBuffer.size();
  if (FBuffer.size() - FUsed < size) Flush();
  return FBuffer.data() + FUsed;
}

bool TBufferedWriter::Flush() {
  if (FUsed > 0 && !FFailed) {
    errno = 0;
    if (!FSink(FBuffer.data(), FUsed)) {
      FFailed = true;
      FFailureCode = errno;
    }
  }
  FUsed = 0;
  return !FFailed;
}

TBufferedWriter::TSink FileDescriptorSink(int fd) {
  return [fd](const char* data, size_t size) {
    while (size > 0) {
      const ssize_t written = ::write(fd, data, size);
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      data += written;
      size -= static_cast<size_t>(written);
    }
    return true;
  };
}

TBufferedWriter::TSink StringSink(std::string& out) {
  return [&out](const char* data, size_t size) {
    out.append(data, size);
    return true;
  };
}

}  // namespace Parlamine
