#pragma once
// TWinSkinForm: the skinning engine of one top-level window. It subclasses
// the window (a subclass layer, TWindowSubclass, with the engine as reference
// data, so other layers stack and come off in any order), owns its non-client
// area from then on — frame and title bar painted from the skin, the window
// region cut out of the frame images, the caption buttons, hit testing and
// the skinned system menu — and gives back everything it took (procedure,
// styles, colour, region, system rendering) when the skin is switched off.
//
// Owner: the framework form it skins, or the skin manager for a bare window.
// Destroy order: stop dispatching (the subclass and the form hook come off
// at WM_NCDESTROY or at Detach), then the manager drops the engine; the
// destructor leaves the manager's list.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/GdiObjects.h"
#include "framework/Subclass.h"
#include "framework/Timer.h"
#include "framework/WndMethodLayer.h"
#include "skin/form/FrameGeometry.h"
#include "skin/menu/BareMenuMeasure.h"

class TForm;
class TPopupMenu;
class TDataSkinSysButton;
class TSkinControl;
class TSkinData;
class TSkinManage;
class TNCObject;
class TMenuBtn;
class TWinSkinMenu;
class TWinSysButton;

// Skin states of an engine.
enum TSkinState {
  ksAttached = 0,
  ksActive = 1,
  ksReapplying = 3,
  ksDestroying = 4,
  ksFinishResize = 5,
  ksDestroyed = 6
};

// What the window is in an MDI application.
enum TMdiKind { mkNone = 0, mkFrame = 1, mkChild = 2 };

class TWinSkinForm : public TComponent {
 public:
  // `owner` is the form being skinned, or null for a bare window.
  TWinSkinForm(TComponent* owner, TSkinManage& manager, HWND handle, std::string class_name);
  ~TWinSkinForm() override;

  // --- attaching and detaching
  void AttachForm(TSkinData* data, TForm* form);
  void AttachWindow(TSkinData* data);
  void FinishSkin();
  // Full unskinning while the window lives.
  void Detach();
  // Unskinning of a window whose frame was not skinned.
  void DetachPlain();
  // Takes the subclass and hooks off without touching the window's look
  // (its window is being destroyed, or the process ends).
  void ReleaseHooks();
  // The skin's colours or images changed.
  void ReapplySkin();
  // Frame metrics and caption buttons from the current skin.
  void BuildFrame();
  void DropCaptionButtons();
  // The skin's images were read anew: what was drawn from the old ones is
  // forgotten, while the caption buttons stay (they look their definitions
  // up in the skin) until the frame is rebuilt.
  void ForgetSkinImages() { ForgetRenderedParts(); }

  // --- skinned child controls (owned)
  // Takes the object into the list (once) and answers it.
  TSkinControl* AddControl(std::unique_ptr<TSkinControl> control);
  bool HasControl(const TSkinControl* control) const;
  std::unique_ptr<TSkinControl> RemoveControl(TSkinControl* control);
  void PurgeControls();
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  const std::vector<std::unique_ptr<TSkinControl>>& Controls() const { return controls_; }

  // --- frame
  void PaintFrame(HDC dc);
  void ResizeForFrame(bool keep_client);
  // Builds the region again when the window's size changed (always while
  // a new skin is applied) and gives it to the window, which repaints with
  // `redraw`.
  void UpdateRegion(bool redraw = true);
  // The window's outline at w x h from the frame images (owned by the
  // caller).
  HRGN BuildRegion(int w, int h) const;
  void RemoveRegion();
  // Shows (true) or hides the system's own caption, where the engine
  // switches it.
  void SetCaptionStyle(bool show);
  // Takes WS_SYSMENU away (true) or gives it back.
  void SetSysMenuStyle(bool remove);
  void UpdateShowState();

  // --- caption buttons and commands (CaptionActions.cpp)
  void ShowSystemMenu(POINT screen_point);
  void DoButtonAction(POINT screen_point);
  void ToggleMaximize();
  void RestoreWindow();
  void ToggleMinimize();
  void SendToActiveChild(UINT command);
  bool IsButtonVisible(int index);
  void LayoutButtons();
  // Frame coordinates of a screen point.
  POINT ToFrame(POINT screen_point) const;
  TNCObject* FindObjectAt(POINT frame_point) const;
  TNCObject* HotObject() const { return hot_object_; }
  void SetHotObject(TNCObject* object) { hot_object_ = object; }
  // Paints one caption button on the window outside a frame paint.
  void PaintCaptionButton(const TWinSysButton& button);

  // --- the skinned menu bar (skin/menu)
  TWinSkinMenu* MenuBar() const { return menu_bar_.get(); }
  // What the items of the window's menus that no framework menu answers
  // for are measured with.
  TBareMenuMeasure& BareMenuMeasure() { return bare_menu_measure_; }
  // Opens the drop-down of a menu-bar button and runs until it closed;
  // answers whether one opened.
  bool OpenPopup(TMenuBtn* button);
  bool MenuTracking() const { return menu_tracking_; }
  void SetMenuTracking(bool on) { menu_tracking_ = on; }
  // The bar drops its buttons: the engine lets go of any it holds.
  void ForgetMenuButtons();
  // The frame may be painted now (skinned, active, painting switched on).
  bool CanPaintFrame() const;

  // --- state
  HWND Handle() const { return handle_; }
  TForm* Form() const { return form_; }
  TSkinData* SkinData() const { return skin_data_; }
  TSkinManage& Manager() const { return manager_; }
  const std::string& ClassName() const { return class_name_; }
  TSkinState SkinState() const { return skin_state_; }
  bool FrameSkinned() const { return frame_skinned_; }
  bool Finished() const { return finished_; }
  TFrameKind FrameKind() const { return frame_kind_; }
  TMdiKind MdiKind() const { return mdi_kind_; }
  TShowState ShowState() const { return show_state_; }
  void SetShowState(TShowState state) { show_state_ = state; }
  bool Active() const { return active_; }
  int BorderIcons() const { return border_icons_; }
  bool SystemDialog() const { return system_dialog_; }
  const TFrameMetrics& Metrics() const { return metrics_; }
  // The DPI the frame is drawn for (the window's, read when the frame is
  // built and when the window moves to another DPI).
  int Dpi() const { return dpi_; }
  int MenuBarHeight() const { return menu_bar_height_; }
  bool RegionSet() const { return region_set_; }
  int CaptionButtonCount() const { return static_cast<int>(buttons_.size()); }
  const TWinSysButton& CaptionButton(int index) const { return *buttons_.at(index); }
  bool HoverTimerEnabled() const { return hover_timer_ && hover_timer_->Enabled(); }
  bool Hooked() const { return subclass_.Installed(); }
  // Whether the skin's frame can be applied to this window (see
  // FrameUsable); a window whose frame cannot keeps its own.
  bool SkinFrameUsable() const;
  // A call of the engine (a message it dispatches) is on the stack: the
  // manager does not free it until that call has returned.
  bool Busy() const { return busy_ > 0; }
  // The native non-client size measured when finishing.
  SIZE NativeFrameSize() const { return native_frame_; }
  // How many frame parts (each at a size, look and DPI) have been scaled
  // from the skin's images so far, for the window's paints and regions.
  int PartsRendered() const { return parts_rendered_; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR ref);
  static LRESULT CALLBACK ClientSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                             DWORD_PTR ref);
  void Dispatch(TMessage& m);
  bool DispatchStage1(TMessage& m);
  bool DispatchStage2(TMessage& m);
  void DispatchStage3(TMessage& m);
  void FormHook(TMessage& m);
  void ColourToolbarText(TMessage& m);
  // Takes the engine's layer off the form's window method: it is put back
  // to what it was when no later layer wraps ours; otherwise our layer
  // stays and only passes messages on, so layers come off in any order.
  void UnhookForm();
  void ClientDispatch(TMessage& m);
  void CallPrevious(TMessage& m);
  void HookClient();
  void UnhookClient();
  void ReleaseControls();
  void SetFormColour(bool skinned);
  void SetSystemRendering(bool skinned);
  bool IsMdiChild() const { return mdi_kind_ == mkChild; }
  bool IsBareWindow() const { return form_ == nullptr; }

  // Frame painting (FramePaint.cpp).
  void OnNcCalcSize(TMessage& m);
  void OnNcPaint(TMessage& m);
  void OnNcActivate(TMessage& m);
  void OnSize(TMessage& m);
  // A size change starts: the size it asks for is noted while the system
  // bounds it.
  void OnWindowPosChanging(TMessage& m);
  void RepaintAfterSize(SIZE client);
  void OnGetMinMaxInfo(TMessage& m);
  // The window moves to another DPI: the frame, its buttons and the title
  // are built again for it before the window takes its new size.
  void OnDpiChanged(TMessage& m);
  // The caption font of the system at the frame's DPI.
  void MakeCaptionFont();
  // A caption button's size on the frame: the skin's cell scaled to the
  // DPI (the window icon is drawn at the system's small-icon size).
  SIZE CaptionButtonSize(const TDataSkinSysButton& definition) const;
  // The monitor the window is on (nearest); false when it cannot be asked.
  bool MonitorOf(MONITORINFO& info) const;
  void KeepAutoHideBarsReachable(const RECT& monitor, RECT& area);
  // `pass` hands the message on (the form's old window method, or the
  // previous procedure of a bare window).
  void OnSetText(TMessage& m, const TWndMethod& pass);
  // The title bar of `width` x `height`; the side parts give its corners
  // (both null for a minimised window, whose whole frame is the title).
  void PaintTitleBar(HDC dc, int width, int height, const TBitmap* left, const TBitmap* right);
  // The title bar's parts, text and window icon, without the other
  // caption buttons.
  void ComposeTitle(TBitmap& title, int width, int height, const TBitmap* left,
                    const TBitmap* right);
  void PaintTitleText(HDC dc, int width);
  // Where the title text starts from the window's left edge.
  int TitleShift() const;
  void PaintWindowIcon(HDC dc, const TRect& bounds);
  // Frame part 1 left, 2 right, 3 top, 4 bottom, rendered at a size in the
  // look of the window's activation.
  const TBitmap& RenderPart(int part, int width, int height) const;
  void ForgetRenderedParts();
  // A button that shows its pressed cell while the window is in its state
  // (the pin while the window is kept on top).
  bool ShowsPressed(const TDataSkinSysButton& definition) const;
  // Paints such buttons again after the window's state changed.
  void RepaintStateButtons();
  void DrawButtonCell(TBitmap& target, const TRect& bounds, const TDataSkinSysButton& definition,
                      int frame) const;
  // Cell `cell` of the button's image scaled to width x height (kept).
  const TBitmap& ScaledButtonCell(const TDataSkinSysButton& definition, int cell, int width,
                                  int height) const;
  void DrawIcon();
  std::wstring ReadCaption() const;

  // Caption buttons and commands (CaptionActions.cpp).
  void OnNcMouseMove(TMessage& m);
  void OnNcLButtonDown(TMessage& m);
  void OnNcLButtonUp(TMessage& m);
  void OnNcLButtonDblClk(TMessage& m);
  void OnNcRButtonDown(TMessage& m);
  void OnNcHitTest(TMessage& m);
  void OnSysCommand(TMessage& m);
  void OnCommand(TMessage& m);
  void OnMenuChanged(TMessage& m, const TWndMethod& pass);
  void OnMenuPopupMessage(TMessage& m);
  // Alt and a character at the form: the menu bar's access keys.
  void OnDialogChar(TMessage& m);
  // Opens the drop-down for Alt, F10 or Alt and a letter; false when no
  // button answers the key.
  bool OpenPopupForKey(wchar_t key);
  // Frees the menu bar, or keeps it until the drop-down running on the
  // stack has closed.
  void DropMenuBar();
  void OnHoverTimer();
  void BuildSystemPopup();
  TCaptionWindowState CaptionState() const;
  int CaptionButtonAt(POINT frame_point) const;
  // The maximise (or restore) button is at the point: the system hears of
  // it as its own maximise button, so that it can offer its window layouts
  // there.
  bool MaximizeButtonAt(POINT frame_point) const;
  void OnNcMouseLeave(TMessage& m);

  TSkinManage& manager_;
  HWND handle_;
  std::string class_name_;
  TForm* form_ = nullptr;
  TSkinData* skin_data_ = nullptr;
  // The engine's layer on its window, and on the MDI client of an MDI frame.
  TWindowSubclass subclass_;
  TWindowSubclass client_subclass_;
  // The engine's layer on the form's window method (see UnhookForm).
  TWndMethodLayer form_hook_;
  TOwnedFont caption_font_;
  bool finished_ = false;
  std::unique_ptr<TTimer> hover_timer_;
  bool saved_menu_update_ = true;
  bool frame_skinned_ = false;
  RECT client_rect_{};
  DWORD last_system_menu_time_ = 0;
  bool system_menu_shown_ = false;
  UINT double_click_time_ = 500;
  int title_text_width_ = 0;
  HWND owner_window_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring caption_text_;
  TFrameMetrics metrics_;
  int dpi_ = kSkinDpi;
  RECT window_rect_{};
  int menu_bar_height_ = 0;
  bool menu_tracking_ = false;
  bool right_to_left_ = false;
  bool sizable_ = false;
  bool system_dialog_ = false;
  bool child_window_ = false;
  std::unique_ptr<TPopupMenu> system_popup_;
  bool system_menu_running_ = false;  // its loop runs on the stack
  HWND mdi_client_ = nullptr;
  HMENU initial_menu_ = nullptr;
  HMENU system_menu_ = nullptr;
  TColor saved_colour_ = 0;
  bool colour_saved_ = false;
  DWORD window_style_ = 0;
  TNCObject* hot_object_ = nullptr;
  // The object the left button went down on; only it acts on release.
  TNCObject* pressed_object_ = nullptr;
  bool region_set_ = false;
  HRGN region_ = nullptr;  // owned by the window once set; kept to recognise it
  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  std::unique_ptr<TWinSkinMenu> menu_bar_;
  TBareMenuMeasure bare_menu_measure_;
  // A bar let go while its drop-down's loop still ran; freed when it ends.
  std::unique_ptr<TWinSkinMenu> retired_menu_bar_;
  int menu_loops_ = 0;  // drop-down loops running on the stack
  TBitmap icon_bitmap_;
  // The title bar as last composed, without caption buttons: single buttons
  // are painted over a copy of it.
  TBitmap title_back_;
  std::vector<std::unique_ptr<TSkinControl>> controls_;
  int frame_width_ = 0, frame_height_ = 0;
  int region_width_ = 0, region_height_ = 0;
  int region_builds_ = 0;  // regions given to the window so far
  mutable int parts_rendered_ = 0;
  // The client size at the last size change: what lies beyond it is new.
  SIZE painted_client_{};
  // The size a size change asks for, while the system bounds it.
  const SIZE* limits_for_ = nullptr;
  // The last rendering of each frame part (left, right, top, bottom), at
  // its size, look and DPI.
  struct TRenderedPart {
    int width = -1, height = -1, cell = 0, dpi = 0;
    TBitmap bitmap;
  };
  mutable std::array<TRenderedPart, 4> rendered_parts_;
  // Caption button cells scaled to the frame's DPI, each kept from its
  // first paint until the parts are forgotten (skin, DPI).
  struct TScaledButtonCell {
    const TDataSkinSysButton* definition = nullptr;
    int cell = 0, width = 0, height = 0;
    TBitmap bitmap;
  };
  mutable std::vector<TScaledButtonCell> scaled_button_cells_;
  // What the title bar in title_back_ was composed for: while all of it
  // stays, a repaint copies the title instead of composing it anew.
  struct TTitleLook {
    int width = -1, height = -1, dpi = 0;
    bool active = false, minimised = false, right_to_left = false;
    LONG_PTR ex_style = 0;
    HICON icon = nullptr;
    std::wstring text;
    std::vector<int> buttons;  // the places of the buttons shown
    bool operator==(const TTitleLook&) const = default;
  };
  TTitleLook title_look_;
  // What the frame drew at the DPI the window showed before the last
  // change: a move back (96 to 144 and back to 96) takes it up again instead
  // of scaling parts, button cells, title, font and region anew. One DPI is
  // kept besides the current one, so the frame holds at most twice its
  // drawings.
  struct TDrawnAtDpi {
    int dpi = 0;
    std::array<TRenderedPart, 4> parts;
    std::vector<TScaledButtonCell> button_cells;
    TBitmap title_back;
    TTitleLook title_look;
    TOwnedFont caption_font;
    // A copy of the window's region at that DPI and the window size it was
    // cut for.
    TOwnedRegion region;
    SIZE region_size{};
  };
  TDrawnAtDpi drawn_before_;
  // The region kept for the current DPI, taken up by the next region built
  // at its size (and dropped then).
  TOwnedRegion kept_region_;
  SIZE kept_region_size_{};
  // Trades what is drawn at the current DPI for what was kept at `dpi`
  // (when that is what was kept) before the frame shows at `dpi`.
  void SwitchDrawingsTo(int dpi);
  // Where auto-hidden task bars wait on the window's monitor. Asking the
  // shell takes milliseconds, and the size limits are asked for at every
  // size change, so the answer is kept for a while (and dropped when a
  // setting changes).
  struct TAutoHideEdges {
    bool known = false;
    unsigned long long asked_at = 0;  // GetTickCount64
    RECT monitor{};
    bool top = false, bottom = false, left = false, right = false;
  };
  TAutoHideEdges auto_hide_;
  bool active_ = true;
  TMdiKind mdi_kind_ = mkNone;
  TFrameKind frame_kind_ = fkSingle;
  int border_icons_ = 0;
  TShowState show_state_ = ssNormal;
  TSkinState skin_state_ = ksAttached;
  SIZE native_frame_{};
  bool system_rendering_changed_ = false;
  // Calls of the engine running now (see Busy), and where the running
  // dispatch notes that it passed its message on.
  int busy_ = 0;
  // Counts one call of the engine for as long as it lives.
  class TCall {
   public:
    explicit TCall(TWinSkinForm& engine) : busy_(engine.busy_) { ++busy_; }
    ~TCall() { --busy_; }
    TCall(const TCall&) = delete;
    TCall& operator=(const TCall&) = delete;

   private:
    int& busy_;
  };
  bool* passed_on_ = nullptr;
};
