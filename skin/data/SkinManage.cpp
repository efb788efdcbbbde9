#include "skin/data/SkinManage.h"

#include <algorithm>

#include "framework/Form.h"
#include "framework/Screen.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/ControlWalk.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"
#include "skin/menu/SkinPopMenu.h"

TSkinManage* SkinManager = nullptr;

namespace {

// Shutting down: engines that go now do not touch the lists.
constexpr int kShuttingDown = 4;

bool Answers(HWND window, UINT message) {
  return SendMessageW(window, message, 0, 0) == 1;
}

}  // namespace

std::string WindowClassName(HWND window) {
  char name[101] = {};
  const int n = window ? GetClassNameA(window, name, static_cast<int>(sizeof name)) : 0;
  return std::string(name, static_cast<size_t>(n > 0 ? n : 0));
}

TSkinManage::TSkinManage(const TSkinSystem& system) : system_(system) {
  timer_ = MakeComponent<TTimer>();
  timer_->SetEnabled(false);
  timer_->SetInterval(100);
  timer_->OnTimer = [this](TObject*) { OnTimer(); };
  SkinManager = this;
  MakeSettingsWindow();
}

TSkinManage::~TSkinManage() {
  start_counter_ = kShuttingDown;
  skinning_on_ = false;
  timer_.reset();
  settings_window_.reset();
  contrast_timer_.reset();
  // Engines still alive give their windows back the procedures they took.
  const std::vector<TWinSkinForm*> engines = skin_forms_;
  skin_forms_.clear();
  for (auto it = engines.rbegin(); it != engines.rend(); ++it) {
    (*it)->ReleaseHooks();
    FreeEngine(*it);
  }
  bare_engines_.clear();
  retired_engines_.clear();
  // Each popup object unhooks its window as it goes.
  skin_popups_.clear();
  retired_popups_.clear();
  if (SkinManager == this) SkinManager = nullptr;
}

// --- skin data components -------------------------------------------------

void TSkinManage::AddSkinData(TSkinData* data) {
  if (!data) return;
  skin_datas_.push_back(data);
  if (!main_data_ && data->SkinFormtype() == sfMainform) main_data_ = data;
}

void TSkinManage::RemoveSkinData(TSkinData* data) {
  std::erase(skin_datas_, data);
  if (main_data_ == data) main_data_ = nullptr;
  if (requesting_ == data) requesting_ = nullptr;
  // No engine may paint from a component that is going.
  const std::vector<TWinSkinForm*> engines = skin_forms_;
  for (TWinSkinForm* engine : engines) {
    if (engine->SkinData() != data) continue;
    if (engine->SkinState() == ksDestroyed) {
      FreeEngine(engine);
    } else {
      DetachAndFree(engine);
    }
  }
  // Popups drawn from a component that is going keep the system's look.
  std::vector<HWND> popups;
  for (const auto& popup : skin_popups_) {
    if (popup->SkinData() == data) popups.push_back(popup->Handle());
  }
  for (HWND popup : popups) ReleasePopup(popup);
}

void TSkinManage::InstallHook() {
  if (hook_.handle) return;
  hook_.handle = SetWindowsHookExW(WH_CBT, &TSkinManage::CbtHook, nullptr, GetCurrentThreadId());
}

void TSkinManage::RefreshData() {
  for (TWinSkinForm* engine : skin_forms_) {
    // The buttons stay until the skin-changed command rebuilds the frame:
    // the window keeps its close button meanwhile.
    if (engine->SkinData() == requesting_) engine->ForgetSkinImages();
  }
}

void TSkinManage::Post(TSkinCommand command, int delay_ms) {
  pending_command_ = command;
  timer_->SetInterval(static_cast<unsigned>(std::max(delay_ms, 0)));
  if (start_counter_ != 0) {
    timer_->SetEnabled(true);
    return;
  }
  // Before the first window is active a command only switches skinning; the
  // hook skins the main window when it is first activated.
  if (command == scActivate) skinning_on_ = true;
  if (command == scDeactivate) skinning_on_ = false;
}

void TSkinManage::FlushCommand() {
  if (timer_->Enabled() && holds_ == 0) OnTimer();
}

bool TSkinManage::SkinOwnerForm(TComponent* owner) {
  auto* form = dynamic_cast<TForm*>(owner);
  return form && form->HandleAllocated() && SkinWindow(form->Handle());
}

// --- the hook -------------------------------------------------------------

LRESULT CALLBACK TSkinManage::CbtHook(int code, WPARAM wp, LPARAM lp) {
  TSkinManage* manager = SkinManager;
  if (manager && code >= 0) {
    // The hook runs inside the system's window management: nothing may
    // escape from it.
    try {
      const auto window = reinterpret_cast<HWND>(wp);
      switch (code) {
        case HCBT_CREATEWND: {
          const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lp);
          if (create && create->lpcs) manager->OnCreateWindow(window, *create->lpcs);
          break;
        }
        case HCBT_DESTROYWND:
          manager->ReleasePopup(window);
          break;
        case HCBT_ACTIVATE:
          if (manager->start_counter_ == 0) manager->start_counter_ = 1;
          manager->SkinWindow(window);
          break;
        default:
          break;
      }
    } catch (...) {
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void TSkinManage::OnCreateWindow(HWND window, const CREATESTRUCTW& create) {
  const std::string class_name = WindowClassName(window);
  if (class_name == "ScrollBar" && (create.style & SBS_SIZEGRIP)) {
    // A size grip made in a skinned window is skinned like the window's
    // other controls.
    if (TWinSkinForm* engine = FindSkinForm(create.hwndParent)) ::SkinWindow(*engine, window);
    return;
  }
  if (!(create.style & WS_CHILD) && class_name == "#32768") {
    SkinPopup(window);
    return;
  }
  if (create.dwExStyle & WS_EX_MDICHILD) SkinWindow(window);
}

// --- skinning windows -----------------------------------------------------

TForm* TSkinManage::FormOfWindow(HWND window) const {
  TScreen& screen = Screen();
  for (int i = 0; i < screen.FormCount(); ++i) {
    TForm* form = screen.Forms(i);
    if (form && form->Handle() == window) return form;
  }
  return nullptr;
}

bool TSkinManage::SkinWindow(HWND window) {
  if (!skinning_on_ || high_contrast_ || !window || !IsWindow(window)) return false;
  Purge();
  if (Answers(window, SKM_ISSKINNED) || FindSkinForm(window)) return false;
  TForm* form = FormOfWindow(window);
  TWinControl* control = form ? form : TWinControl::FindControl(window);
  const std::string class_name = WindowClassName(window);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const bool mdi_child = (ex_style & WS_EX_MDICHILD) != 0;
  if (!enumerating_ && (style & WS_CHILD) && !mdi_child &&
      AsciiLower(WindowClassName(GetParent(window))) != "mdiclient") {
    return false;
  }
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  if (!control && instance != GetModuleHandleW(nullptr) && class_name != "#32770") return false;
  RECT r{};
  GetWindowRect(window, &r);
  const bool has_area = (r.right - r.left) * (r.bottom - r.top) != 0;
  if (!has_area && !mdi_child) return false;
  if (control && control->Tag() == 99) return false;
  if (class_name.find("TcxPopupEditPopupWindow") != std::string::npos) return false;
  if (class_name == "TApplication" || !AllowSkin(window, class_name)) return false;
  TSkinData* data = ChooseSkinData(window, class_name);
  if (!data || data->NotReady()) return false;

  TWinSkinForm* engine = nullptr;
  try {
    if (form) {
      engine = &OwnedComponent<TWinSkinForm>(*form, *this, window, class_name);
      skin_forms_.push_back(engine);
      engine->AttachForm(data, form);
    } else {
      bare_engines_.push_back(std::make_unique<TWinSkinForm>(nullptr, *this, window, class_name));
      engine = bare_engines_.back().get();
      skin_forms_.push_back(engine);
      engine->AttachWindow(data);
    }
  } catch (...) {
    // A window that cannot be skinned stays as it is.
    if (engine) {
      engine->ReleaseHooks();
      FreeEngine(engine);
    }
    return false;
  }
  PostMessageW(window, SKM_FINISHSKIN, 0, kFinishSkinTag);
  return true;
}

void TSkinManage::SkinForm(TForm* form) {
  if (!form || !form->HandleAllocated()) return;
  const HWND window = form->Handle();
  if (!IsWindowVisible(window) || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return;
  SkinWindow(window);
}

TWinSkinForm* TSkinManage::FindSkinForm(HWND window) const {
  for (TWinSkinForm* engine : skin_forms_) {
    if (engine->Handle() == window) return engine;
  }
  return nullptr;
}

void TSkinManage::RemoveSkinForm(TWinSkinForm* engine) {
  if (start_counter_ == kShuttingDown) return;
  std::erase(skin_forms_, engine);
}

bool TSkinManage::AllowSkin(HWND window, const std::string& class_name) const {
  bool do_skin = true;
  if (!main_data_) return do_skin;
  if (!main_data_->Options().Contains(xoPreview) &&
      AsciiLower(class_name).find("preview") != std::string::npos) {
    do_skin = false;
  }
  main_data_->DecideFormSkin(reinterpret_cast<TWindowHandle>(window), class_name, do_skin);
  return do_skin;
}

TSkinData* TSkinManage::ChooseSkinData(HWND window, const std::string& class_name) const {
  auto last_of = [this](auto&& wanted) -> TSkinData* {
    for (auto it = skin_datas_.rbegin(); it != skin_datas_.rend(); ++it) {
      if (wanted(**it)) return *it;
    }
    return nullptr;
  };
  if (TSkinData* only = last_of([window](TSkinData& d) {
        auto* owner = dynamic_cast<TWinControl*>(d.Owner());
        return d.SkinFormtype() == sfOnlyThisForm && owner && owner->Handle() == window;
      })) {
    return only;
  }
  const std::string lower = AsciiLower(class_name);
  if (lower == "tmessageform" || lower == "#32770") {
    if (TSkinData* dialog = last_of([](TSkinData& d) { return d.SkinFormtype() == sfDialog; })) {
      return dialog;
    }
  }
  if (TSkinData* main = last_of([](TSkinData& d) { return d.SkinFormtype() == sfMainform; })) {
    return main;
  }
  return skin_datas_.empty() ? nullptr : skin_datas_.front();
}

// --- engines --------------------------------------------------------------

void TSkinManage::Purge() {
  const std::vector<TWinSkinForm*> engines = skin_forms_;
  for (TWinSkinForm* engine : engines) {
    if (engine->SkinState() == ksDestroyed) FreeEngine(engine);
  }
}

void TSkinManage::FreeEngine(TWinSkinForm* engine) {
  std::erase(skin_forms_, engine);
  std::unique_ptr<TWinSkinForm> taken;
  if (TComponent* owner = engine->Owner()) {
    // The form gives its engine back.
    std::unique_ptr<TComponent> component = owner->RemoveComponent(engine);
    if (component) taken.reset(static_cast<TWinSkinForm*>(component.release()));
  } else {
    const auto it = std::find_if(
        bare_engines_.begin(), bare_engines_.end(),
        [engine](const std::unique_ptr<TWinSkinForm>& held) { return held.get() == engine; });
    if (it != bare_engines_.end()) {
      taken = std::move(*it);
      bare_engines_.erase(it);
    }
  }
  if (taken && taken->Busy()) {
    // A call of the engine is still on the stack (a modal loop under one of
    // its messages ran this command): it goes once that call has returned.
    retired_engines_.push_back(std::move(taken));
    timer_->SetEnabled(true);
  }
}

void TSkinManage::FreeRetiredEngines() {
  std::erase_if(retired_engines_,
                [](const std::unique_ptr<TWinSkinForm>& engine) { return !engine->Busy(); });
}

void TSkinManage::DetachAndFree(TWinSkinForm* engine) {
  const HWND window = engine->Handle();
  engine->Detach();
  if (IsWindow(window)) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  }
  FreeEngine(engine);
}

// --- commands -------------------------------------------------------------

void TSkinManage::OnTimer() {
  // The skin engine never reports: a command that fails leaves the windows
  // as far as it got.
  try {
    FreeRetiredEngines();
    std::erase_if(retired_popups_,
                  [](const std::unique_ptr<TWinSkinPopMenu>& popup) { return !popup->Busy(); });
    // A modal loop holds the command back; the timer comes back to it.
    if (holds_ > 0) return;
    timer_->SetEnabled(false);
    if (TSkinData* data = requesting_) {
      RunCommand(pending_command_, data);
      // The command may have ended with the component gone.
      if (std::find(skin_datas_.begin(), skin_datas_.end(), data) != skin_datas_.end()) {
        data->DoSkinChanged();
      }
      requesting_ = nullptr;
    }
  } catch (...) {
    requesting_ = nullptr;
  }
  FreeRetiredEngines();
  if (!retired_engines_.empty() || !retired_popups_.empty()) timer_->SetEnabled(true);
}

void TSkinManage::RunCommand(int command, TSkinData* data) {
  TScreen& screen = Screen();
  if (data->SkinFormtype() == sfOnlyThisForm) {
    switch (command) {
      case scActivate:
        skinning_on_ = true;
        enumerating_ = true;
        for (int i = screen.FormCount() - 1; i >= 0; --i) {
          if (screen.Forms(i) == data->Owner()) {
            SkinForm(screen.Forms(i));
            break;
          }
        }
        enumerating_ = false;
        break;
      case scDeactivate:
        skinning_on_ = false;
        Purge();
        for (auto it = skin_forms_.rbegin(); it != skin_forms_.rend(); ++it) {
          if ((*it)->SkinData() == data) {
            DetachAndFree(*it);
            break;
          }
        }
        break;
      case scSkinChanged:
        Purge();
        for (TWinSkinForm* engine : skin_forms_) {
          if (engine->SkinData() != data) continue;
          if (NeedsReskin(*engine)) {
            Reskin(engine);
          } else {
            engine->BuildFrame();
            engine->ReapplySkin();
          }
          break;
        }
        break;
      default:
        break;
    }
    return;
  }
  switch (command) {
    case scActivate:
      skinning_on_ = true;
      hide_while_skinning_ = false;
      enumerating_ = true;
      Purge();
      for (int i = screen.FormCount() - 1; i >= 0; --i) SkinForm(screen.Forms(i));
      enumerating_ = false;
      break;
    case scDeactivate:
      skinning_on_ = false;
      Purge();
      while (!skin_forms_.empty()) DetachAndFree(skin_forms_.front());
      break;
    case scSkinChanged: {
      Purge();
      std::vector<TWinSkinForm*> engines;
      for (TWinSkinForm* engine : std::vector<TWinSkinForm*>(skin_forms_)) {
        if (engine->SkinData() != data) continue;
        if (NeedsReskin(*engine)) {
          Reskin(engine);
        } else {
          engines.push_back(engine);
        }
      }
      for (TWinSkinForm* engine : engines) engine->BuildFrame();
      for (TWinSkinForm* engine : engines) engine->ReapplySkin();
      break;
    }
    default:
      break;
  }
}

bool TSkinManage::NeedsReskin(const TWinSkinForm& engine) const {
  const TSkinData* data = engine.SkinData();
  if (!data || data->NotReady()) return false;
  if (engine.FrameSkinned()) return !engine.SkinFrameUsable();
  return engine.MdiKind() != mkChild && data->SkinControls().Contains(xcMainMenu) &&
         engine.SkinFrameUsable();
}

void TSkinManage::Reskin(TWinSkinForm* engine) {
  const HWND window = engine->Handle();
  DetachAndFree(engine);
  const bool enumerating = enumerating_;
  enumerating_ = true;
  SkinWindow(window);
  enumerating_ = enumerating;
}

void TSkinManage::SetMdiMaximized(bool state) {
  if (state == mdi_maximized_) return;
  mdi_maximized_ = state;
  if (main_data_ && main_data_->Options().Contains(xoMDIChildBorder)) return;
  for (TWinSkinForm* engine : skin_forms_) {
    if (engine->MdiKind() != mkChild) continue;
    if (state) {
      engine->RemoveRegion();
      engine->SetCaptionStyle(true);
    } else if (engine->ShowState() == ssMinimized) {
      engine->SetCaptionStyle(true);
    } else {
      engine->SetShowState(ssNormal);
      engine->UpdateRegion();
      engine->SetCaptionStyle(false);
      if (!engine->RegionSet()) {
        SetWindowPos(engine->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      }
    }
  }
}

// --- popup menus ----------------------------------------------------------

namespace {

bool ScreenReaderRuns() {
  BOOL on = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &on, 0) && on;
}

}  // namespace

bool TSkinManage::SkinPopup(HWND window) {
  if (!skinning_on_ || high_contrast_ || !window || Answers(window, SKM_ISSKINNED) ||
      IsSkinnedPopup(window)) {
    return false;
  }
  // A screen reader reads the system's own menus best.
  if (ScreenReaderRuns()) return false;
  TSkinData* data = ChooseSkinData(window, WindowClassName(window));
  if (!data || data->NotReady()) return false;
  const TSkinControlTypes controls = data->SkinControls();
  switch (popup_kind_) {
    case pkNone:
      if (!controls.Contains(xcPopupMenu)) return false;
      break;
    case pkFormMenu:
      if (!controls.Contains(xcMainMenu) && !controls.Contains(xcMenuItem)) return false;
      break;
    case pkSystemMenu:
      if (!controls.Contains(xcSystemMenu)) return false;
      break;
  }
  auto popup = std::make_unique<TWinSkinPopMenu>(*this);
  if (!popup->Hook(window, data, nullptr)) return false;
  popup->DropDown = menu_bar_drop_down_;
  skin_popups_.push_back(std::move(popup));
  return true;
}

bool TSkinManage::ReleasePopup(HWND window) {
  const auto it = std::find_if(
      skin_popups_.begin(), skin_popups_.end(),
      [window](const std::unique_ptr<TWinSkinPopMenu>& p) { return p->Handle() == window; });
  const bool found = it != skin_popups_.end();
  if (found) {
    std::unique_ptr<TWinSkinPopMenu> popup = std::move(*it);
    skin_popups_.erase(it);
    popup->Unhook();
    if (painting_popup_ == popup.get()) painting_popup_ = nullptr;
    if (popup->Busy()) {
      // Its window procedure is still on the stack: freed at the next tick.
      retired_popups_.push_back(std::move(popup));
      timer_->SetEnabled(true);
    }
  }
  if (skin_popups_.empty()) {
    menu_bar_drop_down_ = false;
    popup_kind_ = pkNone;
  }
  return found;
}

TWinSkinPopMenu* TSkinManage::PopupOfWindow(HWND window) const {
  if (!window) return nullptr;
  for (const auto& popup : skin_popups_) {
    if (popup->Handle() == window) return popup.get();
  }
  return nullptr;
}

bool TSkinManage::IsSkinnedPopup(HWND window) const {
  return PopupOfWindow(window) != nullptr;
}

void TSkinManage::AssignPopupMenu(HMENU menu) {
  for (auto it = skin_popups_.rbegin(); it != skin_popups_.rend(); ++it) {
    if (!(*it)->Menu()) {
      (*it)->SetMenu(menu);
      return;
    }
  }
}

const TBitmap* TSkinManage::PopupBitmap(HMENU menu) const {
  for (const auto& popup : skin_popups_) {
    if (popup->Menu() == menu) return popup->Background().Empty() ? nullptr : &popup->Background();
  }
  return nullptr;
}

void TSkinManage::PreparePopups() {
  for (auto& popup : skin_popups_) popup->DropDown = true;
}
