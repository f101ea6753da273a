// The enumerator that IStorage::EnumElements hands out: a list of the
// storage's elements taken when it was made, shared by its clones.
#pragma once

#include <memory>
#include <vector>

#include "platform/ole/ElementInfo.h"
#include "platform/ole/EnumStatStg.h"

namespace platform {

class ElementEnumerator final : public IEnumSTATSTG {
 public:
  explicit ElementEnumerator(std::shared_ptr<const std::vector<ElementInfo>> elements, size_t position = 0)
      : elements_(std::move(elements)), position_(position) {}

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override;
  HRESULT Next(ULONG celt, STATSTG* rgelt, ULONG* pceltFetched) override;
  HRESULT Skip(ULONG celt) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumSTATSTG** ppenum) override;

 private:
  ~ElementEnumerator() override = default;

  ULONG refs_ = 1;
  std::shared_ptr<const std::vector<ElementInfo>> elements_;
  size_t position_;
};

}  // namespace platform
