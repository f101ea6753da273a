// Reads arbitrary bytes as the files the bill-of-materials dialog imports:
// the fixed-column .bom and .dat files (ImportFixedColumns) and quoted text
// files (ImportTextFile), chosen by the first byte, the rest being the
// file. The dialog runs headless from its template with the modal driver
// (its font dialog confirmed), imports the scratch file and is cancelled;
// then the temporary wrappers its painting left are freed, as idle time
// would. Nothing may crash, overflow, leak or hang (the sanitizers and the
// time limit check).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/fuzz/FuzzScratch.h"
#include "draft/host/DraftView.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/SystemFiles.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/tables/DetailTableDlg.h"
#include "platform/ui/ModalDriver.h"

namespace {

// The scratch system data folder of this process, also its program folder.
CSystemDataScratch* g_scratch = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::QuietHost();
  g_scratch = new CSystemDataScratch();  // lives as long as the process
  SetProgramFolder(g_scratch->GetFolder().c_str());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const kNames[] = {"in.bom", "in.dat", "in.txt"};
  const char* name = kNames[data[0] % 3];
  const std::string path = fuzz::WriteScratch(name, data + 1, size - 1);
  {
    CFieldArray fields;
    for (const char* column : {"序号", "名称", "数量"}) fields.Add(CFieldRecord(column, 0, 20.0, 2));
    CDraftView view;
    CDetailTableDlg dlg(2311, &view, nullptr, 1, nullptr);
    dlg.SetFieldArray(&fields);
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (s.As<CBillFontDlg>()) {
        s.Click(IDOK);
        return;
      }
      if (s.As<CDetailTableDlg>()) {
        if (data[0] % 3 == 2)
          dlg.ImportTextFile(path.c_str());
        else
          dlg.ImportFixedColumns(path.c_str());
      }
      if (s.IsRunning()) s.Click(IDCANCEL);
    });
    CModalDialogScope scope(nullptr);
    dlg.DoModal();
  }
  fuzz::DeleteTemporaryWrappers();
  fuzz::RemoveScratch(name);
  return 0;
}
