// Parsing and carrying out a dialog's answer.
#include "host/DialogSteps.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cwchar>
#include <cwctype>

#include "host/UserInput.h"

namespace {

struct Verb {
  const wchar_t* name;
  DialogStep::Kind kind;
};

constexpr Verb kVerbs[] = {{L"type", DialogStep::kType},
                           {L"choose", DialogStep::kChoose},
                           {L"click", DialogStep::kClick},
                           {L"folder", DialogStep::kFolder}};

std::wstring Trimmed(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return L"";
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// The number at the start of text (digits only, below a million), and what follows its space.
bool LeadingNumber(const std::wstring& text, int& number, std::wstring& rest) {
  std::size_t digits = 0;
  while (digits < text.size() && std::iswdigit(text[digits])) ++digits;
  if (digits == 0 || digits > 6 || (digits < text.size() && text[digits] != L' ')) return false;
  number = std::stoi(text.substr(0, digits));
  rest = digits < text.size() ? text.substr(digits + 1) : L"";
  return true;
}

bool ParseStep(const std::wstring& part, DialogStep& step) {
  const std::wstring verb = part.substr(0, part.find(L' '));
  const std::wstring operand = verb.size() < part.size() ? Trimmed(part.substr(verb.size())) : L"";
  bool known = false;
  for (const Verb& entry : kVerbs) {
    if (verb == entry.name) {
      step.kind = entry.kind;
      known = true;
    }
  }
  if (!known) return false;
  if (step.kind == DialogStep::kFolder) {
    step.id = 0;
    step.text = operand;
    return !operand.empty();
  }
  if (!LeadingNumber(operand, step.id, step.text)) return false;
  if (step.kind == DialogStep::kClick) return step.text.empty();
  if (step.kind == DialogStep::kChoose) {
    std::wstring none;
    return LeadingNumber(step.text, step.index, none) && none.empty();
  }
  return true;
}

// A person opens the browser's tree one level at a time down to the folder; Wine's browser, too,
// finds a folder only below the levels already opened. Each level is selected with the browser's
// own message, as a click in its tree selects it.
void SelectFolderLevels(HWND browser, const std::wstring& path) {
  std::size_t end = path.find(L'\\', 1);
  while (end != std::wstring::npos && end + 1 < path.size()) {
    // A drive's root keeps its backslash; folders are named without one.
    const std::wstring level = path.substr(0, path[end - 1] == L':' ? end + 1 : end);
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(level.c_str()));
    end = path.find(L'\\', end + 1);
  }
  SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
}

BOOL CALLBACK FindTree(HWND child, LPARAM found) {
  wchar_t name[32] = L"";
  GetClassNameW(child, name, 32);
  if (std::wcscmp(name, WC_TREEVIEWW) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

HWND BrowserTree(HWND browser) {
  HWND tree = nullptr;
  EnumChildWindows(browser, FindTree, reinterpret_cast<LPARAM>(&tree));
  return tree;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[MAX_PATH] = L"";
  TVITEMW query{};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = MAX_PATH;
  if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return L"";
  return text;
}

// A drive's root shows as a label around its letter ("Local Disk (C:)"); a folder by its name.
bool ShowsName(const std::wstring& text, const std::wstring& name) {
  return name.back() == L':' ? text.find(name) != std::wstring::npos : _wcsicmp(text.c_str(), name.c_str()) == 0;
}

std::vector<std::wstring> PathNames(const std::wstring& path) {
  std::vector<std::wstring> names;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    if (end > start) names.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// Whether the browser's tree shows the folder as selected: its item carries the path's last name.
// A browser that kept another folder would otherwise send the files somewhere else unnoticed.
bool FolderSelected(HWND browser, const std::wstring& path) {
  const HWND tree = BrowserTree(browser);
  const std::vector<std::wstring> names = PathNames(path);
  if (!tree || names.empty()) return false;
  const HTREEITEM item = NextItem(tree, nullptr, TVGN_CARET);
  return item && ShowsName(ItemText(tree, item), names.back());
}

// Wine's browser at times stops at a level whose tree item does show the next folder: the rest of
// the way is then clicked in the tree, level by level, as a person would.
void SelectBelowCaret(HWND browser, const std::wstring& path) {
  const HWND tree = BrowserTree(browser);
  const std::vector<std::wstring> names = PathNames(path);
  HTREEITEM item = tree ? NextItem(tree, nullptr, TVGN_CARET) : nullptr;
  if (!item) return;
  const std::wstring reached = ItemText(tree, item);
  std::size_t level = names.size();
  while (level > 0 && !ShowsName(reached, names[level - 1])) --level;
  for (; item && level > 0 && level < names.size(); ++level) {
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    HTREEITEM child = NextItem(tree, item, TVGN_CHILD);
    while (child && !ShowsName(ItemText(tree, child), names[level])) child = NextItem(tree, child, TVGN_NEXT);
    if (child) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
    item = child;
  }
}

// The second pass finds the levels the first one opened.
bool SelectFolder(HWND browser, const std::wstring& path) {
  for (int pass = 0; pass < 2; ++pass) {
    SelectFolderLevels(browser, path);
    if (FolderSelected(browser, path)) return true;
  }
  SelectBelowCaret(browser, path);
  return FolderSelected(browser, path);
}

}  // namespace

bool ParseDialogSteps(const std::wstring& text, std::vector<DialogStep>& steps) {
  std::vector<DialogStep> parsed;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L';', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring part = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (part.empty()) continue;
    DialogStep step{};
    if (!ParseStep(part, step)) return false;
    parsed.push_back(step);
  }
  steps.insert(steps.end(), parsed.begin(), parsed.end());
  return true;
}

bool ApplyDialogSteps(HWND dialog, const std::vector<DialogStep>& steps) {
  for (const DialogStep& step : steps) {
    bool done = false;
    switch (step.kind) {
      case DialogStep::kType: done = TypeInto(dialog, step.id, step.text); break;
      case DialogStep::kChoose: done = ChooseItem(dialog, step.id, step.index); break;
      case DialogStep::kClick: done = ClickButton(dialog, step.id); break;
      case DialogStep::kFolder:
        done = SelectFolder(dialog, step.text);
        break;
    }
    if (!done) return false;
  }
  return true;
}
