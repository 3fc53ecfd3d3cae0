// Nested message loops on the window's thread (scans, saving, message boxes, modal dialogs):
// objects whose handlers may be running one are freed only once every such loop has ended.
#pragma once

// Marks a nested loop for as long as it lives.
class NestedLoopScope {
 public:
  NestedLoopScope();
  ~NestedLoopScope();
  NestedLoopScope(const NestedLoopScope&) = delete;
  NestedLoopScope& operator=(const NestedLoopScope&) = delete;
};

int NestedLoopDepth();

// Runs free(object) now when no nested loop runs on this thread, else from the thread's
// outermost message loop after the last one has ended.
void FreeWhenLoopsEnd(void (*free)(void* object), void* object);
// Calls waiting for FreeWhenLoopsEnd, for leak checks.
long PendingFrees();
