// Reads arbitrary bytes as a compound file. Reading may only succeed or fail
// with the errors of a damaged file, without a crash, a leak or an endless
// walk (the sanitizers and the time limit check). A file that reads is then
// written again and must read back to the same elements.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "platform/ole/CompoundFileReader.h"
#include "platform/ole/CompoundFileWriter.h"

namespace {

bool SameTree(const platform::StorageNode& a, const platform::StorageNode& b) {
  if (a.name != b.name || a.type != b.type || a.data != b.data || a.children.size() != b.children.size()) return false;
  if (a.IsStorage() && a.clsid != b.clsid) return false;
  for (size_t i = 0; i < a.children.size(); ++i)
    if (!SameTree(*a.children[i], *b.children[i])) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<platform::StorageNode> tree;
  HRESULT hr = platform::ReadCompoundFile(std::span<const BYTE>(data, size), tree);
  if (hr == STG_E_FILEALREADYEXISTS || hr == STG_E_INVALIDHEADER || hr == STG_E_DOCFILECORRUPT) return 0;
  if (hr != S_OK) std::abort();
  std::vector<BYTE> written;
  if (platform::WriteCompoundFile(*tree, written) != S_OK) std::abort();
  std::unique_ptr<platform::StorageNode> again;
  if (platform::ReadCompoundFile(written, again) != S_OK) std::abort();
  tree->name = again->name;
  if (!SameTree(*tree, *again)) std::abort();
  return 0;
}
