// The library linked into the resource and class chain, once per process,
// so that its dialogs, texts and classes (by name, when a stream is read)
// are found.
#pragma once

extern "C" void _InitScrivel();

inline void LinkDiagramLibrary() {
  static const bool linked = [] {
    _InitScrivel();
    return true;
  }();
  (void)linked;
}
