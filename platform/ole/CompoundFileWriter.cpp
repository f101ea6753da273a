#include "platform/ole/CompoundFileWriter.h"

#include <gsf/gsf.h>

#include <new>

#include "platform/core/Charset.h"

namespace platform {

namespace {

// An output of libgsf owned here: closed (when still open) and released.
class GsfOutputRef {
 public:
  explicit GsfOutputRef(GsfOutput* output) : output_(output) {}
  ~GsfOutputRef() {
    if (!output_) return;
    if (!gsf_output_is_closed(output_)) gsf_output_close(output_);
    g_object_unref(output_);
  }
  GsfOutputRef(const GsfOutputRef&) = delete;
  GsfOutputRef& operator=(const GsfOutputRef&) = delete;

  GsfOutput* get() const { return output_; }
  bool Close() { return gsf_output_close(output_); }

 private:
  GsfOutput* output_;
};

void ClsidBytes(const CLSID& id, guint8 out[16]) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<guint8>(id.Data1 >> (8 * i));
  out[4] = static_cast<guint8>(id.Data2);
  out[5] = static_cast<guint8>(id.Data2 >> 8);
  out[6] = static_cast<guint8>(id.Data3);
  out[7] = static_cast<guint8>(id.Data3 >> 8);
  for (int i = 0; i < 8; ++i) out[8 + i] = id.Data4[i];
}

// Gives a storage its class and, when it has one, its modification time.
void SetStorageDetails(GsfOutput* output, const StorageNode& node) {
  guint8 clsid[16];
  ClsidBytes(node.clsid, clsid);
  gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(output), clsid);
  ULONGLONG ticks = (static_cast<ULONGLONG>(node.mtime.dwHighDateTime) << 32) | node.mtime.dwLowDateTime;
  constexpr ULONGLONG kTicksTo1970 = 116444736000000000ull;
  if (ticks <= kTicksTo1970) return;
  GDateTime* when = g_date_time_new_from_unix_utc(static_cast<gint64>((ticks - kTicksTo1970) / 10000000));
  if (!when) return;
  gsf_output_set_modtime(output, when);
  g_date_time_unref(when);
}

bool WriteElements(GsfOutfile* parent, const StorageNode& storage) {
  for (const auto& child : storage.children) {
    std::string name = Utf16ToUtf8(child->name);
    GsfOutputRef output(gsf_outfile_new_child(parent, name.c_str(), child->IsStorage()));
    if (!output.get()) return false;
    if (child->IsStorage()) {
      SetStorageDetails(output.get(), *child);
      if (!WriteElements(GSF_OUTFILE(output.get()), *child)) return false;
    } else if (!child->data.empty() && !gsf_output_write(output.get(), child->data.size(), child->data.data())) {
      return false;
    }
    if (!output.Close()) return false;
  }
  return true;
}

}  // namespace

HRESULT WriteCompoundFile(const StorageNode& root, std::vector<BYTE>& bytes) {
  try {
    GsfOutputRef sink(gsf_output_memory_new());
    {
      GsfOutputRef file(GSF_OUTPUT(gsf_outfile_msole_new(sink.get())));
      if (!file.get()) return STG_E_CANTSAVE;
      SetStorageDetails(file.get(), root);
      if (!WriteElements(GSF_OUTFILE(file.get()), root) || !file.Close()) return STG_E_CANTSAVE;
    }
    // Closing the file closes its sink; the bytes stay until it is released.
    if (!gsf_output_is_closed(sink.get()) && !sink.Close()) return STG_E_CANTSAVE;
    const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    gsf_off_t size = gsf_output_size(sink.get());
    if (!data || size <= 0) return STG_E_CANTSAVE;
    bytes.assign(data, data + size);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace platform
