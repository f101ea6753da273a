#include "diagram/res/DocumentStrings.h"

#include "platform/core/ResourceSet.h"

void AddDocumentStrings(platform::ResourceSet& r) {
  r.Strings({
      {IDR_DRAWTYPE,
       u"\nDraw\nDrawBlock Document\nDrawBlock Files (*.drw)\n.drw\nDrawBlock.Document\nDrawBlock Document"},
  });
}
