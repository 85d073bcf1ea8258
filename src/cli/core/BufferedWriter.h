// SPDX-License-Identifier: MIT
// Output that goes out in large blocks: a table of millions of rows is
// formatted straight into a fixed buffer and handed on whenever the buffer is
// full, so memory stays the same whatever the table's length.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Parlamine {

class TBufferedWriter {
 public:
  // `sink` takes each full block; it returns false when the output is gone
  // (a closed pipe, a full disk), after which everything written is dropped.
  // A sink that refuses leaves errno saying why.
  using TSink = std::function<bool(const char* data, size_t size)>;
  explicit TBufferedWriter(TSink sink, size_t capacity = 1 << 16);
  ~TBufferedWriter();
  TBufferedWriter(const TBufferedWriter&) = delete;
  TBufferedWriter& operator=(const TBufferedWriter&) = delete;

  void Write(std::string_view text);
  void Write(char c) { Write(std::string_view(&c, 1)); }
  // Room for at least `size` characters (at most the capacity); write into it,
  // then Commit the number used.
  char* Reserve(size_t size);
  void Commit(size_t used) { FUsed += used; }
  // Characters free after the last Reserve.
  size_t Room() const { return FBuffer.size() - FUsed; }

  // Hands on what is buffered; false once the sink refused a block.
  bool Flush();
  bool Failed() const { return FFailed; }
  // The errno the sink left when it refused (0 while it has not).
  int FailureCode() const { return FFailureCode; }

 private:
  TSink FSink;
  std::vector<char> FBuffer;
  size_t FUsed = 0;
  bool FFailed = false;
  int FFailureCode = 0;
};

// Sinks: a file descriptor (retries short writes), or a string (tests).
TBufferedWriter::TSink FileDescriptorSink(int fd);
TBufferedWriter::TSink StringSink(std::string& out);

}  // namespace Parlamine
