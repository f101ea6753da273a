// The reader of a requirements library (.jyk): a tree of text nodes, one
// line each; a node's children follow it between a line "{" and a line "}".
// Lines are trimmed of blanks; a line holding a brace keeps no text. More
// "}" than "{", or a child block before any node, is a syntax error; more
// "{" than "}" reads with a warning at the end.
#pragma once

#include <vector>

#include "platform/core/String.h"

class CTextTreeFile {
 public:
  struct Node {
    Node* next = nullptr;
    Node* child = nullptr;
    Node* parent = nullptr;
    CStringA text;
  };

  CTextTreeFile() = default;
  CTextTreeFile(const CTextTreeFile&) = delete;
  CTextTreeFile& operator=(const CTextTreeFile&) = delete;
  virtual ~CTextTreeFile();

  // 1 on success (also after the unbalanced-brace warning), 0 on failure
  // (its message shown; the tree read so far stays until Clear).
  int Read(const char* path);
  // The first node, in pre-order from `node` (a node, its children, then its
  // next sibling), whose text equals `text` ignoring case; null if none.
  static Node* Find(Node* node, const char* text);
  // Frees every node and the stack of open parents.
  void Clear();

  Node* GetRoot() const { return root_; }

 private:
  static void FreeNodes(Node* node);

  Node* root_ = nullptr;
  std::vector<Node*> stack_;
};
