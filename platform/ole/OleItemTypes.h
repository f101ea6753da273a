// The values that describe an OLE item of a container: its verbs, how it is
// closed, the notifications it sends its container, its kind, how it is
// drawn and its miscellaneous status.
#pragma once

#include "platform/core/WinTypes.h"

// Verbs.
#define OLEIVERB_PRIMARY 0L
#define OLEIVERB_SHOW (-1L)
#define OLEIVERB_OPEN (-2L)
#define OLEIVERB_HIDE (-3L)
#define OLEIVERB_UIACTIVATE (-4L)
#define OLEIVERB_INPLACEACTIVATE (-5L)

// How an open item is closed.
typedef DWORD OLECLOSE;
#define OLECLOSE_SAVEIFDIRTY 0u
#define OLECLOSE_NOSAVE 1u
#define OLECLOSE_PROMPTSAVE 2u

// What an item tells its container.
enum OLE_NOTIFICATION {
  OLE_CHANGED = 0,         // the item's presentation changed
  OLE_SAVED = 1,           // the server saved the item
  OLE_CLOSED = 2,          // the server's window closed
  OLE_RENAMED = 3,         // a linked file was renamed
  OLE_CHANGED_STATE = 4,   // the item's state changed (param: the old state)
  OLE_CHANGED_ASPECT = 5,  // the item's drawing aspect changed
};

// The kind of an item.
enum OLE_OBJTYPE {
  OT_UNKNOWN = 0,
  OT_LINK = 1,
  OT_EMBEDDED = 2,
  OT_STATIC = 3,
};

// How an item is drawn.
typedef DWORD DVASPECT;
#define DVASPECT_CONTENT 1
#define DVASPECT_THUMBNAIL 2
#define DVASPECT_ICON 4
#define DVASPECT_DOCPRINT 8

// Miscellaneous status of a kind.
#define OLEMISC_RECOMPOSEONRESIZE 0x1u
#define OLEMISC_ONLYICONIC 0x2u
#define OLEMISC_INSERTNOTREPLACE 0x4u
#define OLEMISC_STATIC 0x8u
#define OLEMISC_CANTLINKINSIDE 0x10u
#define OLEMISC_CANLINKBYOLE1 0x20u
#define OLEMISC_ISLINKOBJECT 0x40u
#define OLEMISC_INSIDEOUT 0x80u
#define OLEMISC_ACTIVATEWHENVISIBLE 0x100u

// The insert-object dialog's flags.
#define IOF_SHOWHELP 0x1u
#define IOF_SELECTCREATENEW 0x2u
#define IOF_SELECTCREATEFROMFILE 0x4u
#define IOF_CHECKLINK 0x8u
#define IOF_CHECKDISPLAYASICON 0x10u
#define IOF_CREATENEWOBJECT 0x20u
#define IOF_CREATEFILEOBJECT 0x40u
#define IOF_CREATELINKOBJECT 0x80u
#define IOF_DISABLELINK 0x100u
#define IOF_VERIFYSERVERSEXIST 0x200u
#define IOF_DISABLEDISPLAYASICON 0x400u
#define IOF_HIDECHANGEICON 0x800u

// The convert dialog's flags.
#define CF_SHOWHELPBUTTON 0x1u
#define CF_SETCONVERTDEFAULT 0x2u
#define CF_SETACTIVATEDEFAULT 0x4u
#define CF_SELECTCONVERTTO 0x8u
#define CF_SELECTACTIVATEAS 0x10u
#define CF_DISABLEDISPLAYASICON 0x20u
#define CF_DISABLEACTIVATEAS 0x40u
#define CF_HIDECHANGEICON 0x80u
#define CF_CONVERTONLY 0x100u

// The paste-special dialog's flags.
#define PSF_SHOWHELP 0x1u
#define PSF_SELECTPASTE 0x2u
#define PSF_SELECTPASTELINK 0x4u
#define PSF_CHECKDISPLAYASICON 0x8u
#define PSF_DISABLEDISPLAYASICON 0x10u
