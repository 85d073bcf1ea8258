// SPDX-License-Identifier: MIT
// The .reg reader: any text is read without a fault, and what it read comes
// back unchanged after writing and reading again (tree -> text -> tree).
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "RegistryTree.h"
#include "SettingsStore.h"

using namespace Parlamine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  TRegistryTree tree = TRegistryTree::FromRegText(input);
  const std::string text = tree.ToRegText();
  const TRegistryTree again = TRegistryTree::FromRegText(text);
  FUZZ_CHECK(again == tree);
  FUZZ_CHECK(again.ToRegText() == text);

  // Both ways of access read every value without a fault.
  TDirectStore direct(tree);
  for (const std::string& path : tree.KeyPaths()) {
    TSectionedStore sectioned(tree, path);
    FUZZ_CHECK(direct.OpenKey(path, false));
    for (const std::string& name : tree.ValueNames(path)) {
      (void)sectioned.ReadInteger("", name, 7);
      (void)sectioned.ReadString("", name, "");
      try {
        (void)direct.ReadInteger(name);
      } catch (const ERegistryException&) {
      }
      try {
        (void)direct.ReadString(name);
      } catch (const ERegistryException&) {
      }
      try {
        (void)direct.ReadBinaryData(name);
      } catch (const ERegistryException&) {
      }
    }
  }
  return 0;
}
