// The kinds of object that a container can embed or link, and the registry
// that names them. This platform has no system registry of servers: each
// kind is a small server of the platform's own, living in the process. A
// kind makes its content (the object's data: read from and written to the
// item's stream, measured, drawn) and, through the content, edits it in a
// server window (platform::ServerWindow) opened by its client item.
//
// Two kinds are built in: the note ("Scrivel.Note", plain text, linked from
// ".txt" files) and the picture ("Scrivel.Picture", a small colour raster,
// linked from binary ".ppm" files). A host may register more.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/core/String.h"

class CDC;

namespace platform {

class ServerWindow;

// The data of one object, as its server keeps it.
class EmbeddedContent {
 public:
  virtual ~EmbeddedContent() = default;
  // Reads the object from the bytes of its stream (or of its linked file);
  // false, leaving the content as it was, when they hold no such object.
  virtual bool Load(const std::vector<BYTE>& bytes) = 0;
  virtual std::vector<BYTE> Save() const = 0;
  // The natural size of the object in HIMETRIC (0.01 mm).
  virtual CSize GetExtent() const = 0;
  // Draws the object into the rectangle, in the logical units of the DC.
  virtual void Draw(CDC* dc, const CRect& rect) const = 0;
  virtual std::unique_ptr<EmbeddedContent> Clone() const = 0;

  // The editor. CreateEditor makes the controls of a new server window;
  // TakeEdits reads them back into the content and says whether it changed.
  virtual void CreateEditor(ServerWindow* window) = 0;
  virtual bool TakeEdits(ServerWindow* window) = 0;
  // Lays the controls out when the window's client area changes.
  virtual void LayOutEditor(ServerWindow*) {}
  // Paints the editor's client area (what no control covers).
  virtual void PaintEditor(ServerWindow*, CDC*) {}
  // A click in the editor's client area; true when it changed the object.
  virtual bool OnEditorClick(ServerWindow*, CPoint) { return false; }
};

// One kind of object.
class EmbeddableKind {
 public:
  virtual ~EmbeddableKind() = default;
  // The name that identifies the kind in streams ("Scrivel.Note").
  virtual LPCWSTR GetClassName() const = 0;
  // The name a user sees ("Note").
  virtual LPCWSTR GetUserTypeName() const = 0;
  // The extension of the files the kind links to and is created from
  // (".txt"), compared without regard to case.
  virtual LPCWSTR GetFileExtension() const = 0;
  // OLEMISC_ flags.
  virtual DWORD GetMiscStatus() const = 0;
  // Whether the primary verb edits the object in place, inside the
  // container's window; otherwise it opens a window of its own.
  virtual bool EditsInPlace() const = 0;
  virtual std::unique_ptr<EmbeddedContent> NewContent() const = 0;
};

// Adds a kind; the registry keeps the pointer, which must live as long as
// the process. A kind whose class name is already known is refused (false).
bool RegisterEmbeddableKind(const EmbeddableKind* kind);
// The kind of that class name, or null.
const EmbeddableKind* FindEmbeddableKind(const CStringW& className);
// The kind that reads files with the path's extension, or null.
const EmbeddableKind* FindEmbeddableKindForFile(const CStringW& path);
int GetEmbeddableKindCount();
const EmbeddableKind* GetEmbeddableKind(int index);

// The built-in kinds.
const EmbeddableKind& NoteKind();
const EmbeddableKind& PictureKind();

}  // namespace platform
