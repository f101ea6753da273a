#include "draft/tables/LibraryString.h"

#include "draft/framework/ResourceSwitch.h"

void LoadScrivelString(UINT id, CStringA& text) {
  text.Empty();
  if (id == 0) return;
  CResourceSwitch resources(kScrivelModuleName);
  if (!text.LoadString(id)) text.Empty();
}
