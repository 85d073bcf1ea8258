// SPDX-License-Identifier: MIT
// Reading the settings file at start-up, for 25 MB files of the shapes that
// once took quadratic time: a million values in one key, one hex value
// continued over hundreds of thousands of lines, a key a million levels
// deep, and many keys of a few values each.
#include <benchmark/benchmark.h>

#include <string>

#include "RegistryTree.h"

namespace Parlamine {
namespace {

constexpr size_t FileSize = size_t{25} << 20;
const std::string KeyLine = "[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0]\r\n";

std::string ManyValues() {
  std::string text = KeyLine;
  for (int i = 0; text.size() < FileSize; ++i) text += "\"Value" + std::to_string(i) + "\"=\"abc\"\r\n";
  return text;
}

std::string LongHex() {
  std::string text = KeyLine + "\"Big\"=hex:00";
  while (text.size() < FileSize)
    text += ",\\\r\n  01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,18,19";
  return text + "\r\n";
}

std::string DeepKey() {
  std::string text = "[HKEY_CURRENT_USER\\Software";
  while (text.size() < FileSize) text += "\\k";
  return text + "]\r\n\"Deep\"=\"1\"\r\n";
}

std::string ManyKeys() {
  std::string text;
  for (int i = 0; text.size() < FileSize; ++i)
    text += "[HKEY_CURRENT_USER\\Software\\Other\\Key" + std::to_string(i) +
            "]\r\n\"A\"=dword:00000001\r\n\"B\"=\"b\"\r\n";
  return text;
}

void ReadSettingsText(benchmark::State& state, const std::string& text) {
  for (auto _ : state) benchmark::DoNotOptimize(TRegistryTree::FromRegText(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_ReadManyValuesInOneKey(benchmark::State& state) { ReadSettingsText(state, ManyValues()); }
void BM_ReadLongContinuedHex(benchmark::State& state) { ReadSettingsText(state, LongHex()); }
void BM_ReadDeepKey(benchmark::State& state) { ReadSettingsText(state, DeepKey()); }
void BM_ReadManyKeys(benchmark::State& state) { ReadSettingsText(state, ManyKeys()); }
BENCHMARK(BM_ReadManyValuesInOneKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLongContinuedHex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDeepKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadManyKeys)->Unit(benchmark::kMillisecond);

// The whole round of a start and an unchanged exit: read, then the text
// written back.
void BM_ReadAndWriteManyValues(benchmark::State& state) {
  const std::string text = ManyValues();
  for (auto _ : state) benchmark::DoNotOptimize(TRegistryTree::FromRegText(text).ToFileText());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadAndWriteManyValues)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace Parlamine

BENCHMARK_MAIN();
