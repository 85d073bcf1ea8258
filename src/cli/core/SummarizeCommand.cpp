// SPDX-License-Identifier: MIT
#include "SummarizeCommand.h"

#include <cerrno>
#include <cstring>

#include "JsonNumbers.h"
#include "LineReader.h"
#include "PrefixSummarize.h"
#include "QuotedInput.h"

namespace Parlamine {

namespace {

struct TLineError {
  std::string File;  // empty when only one text is read
  int64_t LineNumber = 0;
  std::string Message;
};

// Feeds every line of one text to the summarizer; bad lines are named on the
// error output as they come and kept for the JSON document.
void AddLines(TLineReader& reader, const std::string& fileName, TSummarizer& summarizer,
              std::vector<TLineError>& errors, TCommandIO& io) {
  std::string_view line;
  std::string message;
  while (reader.Next(line)) {
    if (summarizer.AddLine(line, message)) continue;
    TLineError error{fileName, reader.LineNumber(), message};
    const std::string where = fileName.empty() ? "" : EscapedInput(fileName) + ": ";
    io.Err.Write("parlamine-cli: summarize: " + where + "Line " + std::to_string(error.LineNumber) + ": " +
                 EscapedInput(message, 1024) + "\n");
    errors.push_back(std::move(error));
  }
}

void WritePrefixLines(TSummarizer& summarizer, TBufferedWriter& out) {
  summarizer.ForEachPrefix([&out](const TPrefix& prefix) {
    char* place = out.Reserve(MaxPrefixTextSize + 1);
    char* end = WritePrefix(prefix, place);
    *end++ = '\n';
    out.Commit(static_cast<size_t>(end - place));
  });
}

// The document nlohmann-json writes with an indent of two, with the prefixes
// streamed: a summary of millions of prefixes is never held as JSON values.
void WriteJson(TSummarizer& summarizer, const std::vector<TLineError>& errors, TBufferedWriter& out) {
  out.Write("{\n  \"prefixes\": [");
  bool first = true;
  summarizer.ForEachPrefix([&out, &first](const TPrefix& prefix) {
    out.Write(first ? "\n    \"" : ",\n    \"");
    first = false;
    char* place = out.Reserve(MaxPrefixTextSize + 1);
    char* end = WritePrefix(prefix, place);
    *end++ = '"';
    out.Commit(static_cast<size_t>(end - place));
  });
  out.Write(first ? "],\n  \"errors\": " : "\n  ],\n  \"errors\": ");
  TJson list = TJson::array();
  for (const TLineError& error : errors) {
    TJson item;
    if (!error.File.empty()) item["file"] = error.File;
    item["line"] = error.LineNumber;
    item["message"] = error.Message;
    list.push_back(std::move(item));
  }
  // Nested one level deep: every line after the first is indented by two more.
  const std::string text = list.dump(2, ' ', false, TJson::error_handler_t::replace);
  for (char c : text) {
    out.Write(c);
    if (c == '\n') out.Write("  ");
  }
  out.Write("\n}\n");
}

}  // namespace

int RunSummarizeCommand(const TSummarizeOptions& o, TCommandIO& io) {
  TSummarizer summarizer;
  std::vector<TLineError> errors;
  if (o.Files.empty()) {
    if (io.In) {
      TLineReader reader(StreamRead(*io.In));
      AddLines(reader, "", summarizer, errors, io);
      if (reader.FailureCode() != 0)
        throw EUsageError("standard input",
                          std::string("cannot be read (") + std::strerror(reader.FailureCode()) + ")");
    }
  }
  // Error lines name the file when there are several.
  const bool nameFiles = o.Files.size() > 1;
  for (const std::string& path : o.Files) {
    const TOpenFile file(path);
    TLineReader reader(FileDescriptorRead(file.Descriptor()));
    AddLines(reader, nameFiles ? path : "", summarizer, errors, io);
    if (reader.FailureCode() != 0) RefuseFile(path, reader.FailureCode());
  }
  if (o.Json)
    WriteJson(summarizer, errors, io.Out);
  else
    WritePrefixLines(summarizer, io.Out);
  return errors.empty() ? ExitAnswered : ExitBadInput;
}

}  // namespace Parlamine
