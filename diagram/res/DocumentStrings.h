// The string from which a host builds the document template of diagram
// documents: window title, document name, file type and extension, and the
// registry names, separated by line breaks.
#pragma once

#define IDR_DRAWTYPE 28017

namespace platform {
class ResourceSet;
}

// Adds the document template string to the library's string table.
void AddDocumentStrings(platform::ResourceSet& resources);
