// A top-level window with a caption, a place and size on the screen, a font, an optional main
// menu and a client area that holds its controls at fixed pixel places.
#pragma once

#include <QFont>
#include <QMainWindow>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "vcl/component.h"

namespace vcl {

class TControl;
class TMainMenu;

class TForm : public TComponent {
 public:
  // The frame the sizes of a window include, in pixels at 96 dpi: a sizeable border, the caption
  // bar and a one-line menu bar.
  static constexpr int kBorder = 4;
  static constexpr int kCaptionBar = 19;
  static constexpr int kMenuBar = 20;

  TForm();
  ~TForm() override;

  // Runs once after the form and its components are built (see TApplication::CreateForm).
  virtual void FormCreate() {}

  const std::string& Caption() const { return caption_; }  // CP932
  void SetCaption(std::string caption);

  // Outer place and size, frame included; the client area is what the frame leaves.
  void SetBounds(int left, int top, int width, int height);
  int ClientWidth() const;
  int ClientHeight() const;

  void SetFont(const QFont& font);
  void SetMenu(TMainMenu* menu);
  TMainMenu* Menu() const { return menu_; }

  // Whether the form shows itself once it is created (TApplication::CreateForm).
  bool VisibleAtCreation() const { return visibleAtCreation_; }
  void SetVisibleAtCreation(bool visible) { visibleAtCreation_ = visible; }

  bool Visible() const;
  void Show();  // makes it visible and brings it to the front
  void Hide();
  void Close();  // as the close box does

  // Called after the window was closed by the user or by Close().
  std::function<void()> OnClose;

  // What a window key does instead while a one-line text field of the window has the focus.
  enum class FieldCommand { kNone, kUndo, kRedo };
  // A key of the whole window, written as in a menu ("Ctrl+Shift+Z"): `onPress` runs when it is
  // pressed while the window is active, unless a text field of the window has the focus and
  // `fieldCommand` is not kNone: then the key undoes or redoes the typing in that field.
  void AddShortcut(const std::string& keys, FieldCommand fieldCommand,
                   std::function<void()> onPress);

  // Files dropped on the window from a file manager, as the full paths of the local files among
  // them, in their order; runs after the drop is over. While it is set the window takes a drop
  // that carries a local file and refuses any other; while it is not, it refuses all.
  std::function<void(const std::vector<std::string>& paths)> OnDropFiles;

  // Sets the keyboard focus order of `controls`, first to last.
  void SetTabOrder(std::initializer_list<TControl*> controls);
  const std::vector<TControl*>& TabOrder() const { return tabOrder_; }

  QMainWindow* Window() const { return window_.get(); }
  QWidget* Client() const { return client_; }

 private:
  class FormWindow;
  void ApplyGeometry();

  std::unique_ptr<QMainWindow> window_;
  QWidget* client_;
  std::string caption_;
  TMainMenu* menu_ = nullptr;
  std::vector<TControl*> tabOrder_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visibleAtCreation_ = false;
};

}  // namespace vcl
