// The control ids of the OLE dialogs (insert object, convert, object
// properties), by which a modal driver fills them in.
#pragma once

#define IDC_IO_CREATENEW 2100
#define IDC_IO_CREATEFROMFILE 2101
#define IDC_IO_LINKFILE 2102
#define IDC_IO_OBJECTTYPELIST 2103
#define IDC_IO_FILEDISPLAY 2107

#define IDC_CV_OBJECTTYPE 150
#define IDC_CV_CONVERTTO 151
#define IDC_CV_ACTIVATELIST 152

#define IDC_GP_OBJECTTYPE 1002
#define IDC_GP_OBJECTSIZE 1003
#define IDC_GP_OBJECTLOCATION 1004
#define IDC_VP_SCALETXT 1011

#define IDC_PS_PASTE 500
#define IDC_PS_PASTELINK 501
#define IDC_PS_DISPLAYLIST 504
