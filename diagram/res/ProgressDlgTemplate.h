// The template of the progress dialog (CProgressDlg) and its caption.
#pragma once

namespace platform {
class ResourceSet;
}

void AddProgressDlgTemplate(platform::ResourceSet& resources);
