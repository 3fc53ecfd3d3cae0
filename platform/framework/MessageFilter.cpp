// The filters of the window's thread, asked in the order they were added.
#include "platform/framework/MessageFilter.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<CMessageFilter*>& Filters() {
  static thread_local std::vector<CMessageFilter*> filters;
  return filters;
}

}  // namespace

void AddMessageFilter(CMessageFilter* filter) { Filters().push_back(filter); }

void RemoveMessageFilter(CMessageFilter* filter) {
  auto& filters = Filters();
  filters.erase(std::remove(filters.begin(), filters.end(), filter), filters.end());
}

bool PreTranslateFrameworkMessage(MSG& msg) {
  // A copy: a filter's handling may add or remove filters.
  const std::vector<CMessageFilter*> filters = Filters();
  for (CMessageFilter* filter : filters) {
    if (filter->PreTranslateMessage(msg)) return true;
  }
  return false;
}
