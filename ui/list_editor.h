// What the two list editors (the names and the order numbers) share: a window with a memo holding
// a list file's text, a button that saves it and a one-item menu that hides the window.
#pragma once

#include <QRect>
#include <string>

#include "vcl/button.h"
#include "vcl/form.h"
#include "vcl/memo.h"
#include "vcl/menu.h"

namespace ui {

struct ListEditorLayout {
  const char* caption;  // UTF-8, as every caption below
  QRect bounds;         // the window, frame included
  QRect memo;
  vcl::TScrollStyle scrollBars;
  QRect button;
  const char* buttonCaption;
  const char* menuCaption;
};

// The components of a list editor window, created on `form` and placed by `layout`. The memo
// holds one empty line; the window stays hidden at creation.
struct ListEditorParts {
  vcl::TMemo* memo;
  vcl::TButton* button;
  vcl::TMainMenu* menu;
  vcl::TMenuItem* menuItem;
};
ListEditorParts BuildListEditor(vcl::TForm& form, const ListEditorLayout& layout);

// The memo's text from `fileName` when such a file exists; otherwise the memo keeps its text.
void LoadListEditor(vcl::TMemo& memo, const char* fileName);

}  // namespace ui
