#pragma once
// TSkinComBox: a combo box drawn from the skin. The system paints the combo
// box into an off-screen picture, the skin's frame and drop-down button go
// over it (the field inside the frame is left as the system drew it), and
// the picture is copied to the screen once. The button is lit while the
// mouse is over it and pressed while the list is down; a right-to-left
// combo box shows the mirrored image, its button at the left.
//
// Content: the field, the edit of an editable combo box and the dropped or
// standing list take the skin's Window background under its WindowText (a
// skin that gives neither leaves them as the system draws them); chosen
// items keep the highlight colours. The list and the edit ask their combo
// box for those colours, so they are answered in the combo's own procedure.
//
// The edit of an editable combo box keeps its own painting: it is only
// watched, so the button shows the focus the edit has. The list of a simple
// combo box gets skinned scroll bars, and so does a dropped list while it
// is down. All of it, and the colour brush, is
// given back when the object lets go.
#include <windows.h>

#include <memory>

#include "framework/GdiObjects.h"
#include "framework/Subclass.h"
#include "skin/controls/SkinControl.h"

class TSkinScrollbarH;

class TSkinComBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinComBox() override;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;
  void Restore() override;
  void SkinChanged() override;

  // The drop-down button as last drawn (client coordinates), where the
  // mouse lights it; empty before the first skinned paint.
  const TRect& ButtonRect() const { return button_rect_; }
  bool Hot() const { return (mouse_state_ & kMouseHot) != 0; }
  HWND EditHandle() const { return edit_; }
  HWND ListHandle() const { return list_; }
  TSkinScrollbarH* ListScrollbar() const { return list_bar_.get(); }
  // The skinned scroll bars of a drop-down list while it is dropped, else
  // null.
  TSkinScrollbarH* DroppedScrollbar() const { return drop_bar_.get(); }

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                   DWORD_PTR ref);
  // A combo box without a framework parent asks its parent window for the
  // colours of its field; that window is watched for the question.
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR ref);
  static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                   DWORD_PTR ref);
  // The list paints into a back buffer, its chosen row is put into the
  // skin's highlight there, and the buffer is copied once.
  void PaintList(HWND list, WPARAM wp);
  // The chosen row in the skin's highlight, straight onto the list (the
  // list draws a row it chooses under the mouse or the keys at once).
  void MarkChosenRow(HWND list);
  // `text` in `rect` of `dc` in the skin's highlight colours.
  void PaintChosen(HDC dc, const RECT& rect, const std::wstring& text, HFONT font) const;
  void PaintFieldText(HDC dc, const RECT& rect, const std::wstring& text, HFONT font, TColor back,
                      TColor ink) const;
  // The choice of a focused drop-down list in the skin's highlight, in the
  // back buffer.
  void MarkChosenField();
  void PaintListBorder(HWND list) const;
  // Whether the list draws its own texts (not an owner-drawn one).
  static bool ListDrawsTexts(HWND list);
  // The edit, the list and the list's scroll bars, once the window exists.
  void AttachParts();
  // A drop-down list gets skinned scroll bars while it is down.
  void ListDropped();
  void ListClosed();
  void LetDropBarGo();
  // Whether the skin draws this combo box now: it has a combo image and
  // the combo box a drop-down button.
  bool SkinsButton() const;
  // Whether the skin frames the edit of a simple combo box (it has content
  // colours and combo images).
  bool SkinsSimpleField() const;
  void DrawSimpleField(const TRect& rect);
  bool RightToLeft() const;
  // A right-to-left combo box whose system keeps its button at the right:
  // the skin's button at the left takes the presses for it, the edit moves
  // beside it and the system's button is covered by the field.
  bool ButtonMoved() const;
  void PlaceEdit();
  // The width of the button the skin draws at the left of such a combo.
  int LeftButtonWidth() const;
  // The width of the system's drop-down button at the combo box's DPI.
  int ButtonWidth() const;
  // How far from the right the button the skin draws reaches, by the
  // combo image's style.
  int DrawnButtonWidth() const;
  // The system's paint into the back buffer, the skin over it, one copy.
  void PaintBuffered(TMessage& m);
  // WM_CTLCOLOR* of the field, the edit or the list: the content colours,
  // or false when the skin gives none.
  bool AnswerContentColours(TMessage& m);
  void MakeContentBrush();
  // Button states of the skin's strips: 1 normal, 2 pressed, 3 disabled,
  // 4 hot or focused.
  int ButtonState() const;
  void DrawStyleWhole(const TRect& r, int state);
  void DrawStyleParts(const TRect& r, int state);
  void DrawStyleFlat(const TRect& r, int state);
  // Sets or clears the hot bit, repainting when it changed.
  void SetHot(bool hot);

  HWND edit_ = nullptr;
  HWND list_ = nullptr;
  TWindowSubclass edit_subclass_;
  TWindowSubclass list_subclass_;
  TWindowSubclass parent_subclass_;
  TBackBuffer list_buffer_;
  std::unique_ptr<TSkinScrollbarH> list_bar_;
  std::unique_ptr<TSkinScrollbarH> drop_bar_;
  // The dropped list's bars after the list closed, restored, until no call
  // of theirs can be running.
  std::unique_ptr<TSkinScrollbarH> retired_drop_bar_;
  TOwnedBrush content_brush_;
  bool content_colours_ = false;
  TRect button_rect_;
  // Where the system had put the edit before it moved beside the skin's
  // left button (combo client coordinates); given back with the skin.
  bool edit_moved_ = false;
  RECT edit_home_{};
  // BeginPaint of the combo box runs (and may send WM_NCPAINT).
  bool in_begin_paint_ = false;
};
