#pragma once
// A skin manager that carries out no skinning: it keeps the state the skin
// data component can observe (known components, main data, skinning flag,
// start counter, the pending command) and a log of every call, one line per
// call ("Post 1 250", "AddSkinData", ...). It stands in for the program's
// manager wherever no windows are skinned, and lets tests see what the
// component sends.
#include <string>
#include <vector>

#include "skin/data/SkinManager.h"

class TRecordingSkinManager : public TCustomSkinManager {
 public:
  void AddSkinData(TSkinData* data) override;
  void RemoveSkinData(TSkinData* data) override;
  void InstallHook() override;
  bool SkinningOn() const override { return skinning_on_; }
  void SetSkinningOn(bool on) override;
  int StartCounter() const override { return start_counter_; }
  void SetStartCounter(int value) override;
  void SetRequestingData(TSkinData* data) override;
  void RefreshData() override;
  void Post(TSkinCommand command, int delay_ms) override;
  bool SkinOwnerForm(TComponent* owner) override;

  const std::vector<std::string>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  const std::vector<TSkinData*>& SkinDatas() const { return datas_; }
  TSkinData* MainData() const { return main_data_; }
  TSkinData* RequestingData() const { return requesting_; }
  bool HookInstalled() const { return hook_installed_; }
  // The command the timer would carry out, and whether the timer runs.
  int PendingCommand() const { return pending_command_; }
  int PendingDelay() const { return pending_delay_; }
  bool TimerEnabled() const { return timer_enabled_; }
  // Owners handed to SkinOwnerForm.
  const std::vector<TComponent*>& SkinnedOwners() const { return skinned_owners_; }

 private:
  std::vector<std::string> log_;
  std::vector<TSkinData*> datas_;
  TSkinData* main_data_ = nullptr;
  TSkinData* requesting_ = nullptr;
  bool hook_installed_ = false;
  bool skinning_on_ = false;
  int start_counter_ = 0;
  int pending_command_ = 0;
  int pending_delay_ = 0;
  bool timer_enabled_ = false;
  std::vector<TComponent*> skinned_owners_;
};
