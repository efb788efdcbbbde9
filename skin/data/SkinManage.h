#pragma once
// TSkinManage: the process's skin manager. It watches window creation,
// destruction and activation of the user-interface thread through a
// computer-based-training hook, decides which top-level windows are skinned
// and with which skin data, attaches a form engine (TWinSkinForm) to each,
// and carries out the activate, deactivate and skin-changed commands that
// the skin data components send, after their delay, on a timer.
//
// Ownership: the skin environment owns the manager; the manager owns the
// engines of bare windows (message boxes and other windows without a
// framework object), while a framework form owns its own engine. Every
// engine leaves SkinForms when it is destroyed, so the list never holds a
// freed object. Everything runs on the thread that created the manager.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/MessageWindow.h"
#include "framework/StringList.h"
#include "framework/Timer.h"
#include "skin/data/SkinManager.h"
#include "skin/data/SkinSystemWin32.h"

class TForm;
class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;

// Kinds of popup menu about to open, as the form engine announces them.
enum TPopupKind { pkNone = 0, pkFormMenu = 1, pkSystemMenu = 2 };

class TSkinManage : public TCustomSkinManager {
 public:
  explicit TSkinManage(const TSkinSystem& system);
  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // --- what the skin data components ask
  void AddSkinData(TSkinData* data) override;
  void RemoveSkinData(TSkinData* data) override;
  void InstallHook() override;
  bool SkinningOn() const override { return skinning_on_; }
  void SetSkinningOn(bool on) override { skinning_on_ = on; }
  int StartCounter() const override { return start_counter_; }
  void SetStartCounter(int value) override { start_counter_ = value; }
  void SetRequestingData(TSkinData* data) override { requesting_ = data; }
  void RefreshData() override;
  void Post(TSkinCommand command, int delay_ms) override;
  bool SkinOwnerForm(TComponent* owner) override;

  // Carries out the pending command now instead of at the timer's tick (a
  // skin chosen by the user is shown at once); not while commands are held.
  void FlushCommand();
  // Holds the delayed command back while a modal loop runs whose objects a
  // command would free under it (a skinned popup menu, a press on a skinned
  // scroll bar): the timer's tick comes back until the last hold ends, then
  // the command runs. See TSkinCommandHold.
  void HoldCommands() { ++holds_; }
  void ReleaseCommands() {
    if (holds_ > 0) --holds_;
  }
  int CommandHolds() const { return holds_; }
  // Engines let go while a call of theirs still ran, waiting to be freed.
  int RetiredEngineCount() const { return static_cast<int>(retired_engines_.size()); }

  // --- skinning windows
  // Attaches an engine when the window qualifies; answers whether it did.
  bool SkinWindow(HWND window);
  // SkinWindow for a framework form that is visible and not a child.
  void SkinForm(TForm* form);
  TWinSkinForm* FindSkinForm(HWND window) const;
  // Called by an engine as it goes.
  void RemoveSkinForm(TWinSkinForm* engine);
  bool AllowSkin(HWND window, const std::string& class_name) const;
  TSkinData* ChooseSkinData(HWND window, const std::string& class_name) const;
  const std::vector<TWinSkinForm*>& SkinForms() const { return skin_forms_; }
  const std::vector<TSkinData*>& SkinDatas() const { return skin_datas_; }
  TSkinData* MainData() const { return main_data_; }

  // --- popup menus: one skinning object per popup-menu window
  // Attaches one to a popup-menu window just made, when the popup kind is
  // allowed by the skin data's SkinControls (and no screen reader runs).
  bool SkinPopup(HWND window);
  // Unhooks and frees the window's object (later, while a call of it runs).
  bool ReleasePopup(HWND window);
  bool IsSkinnedPopup(HWND window) const;
  TWinSkinPopMenu* PopupOfWindow(HWND window) const;
  int PopupCount() const { return static_cast<int>(skin_popups_.size()); }
  // The newest popup that does not know its menu yet learns it.
  void AssignPopupMenu(HMENU menu);
  // The background of the popup showing `menu`, or null.
  const TBitmap* PopupBitmap(HMENU menu) const;
  void PreparePopups();
  // The popup drawing its items into a buffer of its own just now.
  TWinSkinPopMenu* PaintingPopup() const { return painting_popup_; }
  void SetPaintingPopup(TWinSkinPopMenu* popup) { painting_popup_ = popup; }
  TPopupKind PopupKind() const { return popup_kind_; }
  void SetPopupKind(TPopupKind kind) { popup_kind_ = kind; }
  bool MenuBarDropDown() const { return menu_bar_drop_down_; }
  void SetMenuBarDropDown(bool on) { menu_bar_drop_down_ = on; }

  // --- MDI bookkeeping and flags the form engines read
  bool MdiMaximized() const { return mdi_maximized_; }
  void SetMdiMaximized(bool state);
  HWND MdiClient() const { return mdi_client_; }
  TForm* MdiFrameForm() const { return mdi_frame_form_; }
  void SetMdiClient(HWND client, TForm* frame_form) {
    mdi_client_ = client;
    mdi_frame_form_ = frame_form;
  }
  bool HideWhileSkinning() const { return hide_while_skinning_; }
  void SetHideWhileSkinning(bool on) { hide_while_skinning_ = on; }
  bool Enumerating() const { return enumerating_; }
  int PendingCommand() const { return pending_command_; }
  bool TimerRunning() const { return timer_->Enabled(); }
  bool HookInstalled() const { return hook_.handle != nullptr; }

  const TSkinSystem& System() const { return system_; }

  // --- the system's high-contrast mode (SkinManageContrast.cpp)
  // While it is on nothing is skinned and every window shows the system's
  // look; switching it while the program runs is heard (WM_SETTINGCHANGE
  // at the manager's hidden window) and carried out at the next tick: the
  // skin comes back when it goes off.
  using THighContrastQuery = std::function<bool()>;
  // Where the mode is asked: the system unless a test answers instead.
  // The answer is taken at once.
  void SetHighContrastQuery(THighContrastQuery query);
  bool HighContrast() const override { return high_contrast_; }
  // Asks the mode again; a change is carried out at the switch timer's tick.
  void CheckHighContrast();
  bool ContrastSwitchPending() const { return contrast_timer_ && contrast_timer_->Enabled(); }
  // The hidden top-level window that hears the system's setting changes.
  HWND SettingsWindow() const { return settings_window_ ? settings_window_->Handle() : nullptr; }

 private:
  struct THookHandle {
    HHOOK handle = nullptr;
    ~THookHandle() {
      if (handle) UnhookWindowsHookEx(handle);
    }
  };

  static LRESULT CALLBACK CbtHook(int code, WPARAM wp, LPARAM lp);
  void OnCreateWindow(HWND window, const CREATESTRUCTW& create);
  void OnTimer();
  void RunCommand(int command, TSkinData* data);
  // Drops the engines whose window has been destroyed.
  void Purge();
  // Unskins and frees one engine while its window lives.
  void DetachAndFree(TWinSkinForm* engine);
  // Frees an engine (taken from its owner form, or the manager's own list);
  // one whose call is still running is kept until it has returned.
  void FreeEngine(TWinSkinForm* engine);
  void FreeRetiredEngines();
  // After a skin change: whether the engine's frame no longer matches what
  // the skin can give (a frame that is not usable, or one that now is), and
  // skinning such a window afresh.
  bool NeedsReskin(const TWinSkinForm& engine) const;
  void Reskin(TWinSkinForm* engine);
  TForm* FormOfWindow(HWND window) const;
  void NotifyChanged(TSkinData* data);
  void MakeSettingsWindow();
  bool AskHighContrast() const;
  void OnContrastTimer();
  // Unskins every window (on) or skins every window that may be (off).
  void ApplyHighContrast(bool on);

  const TSkinSystem& system_;
  std::unique_ptr<TTimer> timer_;
  THookHandle hook_;
  std::vector<TWinSkinForm*> skin_forms_;
  std::vector<std::unique_ptr<TWinSkinForm>> bare_engines_;
  std::vector<std::unique_ptr<TWinSkinForm>> retired_engines_;
  int holds_ = 0;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> skin_popups_;
  // Popups let go while a call of theirs still ran, freed afterwards.
  std::vector<std::unique_ptr<TWinSkinPopMenu>> retired_popups_;
  TWinSkinPopMenu* painting_popup_ = nullptr;
  std::vector<TSkinData*> skin_datas_;
  bool skinning_on_ = false;
  bool enumerating_ = false;
  int start_counter_ = 0;
  TPopupKind popup_kind_ = pkNone;
  bool menu_bar_drop_down_ = false;
  bool mdi_maximized_ = false;
  HWND mdi_client_ = nullptr;
  TForm* mdi_frame_form_ = nullptr;
  bool hide_while_skinning_ = false;
  int pending_command_ = 0;
  TSkinData* requesting_ = nullptr;
  TSkinData* main_data_ = nullptr;
  THighContrastQuery high_contrast_query_;
  bool high_contrast_ = false;
  std::unique_ptr<TTimer> contrast_timer_;
  std::unique_ptr<TMessageWindow> settings_window_;
};

// Holds the manager's delayed command back for the length of a modal loop
// (see TSkinManage::HoldCommands).
class TSkinCommandHold {
 public:
  explicit TSkinCommandHold(TSkinManage& manager) : manager_(manager) { manager_.HoldCommands(); }
  ~TSkinCommandHold() { manager_.ReleaseCommands(); }
  TSkinCommandHold(const TSkinCommandHold&) = delete;
  TSkinCommandHold& operator=(const TSkinCommandHold&) = delete;

 private:
  TSkinManage& manager_;
};

// The one manager of the process while it lives (the hook procedure and the
// caption component find it here); null before and after.
extern TSkinManage* SkinManager;

// The class name of a window (at most 100 characters).
std::string WindowClassName(HWND window);
