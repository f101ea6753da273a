#include "draft/tables/TextTreeFile.h"

#include <new>

#include "draft/tables/TecReqText.h"
#include "platform/core/MessageBox.h"
#include "platform/core/StdioFile.h"

namespace {
const char* const kCannotOpen = "文件[%s]不能打开.";
const char* const kSyntaxError = "文件[%s]有语法错误(\"{\"和\"}\"数目不匹配).";
const char* const kNoMemory = "分配%d长度内存未能成功.";
// The size the message names for a node.
constexpr int kNodeBytes = 16;

void ShowPathMessage(const char* format, const char* path) {
  CStringA message;
  message.Format(format, path);
  AfxMessageBox(message);
}
}  // namespace

CTextTreeFile::~CTextTreeFile() { Clear(); }

void CTextTreeFile::FreeNodes(Node* node) {
  // Siblings iteratively, children recursively: a long list of siblings
  // does not deepen the recursion.
  while (node) {
    Node* next = node->next;
    FreeNodes(node->child);
    delete node;
    node = next;
  }
}

void CTextTreeFile::Clear() {
  FreeNodes(root_);
  root_ = nullptr;
  stack_.clear();
}

int CTextTreeFile::Read(const char* path) {
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead | CFile::typeText)) {
    ShowPathMessage(kCannotOpen, path);
    return 0;
  }
  Node* current = nullptr;
  int linkMode = 0;  // 0 next sibling (or the root), 1 first child, 2 next sibling
  Node* parent = nullptr;
  CStringA line;
  while (file.ReadString(line)) {
    TrimBlanks(line);
    if (line.IsEmpty()) continue;
    // Searched by character: a GBK trail byte equal to a brace never counts.
    const int open = line.ReverseFind('{');
    const int close = line.ReverseFind('}');
    if (open < 0 && close < 0) {
      if (linkMode == 1 && !current) {
        ShowPathMessage(kSyntaxError, path);
        return 0;
      }
      Node* node = new (std::nothrow) Node;
      if (!node) {
        CStringA message;
        message.Format(kNoMemory, kNodeBytes);
        AfxMessageBox(message);
        return 0;
      }
      node->parent = parent;
      node->text = line;
      if (linkMode == 1) {
        current->child = node;
      } else if (current) {
        current->next = node;
      } else {
        root_ = node;
      }
      linkMode = 0;
      current = node;
      continue;
    }
    if (open >= 0) {
      if (!current) {
        // A child block before any node.
        ShowPathMessage(kSyntaxError, path);
        return 0;
      }
      stack_.push_back(current);
      parent = current;
      linkMode = 1;
    }
    if (close >= 0) {
      if (stack_.empty()) {
        ShowPathMessage(kSyntaxError, path);
        return 0;
      }
      current = stack_.back();
      stack_.pop_back();
      parent = current->parent;
      linkMode = 2;
    }
  }
  file.Close();
  if (!stack_.empty()) ShowPathMessage(kSyntaxError, path);
  return 1;
}

CTextTreeFile::Node* CTextTreeFile::Find(Node* node, const char* text) {
  for (; node; node = node->next) {
    if (node->text.CompareNoCase(text) == 0) return node;
    if (Node* found = Find(node->child, text)) return found;
  }
  return nullptr;
}
