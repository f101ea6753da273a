// Korrin's entity: the base of every drawing entity. An entity has a layer
// (0..99), a drawing group (or none) and, as a member of a compound entity,
// an owner block. Its defining points are held in the coordinates of its
// group; every operation below takes and gives drawing (shown) coordinates,
// mapped through the group (see CDrawingGroup).
#pragma once

#include <memory>
#include <vector>

#include "draft/host/AttributeItems.h"
#include "draft/host/EntityShape.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/ShownText.h"
#include "platform/core/WinTypes.h"

class CDrawingGroup;
class CGroupTable;
class CLayerTable;
class CEntityList;
class CTextAttrib;
class CEntity;

enum class EntityKind { kLine, kCircle, kArc, kEllipse, kPoint, kText, kBlock, kTwoPoint, kTable };

// The most values GetGeometry gives (an elliptic arc: cx, cy, a, b,
// rotation, start, end).
inline constexpr int kMaxGeometryValues = 8;

// A similarity of the plane in drawing coordinates: scale and turn about a
// base point then move, or a mirror about a line.
struct EntityTransform {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, tx = 0, ty = 0;
  double scale = 1.0;
  double rotation = 0.0;  // degrees; for a mirror: the axis direction
  bool mirror = false;

  // Scale and turn about (bx, by), then move by (dx, dy).
  static EntityTransform Make(double dx, double dy, double bx, double by, double scale, double angle);
  static EntityTransform Mirror(double x1, double y1, double x2, double y2);
  GPoint Apply(GPoint p) const;
  // The direction `angle` after the transform.
  double MapAngle(double angle) const;
};

// The most points GetIntersections gives.
inline constexpr int kMaxArcIntersections = 16;

// The explode type bits (ExplodeByType): plain blocks break into their
// members, nested blocks all the way down to basic entities, compounds kept
// whole (dimensions, section symbols) break too, compound curves break into
// their pieces. The default type 0x50 breaks blocks and curves one level.
enum ExplodeTypeBits : int {
  kExplodeNested = 0x01,
  kExplodeKeptWhole = 0x04,
  kExplodeBlocks = 0x10,
  kExplodeCurves = 0x40,
};

// The record codes of CEntity::QueryRecord.
inline constexpr int kQueryCircle = 5;
struct CircleRecord {
  double cx = 0.0;
  double cy = 0.0;
  double r = 0.0;
};

// Told when an entity it watches is destroyed (the drafting view watches
// the entities registered with it).
class CEntityWatcher {
 public:
  virtual void OnEntityDestroyed(CEntity* entity) = 0;

 protected:
  ~CEntityWatcher() = default;
};

class CEntity {
 public:
  virtual ~CEntity();
  CEntity& operator=(const CEntity&) = delete;

  // ---- Virtual operations in slot order.
  virtual BOOL IsText() const { return FALSE; }
  virtual BOOL IsLine() const { return FALSE; }
  virtual BOOL IsCircle() const { return FALSE; }
  virtual BOOL IsArc() const { return FALSE; }
  virtual BOOL IsBlock() const { return FALSE; }
  // Whether the entity carries attribute items (GetEntityAttributes).
  virtual BOOL HasAttributes() const;
  // Scale by `scale` and turn by `angle` degrees about (baseX, baseY), then
  // move by (dx, dy). copy 1: a new transformed entity (null when it cannot
  // be made); copy 0: this entity changes and is returned.
  virtual CEntity* Transform(double dx, double dy, double baseX, double baseY, double scale, double angle, int copy);
  // viewValue 0: the entity lies wholly inside the rectangle (window test);
  // otherwise: some of it lies inside or crosses its border (crossing test).
  // A text is tested by its insertion point.
  virtual BOOL IsInRectangle(double xmin, double ymin, double xmax, double ymax, int viewValue) const;
  // The points where this entity meets `other`, at most `maxCount` of them,
  // each once; returns their number.
  virtual int Intersect(const CEntity& other, GPoint* out, int maxCount) const;
  // A new copy with the same layer and group and no owner, or null.
  virtual CEntity* Clone(int flag = 1) const = 0;
  // A copy whose texts take the attributes `attr` (the caller's); null for
  // an entity that carries no text, which cannot be remade so.
  virtual CEntity* CloneWithTextAttrib(const CTextAttrib& attr) const;
  // The entity's own editor (EntityEditors.cpp): its defining values in a
  // dialog of Korrin's; the edited replacement (the caller's, with this
  // entity's layer, group and owner), or null when the user cancels or
  // changes nothing. The layer and group tables name the entity's layer and
  // group in the dialog (either may be null). Lines, circles, arcs, points,
  // ellipses, texts and dimensions have one; the other kinds throw
  // CNotSupportedException.
  virtual CEntity* EditInDialog(CLayerTable* layers, CGroupTable* groups);
  virtual BOOL IsTable() const { return FALSE; }
  // Line: x1, y1, x2, y2; circle: cx, cy, r; arc: cx, cy, r, start, end;
  // ellipse: cx, cy, a, b, rotation, start, end; point: x, y; text: its
  // insertion point. `values` has room for kMaxGeometryValues. Returns the
  // number written.
  virtual int GetGeometry(double* values) const = 0;
  // Adds a member to a compound entity; FALSE for other kinds.
  virtual BOOL AddMember(CEntity* member);
  // Sets the two end points of a line or a two-point entity; FALSE for others.
  virtual BOOL SetEndPoints(double x1, double y1, double x2, double y2, int flag);
  // Sets the defining values in the coordinates of the entity's own group
  // (as GetGroupGeometry gives them): a line's x1, y1, x2, y2 (count 4), an
  // arc's cx, cy, r, start, end (count 5), a circle's cx, cy, r (count 3),
  // a point's x, y (count 2), an ellipse's cx, cy, a, b, rotation, start,
  // end (count 7). FALSE, nothing changed, for another kind or count, or a
  // radius or semi-axis that is not positive.
  virtual BOOL SetGeometry(const double* values, int count);

  // ---- Further virtual operations.
  virtual EntityKind GetKind() const = 0;
  virtual BOOL IsEllipse() const { return FALSE; }
  virtual BOOL IsPoint() const { return FALSE; }
  virtual BOOL IsTwoPointEntity() const { return FALSE; }
  // The pieces of the entity in drawing coordinates.
  virtual void GetPieces(ShapePieces& out) const = 0;
  // The length of what the entity draws, in its group's own units (a
  // length drawn at scale s shows s times as long): a line's length, a
  // circle's circumference, an arc's or elliptic arc's length along the
  // curve, the drawn lines and arcs of a two-point entity or a table, the
  // sum of a compound's members; 0 for points and texts
  // (EntityLength.cpp).
  virtual double GetLength() const;
  // What painting shows: the lines and arcs (`out`, as GetPieces gives them)
  // and, apart from them, the texts. A text's pieces are its outline, which
  // painting replaces by its glyphs, so the texts give no pieces here.
  virtual void GetShownShape(ShapePieces& out, ShownTexts& /*texts*/) const { GetPieces(out); }
  // The listing operation: appends this entity, and for a compound entity
  // its members (nested content first-to-last, depth first).
  virtual void ListInto(CEntityList& out) const;
  // A mirrored copy about the line (x1, y1)-(x2, y2), or null.
  CEntity* MirrorCopy(double x1, double y1, double x2, double y2) const;
  // Turned by `angle` degrees about (x0, y0), and moved by (dx, dy): copy 1
  // gives a new entity (null when it cannot be made), copy 0 changes this
  // one and returns it (Transform with scale 1).
  CEntity* RotateCopy(double x0, double y0, double angle, int copy);
  CEntity* TranslateCopy(double dx, double dy, int copy);
  // A record of the entity's data asked for by a code, newly allocated for
  // the caller, who deletes it as the code's type; *out is null and the
  // result FALSE when the entity does not answer the code.
  // kQueryCircle: a circle's or an arc's circle, a CircleRecord.
  virtual BOOL QueryRecord(void** out, int code) const;
  // The kind of a table entity (0 general table, 1 parts list, 2 rebar
  // schedule, ...); 0 for every other entity. SetTableKind changes nothing
  // and gives FALSE for an entity that is not a table.
  virtual int GetTableKind() const { return 0; }
  virtual BOOL SetTableKind(int kind);

  // ---- Kind tests. What each means, for every kind:
  // - IsCompoundCurve: a compound entity that is one curve made of pieces
  //   (a compound curve's lines are its members); a member stands for it.
  // - IsKeptWhole: a compound that editing keeps whole (a dimension, a
  //   section symbol): a picked member stands for it, and layer deletion
  //   leaves it alone.
  // - IsMeasuredWhole: a compound whose members are measured as one (a
  //   compound curve).
  // - IsRegisteredObject: an object the host's notification window is told
  //   about when it is deleted (a table).
  // - IsTemporary: made with the constructors' flag 0, for a command's own
  //   use; the command deletes it.
  // - IsEquationCurve: a curve drawn from an equation.
  // - IsParallelTo: both are straight (lines, two-point entities) and their
  //   directions are parallel (the sine of the angle within 1e-6).
  // Blocks, lines, circles, arcs, ellipses, points, texts and two-point
  // entities answer FALSE to all but IsTemporary and IsParallelTo; the kinds
  // that answer TRUE say so themselves.
  virtual BOOL IsCompoundCurve() const { return FALSE; }
  virtual BOOL IsKeptWhole() const { return FALSE; }
  virtual BOOL IsMeasuredWhole() const { return FALSE; }
  virtual BOOL IsRegisteredObject() const { return FALSE; }
  virtual BOOL IsTemporary() const { return temporary_ ? TRUE : FALSE; }
  virtual BOOL IsEquationCurve() const { return FALSE; }
  // A dimension: a compound of its lines and texts (CDimensionEntity).
  virtual BOOL IsDimension() const { return FALSE; }
  virtual BOOL IsParallelTo(const CEntity& other) const;
  // A section symbol (CSectionSymbolEntity): a compound whose points, in
  // order, mark where a section runs.
  virtual BOOL IsSectionSymbol() const { return FALSE; }
  // A tendon graph (CTendonGraphEntity): the layout of tendons drawn from a
  // coordinate table.
  virtual BOOL IsTendonGraph() const { return FALSE; }
  // A block of technical requirements (CTextBlockEntity): a title and
  // numbered items laid out as texts.
  virtual BOOL IsRequirementText() const { return FALSE; }
  // Appends the entity's parts to `out`: a compound's members (one level),
  // any other entity itself. The flag and the last three words are the
  // call's form (callers pass 1 and zeros). Returns the number appended.
  virtual int ExplodeInto(int flag, CEntityList& out, int, int, int) const;
  // Explode options (the explode type bits below): options 1 are offered by
  // a block that holds blocks (kExplodeNested), options 2 by a compound kept
  // whole (kExplodeKeptWhole).
  virtual BOOL HasExplodeOptions1() const;
  virtual BOOL HasExplodeOptions2() const;
  // Appends new copies of the entity's parts to `parts` when `type` lets it
  // break (see the bits below) and returns TRUE; FALSE, with nothing
  // appended, for an entity that stays whole. The entity is not changed.
  virtual BOOL ExplodeByType(CEntityList& parts, int type) const;
  // The defining values as GetGeometry gives them, but in the coordinates
  // of the entity's own group (points and lengths as the group keeps them,
  // angles unchanged); the same as GetGeometry without a group.
  virtual int GetGroupGeometry(double* values) const;
  // The points where the entity meets the arc of centre (cx, cy), radius r,
  // counter-clockwise from `start` to `end` degrees (equal: a full circle),
  // each once, at most kMaxArcIntersections, into xs and ys. Option 1: the
  // entity and the arc as they are; option 0: their carriers (lines
  // extended both ways, arcs as whole circles), which tells a touching pair
  // (one point) from a crossing one. Returns the number of points.
  virtual int GetIntersections(double cx, double cy, double r, double start, double end, double* xs, double* ys,
                               int option) const;
  // Marks the entity as made for a command's own use (IsTemporary).
  void SetTemporary(bool temporary) { temporary_ = temporary; }
  // Nonzero when `other` is this very entity (the second word is the
  // call's form).
  BOOL IsSameAs(const CEntity* other, int = 0) const { return other == this ? TRUE : FALSE; }
  // The chaining mark: set by a command while it chains entities end to
  // end, so that none is taken twice; 0 for a new entity and for a copy.
  int GetChainMark() const { return chainMark_; }
  void SetChainMark(int mark) { chainMark_ = mark; }
  // The scratch mark of a command that walks the drawing's entities in
  // passes (the tidy command: 0 free, 1 merged in the current pass, 3 in a
  // chain); 0 for a new entity and for a copy.
  int GetEntityMark() const { return entityMark_; }
  void SetEntityMark(int mark) { entityMark_ = mark; }

  // ---- Accessors.
  BYTE GetEntityLayer() const { return layer_; }
  void SetEntityLayer(int layer);
  CDrawingGroup* GetEntityGroup() const { return group_; }
  // Moves the entity into another group, keeping where it is shown.
  void SetEntityGroup(CDrawingGroup* group);
  CEntity* GetEntityOwner() const { return owner_; }
  void SetEntityOwner(CEntity* owner) { owner_ = owner; }
  // The entity's attribute items (made empty on first use); a copy of the
  // entity carries a copy of them.
  CAttributeItemList* GetEntityAttributes();
  const CAttributeItemList* FindEntityAttributes() const { return attributes_.get(); }
  // The scale of the entity's group (1.0 without a group).
  double GetEntityScale() const;
  // Whether the entity lies on `layer`: its own layer; a block also when a
  // member (at any depth) lies there.
  virtual BOOL IsOnLayer(int layer) const { return layer_ == layer ? TRUE : FALSE; }
  // Moves the entity from layer `oldLayer` (-1: any) to `newLayer`; a block
  // moves itself and each member (at any depth) the same way. Nothing
  // changes for an entity on another layer.
  virtual void ReplaceLayer(int oldLayer, int newLayer);
  // A number that tells this entity apart from every other in the process.
  DWORD GetHandle() const { return handle_; }
  // The one watcher told of this entity's destruction (null: none). A copy
  // has none.
  CEntityWatcher* GetWatcher() const { return watcher_; }
  void SetWatcher(CEntityWatcher* watcher) { watcher_ = watcher; }

  // Shortest distance from p to the entity, in drawing units.
  double DistanceTo(GPoint p) const;
  // The point operation of a pick: whether the point (x, y) lies on the
  // entity within `aperture` drawing units.
  BOOL IsPointNear(double x, double y, double aperture) const;
  // The extents in drawing coordinates; false for an entity without extent.
  bool GetExtents(double& xmin, double& ymin, double& xmax, double& ymax) const;

 protected:
  CEntity(int layer, CDrawingGroup* group);
  // A copy keeps layer and group; it gets its own handle and no owner.
  CEntity(const CEntity& other);

  // Changes the entity in place by a transform given in drawing coordinates.
  virtual void ApplyTransform(const EntityTransform& t) = 0;
  // Group point <-> drawing point for this entity's group.
  GPoint Shown(GPoint p) const;
  GPoint InGroup(GPoint q) const;
  double ShownLength(double groupLength) const { return groupLength * GetEntityScale(); }
  double GroupLength(double shownLength) const { return shownLength / GetEntityScale(); }
  // Maps a group point through a drawing-coordinate transform.
  GPoint MapGroupPoint(GPoint p, const EntityTransform& t) const { return InGroup(t.Apply(Shown(p))); }
  // Re-expresses every group point when the group changes (see SetEntityGroup).
  virtual void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) = 0;
  // Helpers for RebaseGroup: a group point, and a length, of group `from`
  // expressed in group `to` so that it shows at the same place and size.
  static GPoint RebasePoint(GPoint p, const CDrawingGroup* from, const CDrawingGroup* to);
  static double RebaseLength(double length, const CDrawingGroup* from, const CDrawingGroup* to);

  friend class CBlockEntity;

 private:
  BYTE layer_;
  CDrawingGroup* group_;
  CEntity* owner_ = nullptr;
  DWORD handle_;
  CEntityWatcher* watcher_ = nullptr;
  bool temporary_ = false;
  int chainMark_ = 0;
  int entityMark_ = 0;
  std::unique_ptr<CAttributeItemList> attributes_;
};

// A layer number in 0..99 (out-of-range values are clamped).
int ClampLayer(int layer);

// The value of the entity's attribute item of that name; FALSE (value
// emptied) when the entity has no such item.
BOOL GetEntityAttribute(const CEntity* entity, const char* name, CStringA& value);
