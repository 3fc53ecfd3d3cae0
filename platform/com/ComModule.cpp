// Module-wide counts of live COM objects and server locks.
#include "platform/com/ComModule.h"

#include <atomic>

namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

void ComModule::SetInstance(HINSTANCE instance) { g_instance = instance; }
HINSTANCE ComModule::Instance() { return g_instance; }
void ComModule::ObjectCreated() { ++g_objects; }
void ComModule::ObjectDestroyed() { --g_objects; }
void ComModule::Lock(bool lock) {
  if (lock) {
    ++g_locks;
  } else {
    --g_locks;
  }
}
bool ComModule::CanUnload() { return g_objects.load() == 0 && g_locks.load() == 0; }
long ComModule::LiveObjects() { return g_objects.load(); }
