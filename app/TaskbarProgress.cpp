#include "app/TaskbarProgress.h"

#include <wrl/client.h>

namespace {

class TSystemTaskbarProgress : public TTaskbarProgress {
 public:
  TSystemTaskbarProgress(HWND window, Microsoft::WRL::ComPtr<ITaskbarList3> list)
      : window_(window), list_(std::move(list)) {}

  // The button shows nothing of a batch any more once the window is done with it.
  ~TSystemTaskbarProgress() override { list_->SetProgressState(window_, TBPF_NOPROGRESS); }

  void SetState(TBPFLAG state) override { list_->SetProgressState(window_, state); }
  void SetValue(ULONGLONG completed, ULONGLONG total) override {
    list_->SetProgressValue(window_, completed, total);
  }

 private:
  HWND window_;
  Microsoft::WRL::ComPtr<ITaskbarList3> list_;  // released with this object
};

}  // namespace

std::unique_ptr<TTaskbarProgress> MakeSystemTaskbarProgress(HWND window) {
  Microsoft::WRL::ComPtr<ITaskbarList3> list;
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(list.GetAddressOf())))) {
    return nullptr;
  }
  if (FAILED(list->HrInit())) return nullptr;
  return std::make_unique<TSystemTaskbarProgress>(window, std::move(list));
}
