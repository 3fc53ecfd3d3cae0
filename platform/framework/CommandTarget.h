// Command routing: a target looks a command up in its own table, asks the update handler first and
// carries the command out only when it is enabled.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/framework/CommandUI.h"

class CCommandTarget {
 public:
  virtual ~CCommandTarget() = default;

  // Fills ui from the update handler; returns false when this target has no entry for the id.
  virtual bool UpdateCommand(CCmdUI& ui) = 0;
  // Runs the command's handler if enabled; returns false when this target has no handler for it.
  virtual bool ExecuteCommand(UINT id) = 0;
};

// One target's table: entries cover an id range with a handler and an optional update handler.
template <typename Target>
struct CommandEntry {
  UINT firstId;
  UINT lastId;
  void (Target::*run)(UINT id);
  void (Target::*update)(CCmdUI& ui);
};

template <typename Target, std::size_t N>
const CommandEntry<Target>* FindCommand(const CommandEntry<Target> (&table)[N], UINT id) {
  for (const auto& entry : table) {
    if (id >= entry.firstId && id <= entry.lastId) return &entry;
  }
  return nullptr;
}

// Shared implementation of UpdateCommand and ExecuteCommand over a command table.
template <typename Target, std::size_t N>
bool UpdateFromTable(Target& target, const CommandEntry<Target> (&table)[N], CCmdUI& ui) {
  const CommandEntry<Target>* entry = FindCommand(table, ui.Id());
  if (!entry) return false;
  if (entry->update) (target.*(entry->update))(ui);
  return true;
}

template <typename Target, std::size_t N>
bool ExecuteFromTable(Target& target, const CommandEntry<Target> (&table)[N], UINT id) {
  const CommandEntry<Target>* entry = FindCommand(table, id);
  // An entry without a handler only speaks for the command's state; another target runs it.
  if (!entry || !entry->run) return false;
  CCmdUI ui(id);
  if (entry->update) (target.*(entry->update))(ui);
  // A disabled command is never carried out, whichever way it arrived.
  if (ui.IsEnabled()) (target.*(entry->run))(id);
  return true;
}
