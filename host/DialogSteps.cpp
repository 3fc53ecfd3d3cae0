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

// Whether the browser's tree shows the folder as selected: its item carries the path's last name.
// A browser that kept another folder would otherwise send the files somewhere else unnoticed.
bool FolderSelected(HWND browser, const std::wstring& path) {
  HWND tree = nullptr;
  EnumChildWindows(browser, FindTree, reinterpret_cast<LPARAM>(&tree));
  if (!tree) return false;
  const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return false;
  wchar_t text[MAX_PATH] = L"";
  TVITEMW query{};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = MAX_PATH;
  if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return false;
  std::wstring folder = path;
  while (folder.size() > 1 && folder.back() == L'\\') folder.pop_back();
  const std::wstring last = folder.substr(folder.find_last_of(L'\\') + 1);
  // A drive's root shows as a label around its letter ("Local Disk (C:)").
  return last.back() == L':' ? std::wcsstr(text, last.c_str()) != nullptr : _wcsicmp(text, last.c_str()) == 0;
}

// The second pass finds the levels the first one opened.
bool SelectFolder(HWND browser, const std::wstring& path) {
  for (int pass = 0; pass < 2; ++pass) {
    SelectFolderLevels(browser, path);
    if (FolderSelected(browser, path)) return true;
  }
  return false;
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
