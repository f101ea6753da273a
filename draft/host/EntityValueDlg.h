// Korrin's value editor of an entity: the defining values of one kind of
// entity in a small dialog, under two lines that name the entity's layer and
// group. A kind has a form of its own (template 4660 line, 4661 circle, 4662
// arc, 4663 point, 4664 ellipse): its caption, the labels of its values in
// the order GetGroupGeometry gives them, and which of them must be above 0
// (a radius, a semi-axis). Values are shown and typed in the group's own
// units; a value whose text is left as shown keeps its exact value, so that
// OK without a change gives back what was given (IsChanged false). A text
// that is no number, a coordinate or length beyond 1e12 in size, an angle
// beyond one turn either way (-360..360) and a radius or semi-axis not
// above 1e-6 are refused with the framework's message and the dialog stays
// open.
#pragma once

#include "draft/host/Entity.h"
#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

enum class EntityValueForm { kLine, kCircle, kArc, kPoint, kEllipse };

class CEntityValueDlg : public CDialog {
 public:
  enum { IDD_LINE = 4660, IDD_CIRCLE = 4661, IDD_ARC = 4662, IDD_POINT = 4663, IDD_ELLIPSE = 4664 };
  enum ControlId { kLayerText = 1001, kGroupText = 1002, kFirstValueEdit = 1010 };

  // `values` holds the form's count of values; the two texts are shown as
  // they are.
  CEntityValueDlg(CWnd* parent, EntityValueForm form, const double* values, const char* layerText,
                  const char* groupText);

  // The number of values of the form.
  int GetValueCount() const { return count_; }
  // The values (as given until OK reads them back).
  const double* GetValues() const { return values_; }
  // Whether a value read back differs from the one given.
  bool IsChanged() const;

  static UINT TemplateOf(EntityValueForm form);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

 private:
  EntityValueForm form_;
  int count_;
  double given_[kMaxGeometryValues] = {};
  double values_[kMaxGeometryValues] = {};
  CStringA shown_[kMaxGeometryValues];
  CStringA layerText_, groupText_;
};

// A new dialog for the caller, who runs it (with Korrin's resources
// current) and deletes it.
CEntityValueDlg* ConstructEntityValueDlg(CWnd* parent, EntityValueForm form, const double* values,
                                         const char* layerText, const char* groupText);
