// Depth of nested loops, and frees deferred until the outermost loop runs again. A timer
// without a window is dispatched by any loop, nested ones included; it frees only at depth 0.
#include "platform/framework/NestedLoop.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace {

struct PendingFree {
  void (*free)(void*);
  void* object;
};

thread_local int t_depth = 0;
thread_local std::vector<PendingFree>* t_pending = nullptr;
thread_local UINT_PTR t_timer = 0;

void CALLBACK OnFreeTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (t_depth != 0 || !t_pending) return;
  KillTimer(nullptr, t_timer);
  t_timer = 0;
  std::vector<PendingFree>* pending = t_pending;
  t_pending = nullptr;
  for (const PendingFree& entry : *pending) entry.free(entry.object);
  delete pending;
}

}  // namespace

NestedLoopScope::NestedLoopScope() { ++t_depth; }
NestedLoopScope::~NestedLoopScope() { --t_depth; }

int NestedLoopDepth() { return t_depth; }

void FreeWhenLoopsEnd(void (*free)(void* object), void* object) {
  if (t_depth == 0) {
    free(object);
    return;
  }
  if (!t_pending) t_pending = new std::vector<PendingFree>;
  t_pending->push_back({free, object});
  if (!t_timer) t_timer = SetTimer(nullptr, 0, 10, OnFreeTimer);
}

long PendingFrees() { return t_pending ? static_cast<long>(t_pending->size()) : 0; }
