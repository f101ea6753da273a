// The template of the text dialog (CTextDlg).
#pragma once

namespace platform {
class ResourceSet;
}

void AddTextDlgTemplate(platform::ResourceSet& resources);
