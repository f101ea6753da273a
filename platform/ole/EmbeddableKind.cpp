#include "platform/ole/EmbeddableKind.h"

namespace platform {

namespace {

std::vector<const EmbeddableKind*>& Kinds() {
  static std::vector<const EmbeddableKind*> kinds{&NoteKind(), &PictureKind()};
  return kinds;
}

}  // namespace

bool RegisterEmbeddableKind(const EmbeddableKind* kind) {
  if (!kind || FindEmbeddableKind(kind->GetClassName())) return false;
  Kinds().push_back(kind);
  return true;
}

const EmbeddableKind* FindEmbeddableKind(const CStringW& className) {
  for (const EmbeddableKind* kind : Kinds()) {
    if (className == kind->GetClassName()) return kind;
  }
  return nullptr;
}

const EmbeddableKind* FindEmbeddableKindForFile(const CStringW& path) {
  const int dot = path.ReverseFind(u'.');
  const int slash = path.ReverseFind(u'/');
  if (dot < 0 || dot < slash) return nullptr;
  const CStringW extension = path.Mid(dot);
  for (const EmbeddableKind* kind : Kinds()) {
    if (extension.CompareNoCase(kind->GetFileExtension()) == 0) return kind;
  }
  return nullptr;
}

int GetEmbeddableKindCount() { return static_cast<int>(Kinds().size()); }

const EmbeddableKind* GetEmbeddableKind(int index) {
  if (index < 0 || index >= GetEmbeddableKindCount()) return nullptr;
  return Kinds()[static_cast<size_t>(index)];
}

}  // namespace platform
