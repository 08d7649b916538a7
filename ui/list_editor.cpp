#include "ui/list_editor.h"

#include "order/reference_files.h"
#include "rtl/file_names.h"
#include "vcl/fonts.h"
#include "vcl/text.h"

namespace ui {

static_assert(vcl::TMemo::kMaxLength == order::kEditorCapacity,
              "the memo must hold every text LoadListText gives");

namespace {
void Place(vcl::TControl& control, const QRect& r) {
  control.SetBounds(r.left(), r.top(), r.width(), r.height());
}
}  // namespace

ListEditorParts BuildListEditor(vcl::TForm& form, const ListEditorLayout& layout) {
  form.SetCaption(vcl::Sjis(layout.caption));
  form.SetFont(vcl::PixelFont(vcl::kMsPGothic, 12));

  ListEditorParts parts{};
  parts.memo = new vcl::TMemo(&form);
  Place(*parts.memo, layout.memo);
  parts.memo->SetScrollBars(layout.scrollBars);
  parts.memo->SetWordWrap(true);
  parts.memo->SetText("\r\n");  // one empty line

  parts.button = new vcl::TButton(&form);
  Place(*parts.button, layout.button);
  parts.button->SetCaption(vcl::Sjis(layout.buttonCaption));

  parts.menu = new vcl::TMainMenu(&form);
  parts.menuItem = new vcl::TMenuItem(&form);
  parts.menuItem->SetCaption(vcl::Sjis(layout.menuCaption));
  parts.menu->Add(parts.menuItem);
  form.SetMenu(parts.menu);

  form.SetTabOrder({parts.memo, parts.button});
  const QRect& b = layout.bounds;
  form.SetBounds(b.left(), b.top(), b.width(), b.height());
  form.SetVisibleAtCreation(false);
  return parts;
}

void LoadListEditor(vcl::TMemo& memo, const char* fileName) {
  if (rtl::FileExists(fileName)) memo.SetText(order::LoadListText(fileName));
}

}  // namespace ui
