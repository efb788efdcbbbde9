#include "skin/data/RecordingSkinManager.h"

#include <algorithm>

#include "skin/data/WinSkinData.h"

void TRecordingSkinManager::AddSkinData(TSkinData* data) {
  log_.push_back("AddSkinData");
  datas_.push_back(data);
  if (!main_data_ && data && data->SkinFormtype() == sfMainform) main_data_ = data;
}

void TRecordingSkinManager::RemoveSkinData(TSkinData* data) {
  log_.push_back("RemoveSkinData");
  datas_.erase(std::remove(datas_.begin(), datas_.end(), data), datas_.end());
  if (main_data_ == data) main_data_ = nullptr;
  if (requesting_ == data) requesting_ = nullptr;
}

void TRecordingSkinManager::InstallHook() {
  log_.push_back("InstallHook");
  hook_installed_ = true;
}

void TRecordingSkinManager::SetSkinningOn(bool on) {
  log_.push_back(on ? "SetSkinningOn 1" : "SetSkinningOn 0");
  skinning_on_ = on;
}

void TRecordingSkinManager::SetStartCounter(int value) {
  log_.push_back("SetStartCounter " + std::to_string(value));
  start_counter_ = value;
}

void TRecordingSkinManager::SetRequestingData(TSkinData* data) {
  log_.push_back("SetRequestingData");
  requesting_ = data;
}

void TRecordingSkinManager::RefreshData() {
  log_.push_back("RefreshData");
}

void TRecordingSkinManager::Post(TSkinCommand command, int delay_ms) {
  log_.push_back("Post " + std::to_string(static_cast<int>(command)) + " " +
                 std::to_string(delay_ms));
  pending_command_ = command;
  pending_delay_ = delay_ms;
  if (start_counter_ != 0) {
    timer_enabled_ = true;
  } else if (command == scActivate) {
    skinning_on_ = true;
  } else if (command == scDeactivate) {
    skinning_on_ = false;
  }
}

bool TRecordingSkinManager::SkinOwnerForm(TComponent* owner) {
  log_.push_back("SkinOwnerForm");
  skinned_owners_.push_back(owner);
  return false;
}
