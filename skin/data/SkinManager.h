#pragma once
// What the skin data component asks of the process's skin manager: the
// manager decides which windows are skinned and carries out the delayed
// commands the component sends. TCustomSkinManager is the interface; the
// manager of the program implements it, and TRecordingSkinManager
// (RecordingSkinManager.h) keeps what it was asked for the tests.
class TComponent;
class TSkinData;

// Commands carried out by the manager after their delay.
enum TSkinCommand { scActivate = 1, scDeactivate = 2, scSkinChanged = 3 };

class TCustomSkinManager {
 public:
  virtual ~TCustomSkinManager() = default;

  // The components the manager knows, in the order they were added. The
  // first sfMainform one is the main data.
  virtual void AddSkinData(TSkinData* data) = 0;
  virtual void RemoveSkinData(TSkinData* data) = 0;

  // Installs the thread hook that sees window creation and activation.
  virtual void InstallHook() = 0;

  // New windows are skinned only while skinning is on.
  virtual bool SkinningOn() const = 0;
  virtual void SetSkinningOn(bool on) = 0;

  // 0 until the first window activation or switch-on request, 1 afterwards;
  // components that are not the main skin add 1 at their start.
  virtual int StartCounter() const = 0;
  virtual void SetStartCounter(int value) = 0;

  // The component whose command is pending.
  virtual void SetRequestingData(TSkinData* data) = 0;
  // Skinned windows of the requesting data drop their caption buttons, so
  // they are rebuilt from the new skin.
  virtual void RefreshData() = 0;
  // Carries out `command` after `delay_ms`; before the manager has started
  // it only switches skinning on (activate) or off (deactivate).
  virtual void Post(TSkinCommand command, int delay_ms) = 0;
  // Skins the window of `owner` at once when `owner` is a form; answers
  // whether a skinning object was attached.
  virtual bool SkinOwnerForm(TComponent* owner) = 0;
  // While the system's high-contrast mode is on, windows show the system's
  // look whatever skin is active.
  virtual bool HighContrast() const { return false; }
};
